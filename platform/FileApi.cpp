#include "platform/FileApi.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A handle is the file descriptor plus one, so that no valid handle is null
// and none equals INVALID_HANDLE_VALUE.
HANDLE HandleFromFd(int fd) { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1); }

// Null and INVALID_HANDLE_VALUE give -1 and -2, which the system refuses with EBADF.
int FdFromHandle(HANDLE handle) { return static_cast<int>(reinterpret_cast<std::intptr_t>(handle) - 1); }

// TRUE when the system call succeeded (did not answer -1); errno, the thread's last
// error that GetLastError tells, is then 0.
BOOL KeepResult(long result)
{
    if (result < 0) {
        return FALSE;
    }
    errno = 0;
    return TRUE;
}

} // namespace

int AfxNotRegularError(const struct stat& status)
{
    if (S_ISREG(status.st_mode)) {
        return 0;
    }
    if (S_ISDIR(status.st_mode)) {
        return EISDIR;
    }
    return S_ISLNK(status.st_mode) ? ELOOP : EINVAL;
}

int AfxOpenRegularFile(int folder, LPCSTR fileName, int flags, struct stat& rStatus, bool waitForLease)
{
    const int lookup = (flags & O_NOFOLLOW) != 0 ? AT_SYMLINK_NOFOLLOW : 0;
    if (::fstatat(folder, fileName, &rStatus, lookup) != 0) {
        return -1;
    }
    if (const int error = AfxNotRegularError(rStatus); error != 0) {
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
    // Looked at again once open, as the name may have changed in between; reads and writes may wait again.
    int error = 0;
    if (::fstat(fd, &rStatus) != 0 || ::fcntl(fd, F_SETFL, 0) != 0) {
        error = errno;
    } else {
        error = AfxNotRegularError(rStatus);
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD /*shareMode*/, LPSECURITY_ATTRIBUTES /*security*/,
                   DWORD /*creationDisposition*/, DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/)
{
    int flags = O_RDONLY;
    if ((desiredAccess & GENERIC_WRITE) != 0) {
        flags = O_RDWR;
    }
    struct stat status {};
    const int fd = AfxOpenRegularFile(AT_FDCWD, fileName, flags, status, false);
    if (!KeepResult(fd)) {
        return INVALID_HANDLE_VALUE;
    }
    return HandleFromFd(fd);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    struct stat status {};
    if (!KeepResult(::fstat(FdFromHandle(file), &status))) {
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    *sizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD bytesRead, LPOVERLAPPED /*overlapped*/)
{
    const int fd = FdFromHandle(file);
    auto* bytes = static_cast<char*>(buffer);
    *bytesRead = static_cast<DWORD>(
        AfxTransfer(count, [&](std::size_t done, std::size_t left) { return ::read(fd, bytes + done, left); }));
    return errno == 0;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD bytesWritten, LPOVERLAPPED /*overlapped*/)
{
    const int fd = FdFromHandle(file);
    const auto* bytes = static_cast<const char*>(buffer);
    *bytesWritten = static_cast<DWORD>(
        AfxTransfer(count, [&](std::size_t done, std::size_t left) { return ::write(fd, bytes + done, left); }));
    // A write that moves nothing and tells no error: the disk takes no more.
    if (*bytesWritten < count && errno == 0) {
        errno = EIO;
    }
    return errno == 0;
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG /*distanceHigh*/, DWORD /*moveMethod*/)
{
    const off_t position = ::lseek(FdFromHandle(file), static_cast<off_t>(distance), SEEK_SET);
    if (!KeepResult(position)) {
        return INVALID_SET_FILE_POINTER;
    }
    return static_cast<DWORD>(position);
}

BOOL FlushFileBuffers(HANDLE file) { return KeepResult(::fsync(FdFromHandle(file))); }

// The descriptor is gone after close() even when it reports EINTR, so no retry.
BOOL CloseHandle(HANDLE object) { return KeepResult(::close(FdFromHandle(object))); }

DWORD GetLastError() { return static_cast<DWORD>(errno); }
