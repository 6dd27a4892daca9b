#include "platform/HandOverClient.h"

#include "platform/HandOverSocket.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <string>
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

// The argument as an absolute path, byte for byte: the editor runs in another folder.
std::string Absolute(const std::string& argument)
{
    if (argument.front() == '/') {
        return argument;
    }
    std::vector<char> folder(PATH_MAX);
    return ::getcwd(folder.data(), folder.size()) != nullptr ? std::string(folder.data()) + "/" + argument : "";
}

enum class Offer { handedOver, nobodyListens, refused, noAnswer };

Offer OfferFiles(const std::string& socketPath, const std::string& message)
{
    QLocalSocket socket;
    socket.connectToServer(QFile::decodeName(socketPath.c_str()));
    if (!socket.waitForConnected(kAnswerMs)) {
        return Offer::nobodyListens;
    }
    if (!AfxPeerIsThisUser(static_cast<int>(socket.socketDescriptor()))) {
        return Offer::refused;
    }
    socket.write(message.data(), static_cast<qint64>(message.size()));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kAnswerMs)) {
            return Offer::noAnswer;
        }
    }
    char answer = 0;
    if (!socket.waitForReadyRead(kAnswerMs) || !socket.getChar(&answer) || answer != kHandOverAccepted) {
        return Offer::noAnswer;
    }
    return Offer::handedOver;
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
// outlives this program and its terminal.
pid_t StartEditor(const std::string& program)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    char name[] = "varno";
    char* arguments[] = {name, nullptr};
    pid_t pid = -1;
    const int result = posix_spawn(&pid, program.c_str(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The exit status once the socket has given an outcome; -1 while nobody listens on it.
int Conclude(const std::string& socketPath, const std::string& message)
{
    const std::string refusal = "refusing " + socketPath + ": it is not a private socket of this user";
    if (!AfxIsPrivateSocket(socketPath)) {
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

} // namespace

int AfxHandOverMain(int argc, char** argv)
{
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.empty()) {
            return Fail("an empty file name cannot be opened");
        }
        paths.push_back(Absolute(argument));
        if (paths.back().empty()) {
            return Fail("the current folder is unknown, so " + argument + " cannot be found");
        }
    }
    const HandOverAddress address = AfxHandOverAddress();
    if (address.path.empty()) {
        return Fail(address.error);
    }
    int qtArgc = 1;
    char qtName[] = "varno-open";
    char* qtArgv[] = {qtName, nullptr};
    QCoreApplication application(qtArgc, qtArgv);
    const std::string message = AfxEncodeHandOver(paths);

    // A stale socket, nobody listening, is replaced by the editor started below.
    if (Exists(address.path)) {
        if (const int status = Conclude(address.path, message); status >= 0) {
            return status;
        }
    }

    const std::string editor = FindEditor();
    if (editor.empty()) {
        return Fail("no editor runs, and varno is neither beside varno-open nor on PATH");
    }
    const pid_t pid = StartEditor(editor);
    if (pid < 0) {
        return Fail("cannot start " + editor);
    }
    QDeadlineTimer deadline(kEditorStartMs);
    while (!deadline.hasExpired()) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            return Fail("the editor ended before it took the files");
        }
        if (Exists(address.path)) {
            if (const int status = Conclude(address.path, message); status >= 0) {
                return status;
            }
        }
        QThread::msleep(50);
    }
    return Fail("the editor did not answer within " + std::to_string(kEditorStartMs / 1000) + " seconds");
}
