#pragma once
// How a file gets its new content. The new bytes go to a temporary file beside
// it that takes the old file's owner, group, mode, ACL and extended attributes,
// reaches the disk and takes the old file's place; then the folder is synced.
// A file with several hard links, one whose attributes a new file cannot carry
// exactly, and one that cannot be replaced (a folder this user may not write, a
// bind mount, a name with no room for the temporary's suffix) is written over
// in place instead, and put back when that fails. Signals that end a program
// wait for a save to end (SignalHold). Names are the bytes that the
// system uses: Qt's names are text, and cannot carry a name that is not valid
// UTF-8, as names from old Windows disks often are (windows-1251, cp866).
// Failures leave errno set.

#include <functional>
#include <string>
#include <sys/stat.h>

class FolderEntry;

// Looks at the file on disk (its status and bytes) right before it is replaced
// or written over; false stops the save.
using SaveCheck = std::function<bool(const struct stat& status, const std::string& bytes)>;

// Gives the entry's file the content, or creates it; rWritten receives the
// status of the file written. False on failure (with errno), or when check stops
// it; the file then stays as it was.
bool SaveFile(const FolderEntry& entry, const std::string& content, const SaveCheck& check, struct stat& rWritten);

