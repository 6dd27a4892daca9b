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
    int flags = O_CLOEXEC;
    bool reading = (desiredAccess & GENERIC_READ) != 0;
    bool writing = (desiredAccess & GENERIC_WRITE) != 0;
    flags |= reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    switch (creationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: Fail(EINVAL); return INVALID_HANDLE_VALUE;
    }
    int fd;
    do {
        fd = ::open(fileName, flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        Fail(errno);
        return INVALID_HANDLE_VALUE;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
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
    int whence = moveMethod == FILE_BEGIN ? SEEK_SET : moveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    off_t position = ::lseek(fd, static_cast<off_t>(offset), whence);
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
