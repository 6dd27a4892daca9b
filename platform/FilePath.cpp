#include "platform/FilePath.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

// Paths stay the bytes that the system uses: a name from an old disk need not
// be valid UTF-8, and no text round trip may change it.

std::string AfxGetFileName(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string AfxFullPath(LPCSTR path)
{
    char folder[PATH_MAX];
    if (path == nullptr || path[0] == '\0' || (path[0] != '/' && ::getcwd(folder, sizeof folder) == nullptr)) {
        return {};
    }
    std::filesystem::path full = path[0] == '/' ? std::filesystem::path(path) : folder / std::filesystem::path(path);
    // A ".." after a symbolic link to a folder leads to that folder's parent, not back along
    // the path: such a path takes its folder as the system resolves it, or stays as it is.
    if (std::ranges::find(full, "..") != full.end()) {
        const std::filesystem::path name = full.filename();
        if (name.empty() || name == "." || name == ".." || ::realpath(full.parent_path().c_str(), folder) == nullptr) {
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
    char resolved[PATH_MAX];
    if (path == nullptr || path[0] == '\0') {
        return {};
    }
    return ::realpath(path, resolved) != nullptr ? std::string(resolved) : AfxFullPath(path);
}

bool AfxComparePath(LPCSTR path1, LPCSTR path2)
{
    const std::string resolved1 = AfxResolvePath(path1);
    return !resolved1.empty() && resolved1 == AfxResolvePath(path2);
}
