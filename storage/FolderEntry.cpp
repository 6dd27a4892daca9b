#include "storage/FolderEntry.h"

#include "storage/RegularFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

FolderEntry::~FolderEntry()
{
    if (m_folder >= 0) {
        ::close(m_folder);
    }
}

bool FolderEntry::Open(const std::string& path)
{
    struct stat status {};
    std::filesystem::path file = path;
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) == nullptr) {
            return false;
        }
        file = resolved;
    }
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    m_name = file.filename();
    if (m_name.empty()) {
        errno = EISDIR;
        return false;
    }
    m_folder = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    m_syncable = m_folder >= 0;
    if (m_folder < 0 && errno == EACCES) {
        // A folder that may be searched but not read still gives its files.
        m_folder = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    return m_folder >= 0;
}

int FolderEntry::OpenFile(int flags, struct stat& rStatus) const
{
    return OpenRegularFile(m_folder, m_name.c_str(), flags | O_NOFOLLOW, rStatus, true);
}
