#include "platform/SaveFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SaveFile::SaveFile(std::string fileName) : m_target(std::move(fileName)) {}

SaveFile::~SaveFile() { Discard(); }

bool SaveFile::open()
{
    struct stat status {};
    char resolved[PATH_MAX];
    if (::lstat(m_target.c_str(), &status) == 0 && S_ISLNK(status.st_mode)
        && ::realpath(m_target.c_str(), resolved) != nullptr) {
        m_target = resolved;
    }
    const bool exists = ::stat(m_target.c_str(), &status) == 0;
    if (exists && ::access(m_target.c_str(), W_OK) != 0) {
        m_error = std::strerror(errno);
        return false;
    }
    m_temporary = m_target + ".XXXXXX";
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_error = std::strerror(errno);
        m_temporary.clear();
        return false;
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

qint64 SaveFile::write(const char* data, qint64 size)
{
    qint64 done = 0;
    while (m_fd >= 0 && done < size) {
        const ssize_t put = ::write(m_fd, data + done, static_cast<std::size_t>(size - done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            m_error = std::strerror(put < 0 ? errno : ENOSPC);
            break;
        }
        done += put;
    }
    return done;
}

void SaveFile::cancelWriting()
{
    m_cancelled = true;
    if (m_error.empty()) {
        m_error = "Writing canceled by the application";
    }
}

bool SaveFile::commit()
{
    if (m_fd < 0 || m_cancelled) {
        Discard();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        m_error = std::strerror(errno);
        Discard();
        return false;
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
