#pragma once
// Path helpers of the framework.

#include "platform/WinTypes.h"

#include <string>

// The last component of the path: the name with its extension, without folders.
std::string AfxGetFileName(const std::string& path);
// The absolute form of the path without "." steps and doubled slashes. A ".." step is taken
// as the system takes it, through the folder's real path; the file's own symbolic link is
// kept. Empty for an empty path, and when the current folder cannot be known.
std::string AfxFullPath(LPCSTR path);
// The path with symbolic links and relative forms resolved, as far as the file exists;
// what identifies a file when names are compared. Empty for an empty path.
std::string AfxResolvePath(LPCSTR path);
