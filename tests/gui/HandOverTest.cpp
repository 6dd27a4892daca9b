// Files handed over from the desktop: varno-open runs as a process of its own
// and talks to the editor of this process, or starts one, over the real socket.
#include "tests/gui/EditorFixture.h"

#include "open/HandOverSocket.h"
#include "tests/ProcessRun.h"

#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {

constexpr uid_t kNobody = 65534;

sockaddr_un SocketAddress(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return address;
}

class HandOver : public EditorTest {
protected:
    // varno-open with the arguments, run in the folder of the samples while this
    // editor keeps serving; environment changes its environment.
    ProcessRun VarnoOpen(std::vector<std::string> arguments, const std::vector<std::string>& environment = {})
    {
        arguments.insert(arguments.begin(), VARNO_OPEN_EXECUTABLE);
        const std::string folder = m_files.Path();
        return RunProcess(
            m_files, arguments, environment, [&folder] { (void)::chdir(folder.c_str()); },
            [](pid_t child, int& status) {
                return WaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 60000);
            });
    }
};

TEST_F(HandOver, FilesOpenInTheRunningEditorAndAnOpenFileIsActivated)
{
    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    const std::string kbd = Sample("ru.kbd", samples::MakeKeyboardLayout({}));
    Sample("c_short.nls", {1, 2, 3});
    MainWindow()->showMinimized();

    // Names relative to varno-open's folder, as a shell passes them.
    ProcessRun first = VarnoOpen({"c_1251.nls", "ru.kbd"});
    EXPECT_EQ(first.exitStatus, 0) << first.err;
    ASSERT_TRUE(WaitFor([this] { return OpenDocuments().size() == 2; }));
    EXPECT_EQ(OpenDocuments()[0]->GetPathName(), nt);
    EXPECT_EQ(OpenDocuments()[1]->GetPathName(), kbd);
    EXPECT_TRUE(WaitFor([this] { return MainWindow()->windowTitle() == QStringLiteral("Varno - ru.kbd"); }));
    EXPECT_FALSE(MainWindow()->isMinimized());

    ProcessRun again = VarnoOpen({nt});
    EXPECT_EQ(again.exitStatus, 0) << again.err;
    EXPECT_TRUE(WaitFor([this] { return MainWindow()->windowTitle() == QStringLiteral("Varno - c_1251.nls"); }));
    EXPECT_EQ(OpenDocuments().size(), 2U);

    // A file that cannot be opened is reported by this editor, not by varno-open.
    ProcessRun broken = VarnoOpen({"c_short.nls"});
    EXPECT_EQ(broken.exitStatus, 0) << broken.err;
    EXPECT_TRUE(WaitFor([this] { return !m_log.Messages().empty(); }));
    EXPECT_EQ(OpenDocuments().size(), 2U);
}

TEST_F(HandOver, WithNoEditorListeningOneStartsInPlaceOfAStaleSocket)
{
    // Orphans come to this process, so that the editor started can be reaped here.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    TempDir runtime;
    TempDir config;
    const std::string socketPath = runtime.File(std::filesystem::path(FindHandOverAddress().path).filename().string());
    // What an editor that crashed leaves: a private socket file that nobody listens on.
    const sockaddr_un address = SocketAddress(socketPath);
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
    ASSERT_EQ(::chmod(socketPath.c_str(), 0700), 0);

    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    ProcessRun outcome = VarnoOpen({nt}, {"XDG_RUNTIME_DIR=" + runtime.Path().string(),
                                                          "XDG_CONFIG_HOME=" + config.Path().string()});
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;

    // The editor started has opened the file: it stands first in that editor's recent-file list.
    const std::string settings = config.File("Local AppWizard-Generated Applications/varno.conf");
    EXPECT_TRUE(WaitFor([&] { return Slurp(settings).find("File1=" + nt) != std::string::npos; }, 30000));

    // Ends that editor, found as the process at the other end of its socket.
    const int probe = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ucred peer{};
    socklen_t size = sizeof peer;
    ASSERT_EQ(::getsockopt(probe, SOL_SOCKET, SO_PEERCRED, &peer, &size), 0);
    ::close(probe);
    ASSERT_NE(peer.pid, ::getpid());
    ASSERT_EQ(::kill(peer.pid, SIGKILL), 0);
    EXPECT_EQ(::waitpid(peer.pid, nullptr, 0), peer.pid);
    EXPECT_TRUE(OpenDocuments().empty());
}

// varno-open refuses a socket that another user owns or could reach, and the
// editor takes no files from another user who reaches it.
TEST_F(HandOver, AnotherUserNeitherServesNorHandsOverFiles)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    const std::string socketPath = FindHandOverAddress().path;
    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    // Open to everyone, then owned by another user.
    for (const auto& [mode, owner] : {std::pair<mode_t, uid_t>{0777, 0}, {0700, kNobody}}) {
        ASSERT_EQ(::chmod(socketPath.c_str(), mode), 0);
        ASSERT_EQ(::chown(socketPath.c_str(), owner, static_cast<gid_t>(-1)), 0);
        ProcessRun outcome = VarnoOpen({nt});
        EXPECT_EQ(outcome.exitStatus, 1) << mode;
        EXPECT_NE(outcome.err.find("varno-open: refusing " + socketPath), std::string::npos) << mode;
    }

    // Opened up so that the other user gets as far as the editor itself.
    ASSERT_EQ(::chmod(m_runtime.Path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(socketPath.c_str(), 0777), 0);
    const sockaddr_un address = SocketAddress(socketPath);
    const std::string message = EncodeHandOver({nt});

    const pid_t child = ::fork();
    if (child == 0) {
        // 3: not even connected; 2: the editor hung up without an answer; 0: it took the file.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0
            || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::_exit(3);
        }
        char answer = 0;
        const bool sent = ::write(fd, message.data(), message.size()) == static_cast<ssize_t>(message.size());
        ::_exit(sent && ::read(fd, &answer, 1) == 1 ? 0 : 2);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_TRUE(WaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 30000));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(OpenDocuments().empty());
}

} // namespace
