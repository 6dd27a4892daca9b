#include "platform/FileApi.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local DWORD t_lastError = 0;

// A handle is the file descriptor plus one, so that no valid handle is null
// and none equals INVALID_HANDLE_VALUE.
HANDLE HandleFromFd(int fd) { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1); }

int FdFromHandle(HANDLE handle)
{
    auto value = reinterpret_cast<std::intptr_t>(handle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || value <= 0 || value > 0x7FFFFFFF) {
        return -1;
    }
    return static_cast<int>(value - 1);
}

BOOL Fail(int error)
{
    t_lastError = static_cast<DWORD>(error);
    return FALSE;
}

BOOL Succeed()
{
    t_lastError = 0;
    return TRUE;
}

} // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD /*shareMode*/, LPSECURITY_ATTRIBUTES /*security*/,
                   DWORD creationDisposition, DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/)
{
    if (fileName == nullptr || fileName[0] == '\0') {
        Fail(ENOENT);
        return INVALID_HANDLE_VALUE;
    }
    if (creationDisposition != OPEN_EXISTING) {
        Fail(EINVAL);
        return INVALID_HANDLE_VALUE;
    }
    // Regular files only: opening a FIFO would wait for its other end, and
    // folders and devices hold no file's bytes. The name is looked at before
    // the open, so that no device is opened, and the open file again, since
    // the name may have changed in between; O_NONBLOCK keeps that open from
    // waiting and is cleared after it.
    struct stat info {};
    if (::stat(fileName, &info) != 0) {
        Fail(errno);
        return INVALID_HANDLE_VALUE;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
        return INVALID_HANDLE_VALUE;
    }
    const bool reading = (desiredAccess & GENERIC_READ) != 0;
    const bool writing = (desiredAccess & GENERIC_WRITE) != 0;
    const int flags = O_CLOEXEC | O_NOCTTY | (reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY);
    int fd;
    do {
        fd = ::open(fileName, flags | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        Fail(errno);
        return INVALID_HANDLE_VALUE;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
        const int error = S_ISREG(info.st_mode) ? errno : EINVAL;
        ::close(fd);
        Fail(error);
        return INVALID_HANDLE_VALUE;
    }
    Succeed();
    return HandleFromFd(fd);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    int fd = FdFromHandle(file);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        Fail(fd < 0 ? EBADF : errno);
        return INVALID_FILE_SIZE;
    }
    auto size = static_cast<std::uint64_t>(info.st_size);
    if (sizeHigh != nullptr) {
        *sizeHigh = static_cast<DWORD>(size >> 32);
    }
    Succeed();
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD bytesRead, LPOVERLAPPED /*overlapped*/)
{
    if (bytesRead != nullptr) {
        *bytesRead = 0;
    }
    int fd = FdFromHandle(file);
    if (fd < 0) {
        return Fail(EBADF);
    }
    auto* out = static_cast<unsigned char*>(buffer);
    DWORD done = 0;
    while (done < count) {
        ssize_t got = ::read(fd, out + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Fail(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<DWORD>(got);
        if (bytesRead != nullptr) {
            *bytesRead = done;
        }
    }
    return Succeed();
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD bytesWritten, LPOVERLAPPED /*overlapped*/)
{
    if (bytesWritten != nullptr) {
        *bytesWritten = 0;
    }
    int fd = FdFromHandle(file);
    if (fd < 0) {
        return Fail(EBADF);
    }
    const auto* in = static_cast<const unsigned char*>(buffer);
    DWORD done = 0;
    while (done < count) {
        ssize_t put = ::write(fd, in + done, count - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return Fail(put < 0 ? errno : EIO);
        }
        done += static_cast<DWORD>(put);
        if (bytesWritten != nullptr) {
            *bytesWritten = done;
        }
    }
    return Succeed();
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod)
{
    int fd = FdFromHandle(file);
    if (fd < 0) {
        Fail(EBADF);
        return INVALID_SET_FILE_POINTER;
    }
    std::int64_t offset = distanceHigh != nullptr
        ? static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32)
                                    | static_cast<DWORD>(distance))
        : static_cast<std::int64_t>(distance);
    if (moveMethod != FILE_BEGIN) {
        Fail(EINVAL);
        return INVALID_SET_FILE_POINTER;
    }
    off_t position = ::lseek(fd, static_cast<off_t>(offset), SEEK_SET);
    if (position < 0) {
        Fail(errno);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh != nullptr) {
        *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
    }
    Succeed();
    return static_cast<DWORD>(static_cast<std::uint64_t>(position) & 0xFFFFFFFFu);
}

BOOL FlushFileBuffers(HANDLE file)
{
    int fd = FdFromHandle(file);
    if (fd < 0) {
        return Fail(EBADF);
    }
    return ::fsync(fd) == 0 ? Succeed() : Fail(errno);
}

BOOL CloseHandle(HANDLE object)
{
    int fd = FdFromHandle(object);
    if (fd < 0) {
        return Fail(EBADF);
    }
    // The descriptor is gone after close() even when it reports EINTR, so no retry.
    if (::close(fd) != 0) {
        return Fail(errno);
    }
    return Succeed();
}

DWORD GetLastError() { return t_lastError; }
