#include "storage/DiskState.h"

#include "storage/ContentDigest.h"
#include "storage/FolderEntry.h"
#include "storage/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

// Where the entry's name leads; false with errno.
bool GetPlace(const FolderEntry& entry, DiskState::Place& rPlace)
{
    struct stat folder {};
    rPlace.name = entry.Name();
    if (::fstat(entry.Folder(), &folder) != 0) {
        return false;
    }
    rPlace.folder = {static_cast<std::int64_t>(folder.st_dev), static_cast<std::int64_t>(folder.st_ino)};
    return true;
}

} // namespace

bool GetDiskState(const FolderEntry& entry, const struct stat& status, const std::string& digest, DiskState& rState)
{
    rState.size = static_cast<std::uint64_t>(status.st_size);
    rState.identity = {static_cast<std::int64_t>(status.st_dev), static_cast<std::int64_t>(status.st_ino),
                       status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
    rState.digest = digest;
    return GetPlace(entry, rState.place);
}

bool NameLeadsElsewhere(const DiskState& expected, const FolderEntry& entry)
{
    DiskState::Place now;
    GetPlace(entry, now);
    return now != expected.place;
}

bool IsChanged(const DiskState& expected, const FolderEntry& entry, const struct stat& status, const std::string& bytes)
{
    DiskState now;
    GetDiskState(entry, status, Digest(bytes), now);
    return now != expected;
}

bool IsChangedOnDisk(const std::string& path, const DiskState& expected)
{
    FolderEntry entry;
    struct stat status {};
    if (!entry.Open(path)) {
        return false;
    }
    const int fd = entry.OpenFile(O_RDONLY, status);
    if (fd < 0) {
        return false;
    }
    std::string bytes;
    const bool read = ReadAll(fd, bytes);
    ::close(fd);
    return read && IsChanged(expected, entry, status, bytes);
}
