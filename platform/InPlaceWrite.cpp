#include "platform/InPlaceWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
// Writes the bytes at the offset; returns how many reached the file.
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
                errno = EIO;
            }
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    return done;
}
} // namespace

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
