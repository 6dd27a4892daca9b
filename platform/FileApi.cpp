#include "platform/FileApi.h"

#include "storage/RegularFile.h"

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

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD /*shareMode*/, LPSECURITY_ATTRIBUTES /*security*/,
                   DWORD /*creationDisposition*/, DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/)
{
    int flags = O_RDONLY;
    if ((desiredAccess & GENERIC_WRITE) != 0) {
        flags = O_RDWR;
    }
    struct stat status {};
    const int fd = OpenRegularFile(AT_FDCWD, fileName, flags, status, false);
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
        TransferAll(count, [&](std::size_t done, std::size_t left) { return ::read(fd, bytes + done, left); }));
    return errno == 0;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD bytesWritten, LPOVERLAPPED /*overlapped*/)
{
    const int fd = FdFromHandle(file);
    const auto* bytes = static_cast<const char*>(buffer);
    *bytesWritten = static_cast<DWORD>(
        TransferAll(count, [&](std::size_t done, std::size_t left) { return ::write(fd, bytes + done, left); }));
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
