#pragma once
// The two ways a file gets its new content. Names are the bytes that the
// system uses: Qt's names are text, and cannot carry a name that is not valid
// UTF-8, as names from old Windows disks often are (windows-1251, cp866).
// Failures leave errno set.

#include <string>
#include <sys/stat.h>

// A new file beside target, named in temporary, with the permissions of the
// target or of a new file; a symbolic link target is resolved first, so that
// the link keeps pointing at the replaced file. Its descriptor, or -1.
int AfxCreateTemporaryBeside(std::string& target, std::string& temporary);

// Writes content to the temporary file, gives it the target's owner, group and
// mode, has its bytes reach the disk and puts it in the target's place; rWritten
// receives its status. The descriptor is closed; on failure the target stays as it was.
bool AfxReplaceWithTemporary(int fd, const std::string& temporary, const std::string& target,
                             const std::string& content, struct stat& rWritten);

// fd is open for reading and writing on the file that holds oldContent, which
// must stay the same file (it has several hard links). Only the range where
// the two differ is written, then synced; when that fails, what was written is put back.
bool AfxWriteInPlace(int fd, const std::string& oldContent, const std::string& newContent);
