#include "platform/SaveFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Writes the bytes at the offset; returns how many reached the file (errno tells why not all).
std::size_t WriteAt(int fd, const char* data, std::size_t count, off_t offset)
{
    std::size_t done = 0;
    while (done < count) {
        ssize_t put = ::pwrite(fd, data + done, count - done, offset + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            if (put == 0) {
                errno = ENOSPC;
            }
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    return done;
}

// Gives the new file the old one's owner, group and mode, as far as this user may.
void KeepOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // The group alone may still be one of this user's.
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    // After the owner: a change of owner clears the set-id bits.
    (void)::fchmod(fd, old.st_mode & 07777);
}
} // namespace

int AfxCreateTemporaryBeside(std::string& target, std::string& temporary)
{
    struct stat status {};
    char resolved[PATH_MAX];
    if (::lstat(target.c_str(), &status) == 0 && S_ISLNK(status.st_mode) && ::realpath(target.c_str(), resolved)) {
        target = resolved;
    }
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return -1;
    }
    temporary = target + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        temporary.clear();
        return -1;
    }
    mode_t mode = status.st_mode & 0777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    return fd;
}

bool AfxReplaceWithTemporary(int fd, const std::string& temporary, const std::string& target,
                             const std::string& content, struct stat& rWritten)
{
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        KeepOwnerAndMode(fd, old);
    }
    // A full disk may only show when the data reaches it.
    const bool whole = WriteAt(fd, content.data(), content.size(), 0) == content.size() && ::fsync(fd) == 0
        && ::fstat(fd, &rWritten) == 0;
    const int writeError = errno;
    if (::close(fd) == 0 && whole && ::rename(temporary.c_str(), target.c_str()) == 0) {
        return true;
    }
    const int error = whole ? errno : writeError;
    ::unlink(temporary.c_str());
    errno = error;
    return false;
}

bool AfxWriteInPlace(int fd, const std::string& oldContent, const std::string& newContent)
{
    // The range [first, last) of the new content that differs from the old one.
    const std::size_t common = std::min(oldContent.size(), newContent.size());
    std::size_t first = 0;
    while (first < common && oldContent[first] == newContent[first]) {
        ++first;
    }
    std::size_t last = newContent.size();
    if (oldContent.size() == newContent.size()) {
        while (last > first && oldContent[last - 1] == newContent[last - 1]) {
            --last;
        }
    }
    const std::size_t count = last - first;
    const std::size_t written = WriteAt(fd, newContent.data() + first, count, static_cast<off_t>(first));
    bool ok = written == count;
    if (ok && newContent.size() < oldContent.size()) {
        ok = ::ftruncate(fd, static_cast<off_t>(newContent.size())) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    if (ok) {
        return true;
    }
    const int error = errno;
    // Back to the old bytes: those overwritten and, for a shorter content, the old tail.
    const std::size_t end =
        newContent.size() < oldContent.size() ? oldContent.size() : std::min(first + written, oldContent.size());
    WriteAt(fd, oldContent.data() + first, end - first, static_cast<off_t>(first));
    if (::ftruncate(fd, static_cast<off_t>(oldContent.size())) == 0) {
        ::fsync(fd);
    }
    errno = error;
    return false;
}
