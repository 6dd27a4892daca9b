#include "platform/FilePath.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

// Paths stay the bytes that the system uses: a name from an old disk need not
// be valid UTF-8, and no text round trip may change it.
namespace {
std::string Canonical(LPCSTR path)
{
    char resolved[PATH_MAX];
    return ::realpath(path, resolved) != nullptr ? std::string(resolved) : AfxFullPath(path);
}
} // namespace

std::string AfxGetFileName(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string AfxFullPath(LPCSTR path)
{
    if (path == nullptr || path[0] == '\0') {
        return {};
    }
    std::string full = path;
    if (full[0] != '/') {
        char cwd[PATH_MAX];
        full = std::string(::getcwd(cwd, sizeof cwd) != nullptr ? cwd : "") + "/" + full;
    }
    // "." and empty components dropped, ".." takes the one before it away.
    full = std::filesystem::path(full).lexically_normal().native();
    if (full.size() > 1 && full.back() == '/') {
        full.pop_back();
    }
    return full;
}

bool AfxComparePath(LPCSTR path1, LPCSTR path2)
{
    if (path1 == nullptr || path2 == nullptr || path1[0] == '\0' || path2[0] == '\0') {
        return false;
    }
    return Canonical(path1) == Canonical(path2);
}
