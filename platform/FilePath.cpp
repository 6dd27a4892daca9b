#include "platform/FilePath.h"

#include <algorithm>
#include <filesystem>

// Paths stay the bytes that the system uses: a name from an old disk need not
// be valid UTF-8, and no text round trip may change it.

std::string AfxGetFileName(const std::string& path) { return std::filesystem::path(path).filename().native(); }

std::string AfxFullPath(LPCSTR path)
{
    // An empty path is an error to std::filesystem.
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) {
        return {};
    }
    // A ".." after a symbolic link to a folder leads to that folder's parent, not back along
    // the path: such a path takes its folder as the system resolves it, or stays as it is.
    if (std::ranges::find(full, "..") != full.end()) {
        const std::filesystem::path name = full.filename();
        const std::filesystem::path folder = std::filesystem::canonical(full.parent_path(), error);
        if (name.empty() || name == "." || name == ".." || error) {
            return full.native();
        }
        full = folder / name;
    }
    // "." and empty components dropped; the file itself stays a link when it is one.
    std::string cleaned = full.lexically_normal().native();
    if (cleaned.size() > 1 && cleaned.back() == '/') {
        cleaned.pop_back();
    }
    return cleaned;
}

std::string AfxResolvePath(LPCSTR path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    if (error) {
        return AfxFullPath(path);
    }
    return resolved.native();
}
