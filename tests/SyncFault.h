#pragma once
// Programs whose syncs a test controls through the interposer of SyncFault.cpp.

#include "tests/ProcessRun.h"

#include <string>
#include <vector>

// The environment that preloads the interposer: the syncs of regular files ("file") or of
// folders ("folder") fail with EIO, and the program stops in its stopAt-th sync of a file (0: never).
inline std::vector<std::string> WithSyncFault(std::vector<std::string> environment, const std::string& fail, int stopAt)
{
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    // The interposer comes before the sanitizer's runtime in a sanitizer build.
    environment.push_back(std::string("ASAN_OPTIONS=") + (sanitizer != nullptr ? sanitizer : "")
                          + ":verify_asan_link_order=0");
    environment.push_back(std::string("LD_PRELOAD=") + VARNO_SYNC_FAULT_LIBRARY);
    environment.push_back("VARNO_SYNC_FAIL=" + fail);
    environment.push_back("VARNO_SYNC_STOP=" + std::to_string(stopAt));
    return environment;
}

// Waits for the child; when it stops in a sync, runs whileStopped and lets it go on. Fits RunProcess's await.
inline bool AwaitSyncStop(pid_t child, int& status, const std::function<void(pid_t)>& whileStopped)
{
    if (::waitpid(child, &status, WUNTRACED) == child && WIFSTOPPED(status)) {
        whileStopped(child);
        ::kill(child, SIGCONT);
        ::waitpid(child, &status, 0);
    }
    return true;
}
