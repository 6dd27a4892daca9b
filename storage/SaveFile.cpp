#include "storage/SaveFile.h"

#include "storage/FolderEntry.h"
#include "storage/RegularFile.h"
#include "storage/SignalHold.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <linux/limits.h>
#include <random>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

enum class Step { done, failed, inPlace };

// Failures that tell that the file cannot be replaced, though it may be written
// over: a folder that this user may not write (or a sticky one), no room in the
// name for the temporary's suffix, a file that is a mount point.
bool CannotReplace(int error)
{
    return error == EACCES || error == EPERM || error == ENAMETOOLONG || error == EBUSY || error == EXDEV;
}

void CloseKeepingError(int fd)
{
    const int error = errno;
    ::close(fd);
    errno = error;
}

// After the temporary file could not be made or renamed: a file that exists and only cannot be
// replaced is written over in place.
Step InPlaceOrFailed(bool exists)
{
    if (exists && CannotReplace(errno)) {
        return Step::inPlace;
    }
    return Step::failed;
}

// Writes the bytes at the offset; returns how many reached the file (errno tells why not all).
std::size_t WriteAt(int fd, const char* data, std::size_t count, off_t offset)
{
    const std::size_t done = TransferAll(count, [&](std::size_t at, std::size_t left) {
        return ::pwrite(fd, data + at, left, offset + static_cast<off_t>(at));
    });
    if (done < count && errno == 0) {
        errno = ENOSPC;
    }
    return done;
}

// Opens the entry's file and reads it whole: the descriptor, or -1 with errno.
int OpenAndRead(const FolderEntry& entry, int flags, struct stat& rStatus, std::string& rBytes)
{
    const int fd = entry.OpenFile(flags, rStatus);
    if (fd >= 0 && !ReadAll(fd, rBytes)) {
        CloseKeepingError(fd);
        return -1;
    }
    return fd;
}

// The names of the file's extended attributes that this user can see, its ACL
// (system.posix_acl_access) among them; none where the file system keeps none.
// The system gives no list longer than XATTR_LIST_MAX, so one buffer of that size holds any.
bool ListAttributes(int fd, std::vector<std::string>& names)
{
    std::string list(XATTR_LIST_MAX, '\0');
    const ssize_t size = ::flistxattr(fd, list.data(), list.size());
    if (size < 0) {
        return errno == ENOTSUP;
    }
    list.resize(static_cast<std::size_t>(size));
    std::size_t start = 0;
    for (std::size_t end = list.find('\0'); end != std::string::npos; end = list.find('\0', start)) {
        names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

// Gives the new file the old one's owner, group, mode, ACL and other extended
// attributes, in this order: a change of owner clears the set-id bits, and the
// ACL sets the group bits of the mode. False when the new file cannot have them
// all exactly: another owner, a group or an attribute that this user may not give.
bool CarryAttributes(int from, const struct stat& old, int to)
{
    std::vector<std::string> names;
    std::vector<std::string> inherited; // from the folder's default ACL
    if (::fchown(to, old.st_uid, old.st_gid) != 0 || ::fchmod(to, old.st_mode & 07777) != 0
        || !ListAttributes(from, names) || !ListAttributes(to, inherited)) {
        return false;
    }
    for (const std::string& name : inherited) {
        if (std::find(names.begin(), names.end(), name) == names.end() && ::fremovexattr(to, name.c_str()) != 0) {
            return false;
        }
    }
    // No value is longer than XATTR_SIZE_MAX.
    std::string value(XATTR_SIZE_MAX, '\0');
    for (const std::string& name : names) {
        const ssize_t size = ::fgetxattr(from, name.c_str(), value.data(), value.size());
        if (size < 0 || ::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(size), 0) != 0) {
            return false;
        }
    }
    struct stat now {};
    return ::fstat(to, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid && now.st_mode == old.st_mode;
}

// A temporary file beside the target, removed when this goes unless it took the target's place.
struct Temporary {
    int folder;
    int fd = -1;
    std::string name;

    ~Temporary()
    {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        if (!name.empty()) {
            ::unlinkat(folder, name.c_str(), 0);
        }
        errno = error;
    }

    // Named after the target with a random suffix of seven bytes.
    bool Create(const std::string& target, mode_t mode)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            char suffix[8];
            std::snprintf(suffix, sizeof suffix, ".%06x", random() & 0xFFFFFFu);
            const std::string candidate = target + suffix;
            fd = ::openat(folder, candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd >= 0) {
                name = candidate;
            } else if (errno != EEXIST) {
                return false;
            }
        }
        return fd >= 0;
    }
};

// Puts the temporary file in the target's place and has the folder reach the
// disk. An exchange keeps the old file under the temporary's name until then, so
// that it can go back when the folder cannot be synced; a file system that cannot
// exchange two names (EINVAL) gets a plain rename.
Step PutInPlace(const FolderEntry& entry, Temporary& temporary, bool exists)
{
    const int folder = entry.Folder();
    const std::string moved = temporary.name;
    bool exchanged = false;
    if (exists) {
        exchanged = ::renameat2(folder, moved.c_str(), folder, entry.Name().c_str(), RENAME_EXCHANGE) == 0;
        if (!exchanged && errno != EINVAL && errno != ENOENT) {
            return InPlaceOrFailed(exists);
        }
    }
    if (!exchanged) {
        if (::renameat(folder, moved.c_str(), folder, entry.Name().c_str()) != 0) {
            return InPlaceOrFailed(exists);
        }
        temporary.name.clear();
    }
    if (::fsync(folder) == 0) {
        return Step::done;
    }
    const int error = errno;
    if (exchanged) {
        ::renameat2(folder, moved.c_str(), folder, entry.Name().c_str(), RENAME_EXCHANGE);
    } else if (!exists) {
        ::unlinkat(folder, entry.Name().c_str(), 0);
    }
    errno = error;
    return Step::failed;
}

