#include "platform/SaveFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
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

SaveFile::SaveFile(std::string fileName) : m_target(std::move(fileName)) {}

SaveFile::~SaveFile() { Discard(); }

bool SaveFile::Fail()
{
    m_error = std::strerror(errno);
    Discard();
    return false;
}

bool SaveFile::Open()
{
    struct stat status {};
    char resolved[PATH_MAX];
    if (::lstat(m_target.c_str(), &status) == 0 && S_ISLNK(status.st_mode)
        && ::realpath(m_target.c_str(), resolved) != nullptr) {
        m_target = resolved;
    }
    const bool exists = ::stat(m_target.c_str(), &status) == 0;
    if (exists && ::access(m_target.c_str(), W_OK) != 0) {
        return Fail();
    }
    m_temporary = m_target + ".XXXXXX";
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_temporary.clear();
        return Fail();
    }
    mode_t mode = status.st_mode & 0777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(m_fd, mode);
    return true;
}

bool SaveFile::Write(const char* data, std::size_t size)
{
    const std::size_t put = WriteAt(m_fd, data, size, m_written);
    m_written += static_cast<off_t>(put);
    return put == size || Fail();
}

bool SaveFile::Commit(struct stat& rWritten)
{
    struct stat old {};
    if (::stat(m_target.c_str(), &old) == 0) {
        KeepOwnerAndMode(m_fd, old);
    }
    // A full disk may only show when the data reaches it.
    if (::fsync(m_fd) != 0 || ::fstat(m_fd, &rWritten) != 0) {
        return Fail();
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        return Fail();
    }
    m_temporary.clear();
    return true;
}

void SaveFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

bool AfxWriteInPlace(int fd, const std::string& oldContent, const std::string& newContent, std::string& error)
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
    error = std::strerror(errno);
    // Back to the old bytes: those overwritten and, for a shorter content, the old tail.
    const std::size_t end =
        newContent.size() < oldContent.size() ? oldContent.size() : std::min(first + written, oldContent.size());
    WriteAt(fd, oldContent.data() + first, end - first, static_cast<off_t>(first));
    if (::ftruncate(fd, static_cast<off_t>(oldContent.size())) == 0) {
        ::fsync(fd);
    }
    return false;
}
