// fsync and fdatasync as a test wants them, in a program that this library is
// preloaded into or in a test linked with it. VARNO_SYNC_FAIL=file (or folder)
// makes each sync of a regular file (or of a folder) fail with EIO; VARNO_SYNC_STOP=N
// stops the process (SIGSTOP) in its Nth sync of a regular file, once the bytes
// are on disk, so that a test can act while a save is held there.

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>

namespace {

int g_fileSyncs = 0;

int Sync(int fd, const char* call)
{
    struct stat status {};
    const bool file = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, call));
    const int result = real(fd);
    const char* stop = std::getenv("VARNO_SYNC_STOP");
    if (file && stop != nullptr && ++g_fileSyncs == std::atoi(stop)) {
        ::raise(SIGSTOP);
    }
    const char* fail = std::getenv("VARNO_SYNC_FAIL");
    if (fail != nullptr && std::strcmp(fail, file ? "file" : "folder") == 0) {
        errno = EIO;
        return -1;
    }
    return result;
}

} // namespace

extern "C" int fsync(int fd) { return Sync(fd, "fsync"); }
extern "C" int fdatasync(int fd) { return Sync(fd, "fdatasync"); }
