#include "storage/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

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

int OpenRegularFile(int folder, const char* fileName, int flags, struct stat& rStatus, bool waitForLease)
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
    // Looked at again once open, as the name may have changed in between; reads and writes may wait again.
    int error = 0;
    if (::fstat(fd, &rStatus) != 0 || ::fcntl(fd, F_SETFL, 0) != 0) {
        error = errno;
    } else {
        error = NotRegularError(rStatus);
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Appends the rest of the open file to content; false with errno on a read error.
bool ReadAll(int fd, std::string& content)
{
    char buffer[65536];
    std::size_t got = sizeof buffer;
    while (got == sizeof buffer) {
        got = TransferAll(sizeof buffer, [&](std::size_t done, std::size_t left) { return ::read(fd, buffer + done, left); });
        content.append(buffer, got);
    }
    return errno == 0;
}
