// varno-open FILE...: the desktop's way in. It hands the files to this user's
// editor on this display, starting the editor when none runs, so that varno's
// own command line stays the batch transplant. It exits with 0 once the editor
// holds the files, or with 1 and one line on standard error.
#include "open/HandOverSocket.h"
#include "open/OpenHelp.h"
#include "platform/FilePath.h"
#include "storage/RegularFile.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kEditorStartMs = 30000;
constexpr int kAnswerMs = 10000;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "varno-open: %s\n", message.c_str());
    return 1;
}

enum class Offer { handedOver, nobodyListens, refused, noAnswer };

Offer OfferFiles(const std::string& socketPath, const std::string& message)
{
    const int fd = ConnectLocalSocket(socketPath, kAnswerMs);
    if (fd < 0) {
        return Offer::nobodyListens;
    }
    Offer offer = Offer::refused;
    if (PeerIsThisUser(fd)) {
        // Blocking, each send for up to the time limit: a long message goes in as many sends as the
        // editor takes it in, and a send that moves nothing gives up. An editor that has gone raises no signal.
        const bool sent = TransferAll(message.size(), [&](std::size_t done, std::size_t left) {
            return ::send(fd, message.data() + done, left, MSG_NOSIGNAL);
        }) == message.size();
        char answer = 0;
        const bool taken = sent && ::read(fd, &answer, 1) == 1 && answer == kHandOverAccepted;
        offer = taken ? Offer::handedOver : Offer::noAnswer;
    }
    ::close(fd);
    return offer;
}

bool IsExecutable(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// varno beside this program, else the first one on PATH (relative entries,
// which depend on the current folder, are skipped).
std::string FindEditor()
{
    std::vector<char> self(PATH_MAX);
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length > 0) {
        std::string beside(self.data(), static_cast<std::size_t>(length));
        beside = beside.substr(0, beside.rfind('/') + 1) + "varno";
        if (IsExecutable(beside)) {
            return beside;
        }
    }
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        end = end == std::string::npos ? folders.size() : end;
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/' && IsExecutable(folder + "/varno")) {
            return folder + "/varno";
        }
        start = end + 1;
    }
    return {};
}

// The editor with an empty command line, in a session of its own so that it
// outlives this program and its terminal. It holds none of this program's
// descriptors, so a caller reading our output is not kept waiting until it
// ends: its output goes to the log.
pid_t StartEditor(const std::string& program, const std::string& log)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    char name[] = "varno";
    char* arguments[] = {name, nullptr};
    ::setenv(kStartedByVarnoOpen, "1", 1);
    pid_t pid = -1;
    const int result = posix_spawn(&pid, program.c_str(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

// The exit status once the socket has given an outcome; -1 while it is missing or nobody listens on it.
int Conclude(const std::string& socketPath, const std::string& message)
{
    if (struct stat info {}; ::lstat(socketPath.c_str(), &info) != 0) {
        return -1;
    }
    const std::string refusal = "refusing " + socketPath + ": it is not a private socket of this user";
    if (!IsPrivateSocket(socketPath)) {
        return Fail(refusal);
    }
    switch (OfferFiles(socketPath, message)) {
    case Offer::handedOver: return 0;
    case Offer::refused: return Fail(refusal);
    case Offer::noAnswer: return Fail("the editor did not take the files");
    case Offer::nobodyListens: break;
    }
    return -1;
}

// Hands the message to the editor that listens at socketPath, or to one started for it; the exit status.
int HandOver(const std::string& socketPath, const std::string& message)
{
    // A stale socket, nobody listening, is replaced by the editor started below.
    if (const int status = Conclude(socketPath, message); status >= 0) {
        return status;
    }

    const std::string editor = FindEditor();
    if (editor.empty()) {
        return Fail("no editor runs, and varno is neither beside varno-open nor on PATH");
    }
    const std::string log = socketPath + ".log";
    const pid_t pid = StartEditor(editor, log);
    if (pid < 0) {
        return Fail("cannot start " + editor);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEditorStartMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const int status = Conclude(socketPath, message); status >= 0) {
            return status;
        }
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            // It ends quietly when another editor, started meanwhile, listens: that one takes the files.
            const int status = Conclude(socketPath, message);
            return status >= 0 ? status : Fail("the editor ended before it took the files; its messages are in " + log);
        }
        ::usleep(50000);
    }
    return Fail("the editor did not answer within " + std::to_string(kEditorStartMs / 1000) + " seconds");
}

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = AnswerHelpOrVersion(argc, argv)) {
        return *status;
    }
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.empty()) {
            return Fail("an empty file name cannot be opened");
        }
        // Absolute, byte for byte: the editor runs in another folder.
        paths.push_back(AfxFullPath(argument.c_str()));
        if (paths.back().empty()) {
            return Fail("the current folder is unknown, so " + argument + " cannot be found");
        }
    }
    const HandOverAddress address = FindHandOverAddress();
    if (address.path.empty()) {
        return Fail(address.error);
    }
    // A name too long to hand over is reported; the others still go.
    std::vector<std::string> carried;
    for (const std::string& path : paths) {
        if (path.size() > kMaxHandOverPath) {
            Fail(path + ": the name is too long to hand over");
        } else {
            carried.push_back(path);
        }
    }
    const int status = HandOver(address.path, EncodeHandOver(carried));
    const bool allCarried = carried.size() == paths.size();
    return status == 0 && !allCarried ? 1 : status;
}
