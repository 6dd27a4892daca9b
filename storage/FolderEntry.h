#pragma once

#include <string>
#include <sys/stat.h>

// The folder that holds a file, open, and the file's name in it. A name that is
// a symbolic link is followed here, once; every later step works relative to the
// folder and follows no link, so that a name changed in between cannot lead to
// another file: a link put in the file's place fails with ELOOP.
class FolderEntry {
public:
    FolderEntry() = default;
    ~FolderEntry();
    FolderEntry(const FolderEntry&) = delete;
    FolderEntry& operator=(const FolderEntry&) = delete;

    // Opens the folder of the file that the path leads to; false with errno.
    bool Open(const std::string& path);
    int Folder() const { return m_folder; }
    const std::string& Name() const { return m_name; }
    // Whether the folder can be synced: this user may read it.
    bool CanSync() const { return m_syncable; }
    // Opens the file as OpenRegularFile does, without following a link; waits for
    // another program's lease on it.
    int OpenFile(int flags, struct stat& rStatus) const;

private:
    int m_folder = -1;
    std::string m_name;
    bool m_syncable = false;
};
