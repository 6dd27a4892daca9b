#pragma once
// How a file gets its new content. The new bytes go to a temporary file beside
// it that takes the old file's owner, group, mode, ACL and extended attributes,
// reaches the disk and takes the old file's place; then the folder is synced.
// A file with several hard links, one whose attributes a new file cannot carry
// exactly, and one that cannot be replaced (a folder this user may not write, a
// bind mount, a name with no room for the temporary's suffix) is written over
// in place instead, and put back when that fails. Signals that end a program
// wait for a save to end (CSignalHold). Names are the bytes that the
// system uses: Qt's names are text, and cannot carry a name that is not valid
// UTF-8, as names from old Windows disks often are (windows-1251, cp866).
// Failures leave errno set.

#include <functional>
#include <string>
#include <sys/stat.h>

// The folder that holds a file, open, and the file's name in it. A name that is
// a symbolic link is followed here, once; every later step works relative to the
// folder and follows no link, so that a name changed in between cannot lead to
// another file: a link put in the file's place fails with ELOOP.
class CFolderEntry {
public:
    CFolderEntry() = default;
    ~CFolderEntry();
    CFolderEntry(const CFolderEntry&) = delete;
    CFolderEntry& operator=(const CFolderEntry&) = delete;

    // Opens the folder of the file that the path leads to; false with errno.
    bool Open(const std::string& path);
    int Folder() const { return m_folder; }
    const std::string& Name() const { return m_name; }
    // Whether the folder can be synced: this user may read it.
    bool CanSync() const { return m_syncable; }
    // Opens the file as AfxOpenRegularFile does, without following a link; waits for
    // another program's lease on it.
    int OpenFile(int flags, struct stat& rStatus) const;

private:
    int m_folder = -1;
    std::string m_name;
    bool m_syncable = false;
};

// Looks at the file on disk (its status and bytes) right before it is replaced
// or written over; false stops the save.
using AfxSaveCheck = std::function<bool(const struct stat& status, const std::string& bytes)>;

// Gives the entry's file the content, or creates it; rWritten receives the
// status of the file written. False on failure (with errno), or when check stops
// it; the file then stays as it was.
bool AfxSaveFile(const CFolderEntry& entry, const std::string& content, const AfxSaveCheck& check,
                 struct stat& rWritten);

// While one lives, SIGINT, SIGTERM and SIGHUP wait, in every thread: one that
// arrives is acted on when the last hold ends, so that a write and its put-back
// are never cut apart. A signal that was ignored stays ignored.
class CSignalHold {
public:
    CSignalHold();
    ~CSignalHold();
    CSignalHold(const CSignalHold&) = delete;
    CSignalHold& operator=(const CSignalHold&) = delete;

    // The signal that arrived while held, or 0.
    static int Pending();
};