// Replaces the old file (oldFd, or -1 when there is none) with a new one.
Step ReplaceWithTemporary(const FolderEntry& entry, int oldFd, const struct stat& old, const std::string& content,
                          const SaveCheck& check, struct stat& rWritten)
{
    const bool exists = oldFd >= 0;
    // A folder that cannot be synced could not make a rename last.
    if (exists && !entry.CanSync()) {
        return Step::inPlace;
    }
    // A new file gets the mode that the umask leaves; a replacement gets the old file's attributes.
    Temporary temporary{entry.Folder(), -1, {}};
    if (!temporary.Create(entry.Name(), exists ? 0600 : 0666)) {
        return InPlaceOrFailed(exists);
    }
    if (WriteAt(temporary.fd, content.data(), content.size(), 0) != content.size()) {
        return Step::failed;
    }
    // Carried once the content is written: a write by a user who may not set them clears the set-id bits.
    if (exists && !CarryAttributes(oldFd, old, temporary.fd)) {
        return Step::inPlace;
    }
    // A full disk may only show when the data reaches it.
    if (::fsync(temporary.fd) != 0 || ::fstat(temporary.fd, &rWritten) != 0) {
        return Step::failed;
    }
    // The file's last look, now that the new content is on disk.
    struct stat now {};
    std::string bytes;
    const int current = OpenAndRead(entry, O_RDONLY, now, bytes);
    if (current < 0 && errno != ENOENT) {
        return Step::failed;
    }
    if (current >= 0) {
        ::close(current);
        if (!check(now, bytes)) {
            return Step::failed;
        }
    }
    // Another file in its place, a link added or attributes changed since they
    // were carried: written over in place, which keeps what the file has now.
    const bool same = exists && now.st_dev == old.st_dev && now.st_ino == old.st_ino
        && now.st_ctim.tv_sec == old.st_ctim.tv_sec && now.st_ctim.tv_nsec == old.st_ctim.tv_nsec;
    if ((current >= 0 || exists) && !same) {
        return Step::inPlace;
    }
    return PutInPlace(entry, temporary, exists);
}

// A write clears the set-id bits of a file unless the writer may set them: its
// owner gives them back. Others may not, so that they stay cleared.
void KeepMode(int fd, mode_t mode)
{
    const int error = errno;
    struct stat now {};
    if (::fstat(fd, &now) == 0 && now.st_mode != mode) {
        ::fchmod(fd, mode & 07777);
    }
    errno = error;
}

// Writes the range where the new content differs from the old one over the
// file (of this mode), then syncs it; when that fails, what was written is put back.
bool WriteInPlace(int fd, mode_t mode, const std::string& oldContent, const std::string& newContent)
{
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
    KeepMode(fd, mode);
    ok = ok && ::fsync(fd) == 0;
    if (ok) {
        return true;
    }
    const int error = errno;
    // Back to the old bytes: those overwritten and, for a shorter content, the old tail.
    std::size_t end = std::min(first + written, oldContent.size());
    if (newContent.size() < oldContent.size()) {
        end = oldContent.size();
    }
    WriteAt(fd, oldContent.data() + first, end - first, static_cast<off_t>(first));
    const bool truncated = ::ftruncate(fd, static_cast<off_t>(oldContent.size())) == 0;
    KeepMode(fd, mode);
    if (truncated) {
        ::fsync(fd);
    }
    errno = error;
    return false;
}

Step WriteOver(const FolderEntry& entry, const std::string& content, const SaveCheck& check, struct stat& rWritten)
{
    struct stat status {};
    std::string old;
    const int fd = OpenAndRead(entry, O_RDWR, status, old);
    if (fd < 0) {
        return Step::failed;
    }
    Step step = Step::failed;
    if (check(status, old) && WriteInPlace(fd, status.st_mode, old, content) && ::fstat(fd, &rWritten) == 0) {
        step = Step::done;
    }
    CloseKeepingError(fd);
    return step;
}

} // namespace

bool SaveFile(const FolderEntry& entry, const std::string& content, const SaveCheck& check, struct stat& rWritten)
{
    const SignalHold hold;
    struct stat old {};
    const int oldFd = entry.OpenFile(O_RDONLY, old);
    if (oldFd < 0 && errno != ENOENT) {
        return false;
    }
    Step step = Step::inPlace;
    // A rename would leave the other links of the file with the old content.
    if (oldFd < 0 || old.st_nlink == 1) {
        step = ReplaceWithTemporary(entry, oldFd, old, content, check, rWritten);
    }
    if (oldFd >= 0) {
        CloseKeepingError(oldFd);
    }
    if (step == Step::inPlace) {
        step = WriteOver(entry, content, check, rWritten);
    }
    return step == Step::done;
}

