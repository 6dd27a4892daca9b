#pragma once
// Writing a file's new content over its old one, for a file that must stay the
// same file (one with several hard links). Only the range where the two differ
// is written, then synced; when that fails, what was written is put back.

#include <string>

// fd is open for reading and writing on the file that holds oldContent.
// False, with the system's reason, when the new content could not be made to stick.
bool AfxWriteInPlace(int fd, const std::string& oldContent, const std::string& newContent, std::string& error);
