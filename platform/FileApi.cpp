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
    // Null and INVALID_HANDLE_VALUE (-1) are no descriptor.
    auto value = reinterpret_cast<std::intptr_t>(handle);
    return value <= 0 || value > 0x7FFFFFFF ? -1 : static_cast<int>(value - 1);
}

// Keeps the error for GetLastError and gives the call's answer on failure.
template <typename Answer = BOOL>
Answer Fail(int error, Answer answer = FALSE)
{
    t_lastError = static_cast<DWORD>(error);
    return answer;
}

BOOL Succeed()
{
    t_lastError = 0;
    return TRUE;
}

// Reads or writes (step) until count bytes have moved; *moved tells how many
// did. A step that moves nothing ends the transfer: as a success without
// endError (the end of a read file), else as that failure.
template <typename Step>
BOOL Transfer(HANDLE file, DWORD count, DWORD& moved, Step step, int endError)
{
    const int fd = FdFromHandle(file);
    moved = 0;
    if (fd < 0) {
        return Fail(EBADF);
    }
    moved = static_cast<DWORD>(AfxTransfer(count, [&](std::size_t done, std::size_t left) { return step(fd, done, left); }));
    if (moved < count && errno != 0) {
        return Fail(errno);
    }
    if (moved < count && endError != 0) {
        return Fail(endError);
    }
    return Succeed();
}

// 0 for a regular file; folders, links, FIFOs and devices hold no file's bytes.
int NotRegularError(const struct stat& status)
{
    if (S_ISREG(status.st_mode)) {
        return 0;
    }
    if (S_ISDIR(status.st_mode)) {
        return EISDIR;
    }
    return S_ISLNK(status.st_mode) ? ELOOP : EINVAL;
}

} // namespace

int AfxOpenRegularFile(int folder, LPCSTR fileName, int flags, struct stat& rStatus, bool waitForLease)
{
    const int lookup = (flags & O_NOFOLLOW) != 0 ? AT_SYMLINK_NOFOLLOW : 0;
    if (::fstatat(folder, fileName, &rStatus, lookup) != 0) {
        return -1;
    }
    if (const int error = NotRegularError(rStatus); error != 0) {
        errno = error;
        return -1;
    }
    flags |= O_CLOEXEC | O_NOCTTY;
    int fd;
    do {
        fd = ::openat(folder, fileName, flags | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    // Only a regular file under another program's lease says "would block": that open may wait.
    if (fd < 0 && errno == EWOULDBLOCK && waitForLease) {
        fd = ::openat(folder, fileName, flags);
    }
    if (fd < 0) {
        return -1;
    }
    int error = ::fstat(fd, &rStatus) != 0 ? errno : NotRegularError(rStatus);
    if (error == 0 && ::fcntl(fd, F_SETFL, 0) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool AfxReadAll(int fd, std::string& content)
{
    char buffer[65536];
    std::size_t got = sizeof buffer;
    while (got == sizeof buffer) {
        got = AfxTransfer(sizeof buffer, [&](std::size_t done, std::size_t left) { return ::read(fd, buffer + done, left); });
        content.append(buffer, got);
    }
    return errno == 0;
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD /*shareMode*/, LPSECURITY_ATTRIBUTES /*security*/,
                   DWORD creationDisposition, DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/)
{
    if (fileName == nullptr || fileName[0] == '\0') {
        return Fail(ENOENT, INVALID_HANDLE_VALUE);
    }
    if (creationDisposition != OPEN_EXISTING) {
        return Fail(EINVAL, INVALID_HANDLE_VALUE);
    }
    const bool reading = (desiredAccess & GENERIC_READ) != 0;
    const bool writing = (desiredAccess & GENERIC_WRITE) != 0;
    struct stat status {};
    const int fd = AfxOpenRegularFile(AT_FDCWD, fileName, reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY, status, false);
    if (fd < 0) {
        return Fail(errno, INVALID_HANDLE_VALUE);
    }
    Succeed();
    return HandleFromFd(fd);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    int fd = FdFromHandle(file);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        return Fail(fd < 0 ? EBADF : errno, INVALID_FILE_SIZE);
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
    auto* out = static_cast<unsigned char*>(buffer);
    auto step = [out](int fd, std::size_t done, std::size_t left) { return ::read(fd, out + done, left); };
    return Transfer(file, count, *bytesRead, step, 0);
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD bytesWritten, LPOVERLAPPED /*overlapped*/)
{
    const auto* in = static_cast<const unsigned char*>(buffer);
    auto step = [in](int fd, std::size_t done, std::size_t left) { return ::write(fd, in + done, left); };
    // Nothing written and no error: the disk takes no more.
    return Transfer(file, count, *bytesWritten, step, EIO);
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod)
{
    // Offsets from the start below 2 GiB: all that a file of less than 2 GiB has.
    const int fd = FdFromHandle(file);
    if (fd < 0 || distanceHigh != nullptr || moveMethod != FILE_BEGIN || distance < 0) {
        return Fail(fd < 0 ? EBADF : EINVAL, INVALID_SET_FILE_POINTER);
    }
    const off_t position = ::lseek(fd, static_cast<off_t>(distance), SEEK_SET);
    if (position < 0) {
        return Fail(errno, INVALID_SET_FILE_POINTER);
    }
    Succeed();
    return static_cast<DWORD>(position);
}

BOOL FlushFileBuffers(HANDLE file)
{
    const int fd = FdFromHandle(file);
    return fd >= 0 && ::fsync(fd) == 0 ? Succeed() : Fail(fd < 0 ? EBADF : errno);
}

BOOL CloseHandle(HANDLE object)
{
    const int fd = FdFromHandle(object);
    // The descriptor is gone after close() even when it reports EINTR, so no retry.
    return fd >= 0 && ::close(fd) == 0 ? Succeed() : Fail(fd < 0 ? EBADF : errno);
}

DWORD GetLastError() { return t_lastError; }
