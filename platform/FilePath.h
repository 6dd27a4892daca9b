#pragma once
// Path helpers of the framework.

#include "platform/WinTypes.h"

#include <string>

// The last component of the path: the name with its extension, without folders.
std::string AfxGetFileName(const std::string& path);
// The absolute, cleaned form of the path (symbolic links are kept).
std::string AfxFullPath(LPCSTR path);
// Whether both paths name the same file, symbolic links and relative forms resolved.
bool AfxComparePath(LPCSTR path1, LPCSTR path2);
