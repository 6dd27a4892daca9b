// Files handed over from the desktop: varno-open runs as a process of its own
// and talks to the editor of this process, or starts one, over the real socket.
#include "tests/gui/EditorFixture.h"

#include "open/HandOverSocket.h"
#include "tests/ProcessRun.h"

#include <fcntl.h>
#include <poll.h>
#include <set>
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

// The process listening at the socket path, or -1.
pid_t ListeningEditor(const std::string& path)
{
    const int fd = ConnectLocalSocket(path, 1000);
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool found = fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0;
    ::close(fd);
    return found ? peer.pid : -1;
}

// The child processes that still run; those that ended are reaped. Editors that a varno-open
// started become children of this process when that varno-open ends (see SetUp).
std::set<pid_t> RunningChildren()
{
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    std::set<pid_t> children;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        for (pid_t pid = 0; in >> pid;) {
            children.insert(pid);
        }
    }
    return children;
}

// The exit status of a child process that ends within 30 seconds, or -1.
int ExitStatusOf(pid_t child)
{
    int status = -1;
    const bool ended = WaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 30000);
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class HandOver : public EditorTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        EditorTest::SetUp();
    }

    void TearDown() override
    {
        EditorTest::TearDown();
        for (const pid_t editor : RunningChildren()) {
            ::kill(editor, SIGKILL);
            ::waitpid(editor, nullptr, 0);
        }
    }

    // varno-open with the arguments, run in the folder of the samples while this
    // editor keeps serving; environment changes its environment.
    ProcessRun VarnoOpen(std::vector<std::string> arguments, const std::vector<std::string>& environment = {},
                         const std::function<void()>& inChild = {}, const std::string& program = VARNO_OPEN_EXECUTABLE)
    {
        arguments.insert(arguments.begin(), program);
        const std::string folder = m_files.Path();
        return RunProcess(
            m_files, arguments, environment,
            [&] {
                (void)::chdir(folder.c_str());
                if (inChild) {
                    inChild();
                }
            },
            [this](pid_t child, int& status) {
                m_varnoOpen = child;
                return WaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 60000);
            });
    }

    // A program started in the folder of the samples, its output dropped; it runs on.
    pid_t Start(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment)
    {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const std::string folder = m_files.Path();
        return StartProcess(argv, environment, "/dev/null", "/dev/null", [&] { (void)::chdir(folder.c_str()); });
    }

    std::string SocketIn(const TempDir& runtime) const
    {
        return runtime.File(std::filesystem::path(FindHandOverAddress().path).filename().string());
    }

    pid_t m_varnoOpen = -1; // the last varno-open started
};

TEST_F(HandOver, FilesOpenInTheRunningEditorAndAnOpenFileIsActivated)
{
    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    const std::string kbd = Sample("ru.kbd", samples::MakeKeyboardLayout({}));
    const std::string tooShort = Sample("c_short.nls", {1, 2, 3});
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

    // A file that cannot be opened is reported by this editor, not by varno-open, in a message of its own.
    ProcessRun broken = VarnoOpen({"c_short.nls"});
    EXPECT_EQ(broken.exitStatus, 0) << broken.err;
    ASSERT_TRUE(WaitFor([this] { return !m_log.Messages().empty(); }));
    EXPECT_EQ(m_log.Messages().front().text,
              "Cannot open file " + tooShort + ".\nThe file is too short for an NT code-page file.");
    EXPECT_EQ(OpenDocuments().size(), 2U);
}

// The answer goes out before any file opens, and the files that cannot be opened make one
// message per hand-over, also when another hand-over comes while a box shows.
TEST_F(HandOver, TheAnswerGoesOutFirstAndMissingFilesMakeOneMessagePerHandOver)
{
    // The first file, of no known kind, opens with a question that holds this editor until varno-open
    // has ended; then two missing files are handed over, and the question is cancelled.
    std::vector<std::string> names{Sample("notes.txt", samples::Bytes(300, 0x20))};
    for (int i = 0; i < 1000; ++i) {
        names.push_back("missing-" + std::to_string(i) + ".nls");
    }
    DialogAnswer question([this](CDialog& dialog) {
        siginfo_t ended{};
        ::waitid(P_PID, static_cast<id_t>(m_varnoOpen), &ended, WEXITED | WNOWAIT);
        EXPECT_EQ(VarnoOpen({"missing-a.nls", "missing-b.nls"}).exitStatus, 0);
        ClickButton(dialog, IDCANCEL);
    });
    ProcessRun outcome = VarnoOpen(names);
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
    ASSERT_TRUE(WaitFor([this] { return m_log.Messages().size() >= 2; }));
    EXPECT_EQ(question.Shown(), 1);
    const auto missing = [this](const std::string& name) {
        return m_files.File(name) + ": No such file or directory.";
    };
    const std::string second = "Cannot open 2 files:\n" + missing("missing-a.nls") + "\n" + missing("missing-b.nls");
    std::string first = "Cannot open 1000 files:";
    for (int i = 0; i < 5; ++i) {
        first += "\n" + missing("missing-" + std::to_string(i) + ".nls");
    }
    EXPECT_EQ(m_log.Messages(), (std::vector<MessageLog::Message>{{second, MB_ICONSTOP},
                                                                  {first + "\nand 995 more.", MB_ICONSTOP}}));
}

// A list longer than a megabyte (330 names of 3.5 KB, of real files) is handed over whole.
TEST_F(HandOver, AListOfMoreThanAMegabyteOpensWhole)
{
    std::string folder;
    for (int depth = 0; depth < 13; ++depth) {
        folder += std::string(250, 'd') + "/";
    }
    const samples::Bytes layout = samples::MakeKeyboardLayout({});
    std::vector<std::string> names;
    for (int i = 0; i < 330; ++i) {
        names.push_back(Sample(folder + std::to_string(i) + std::string(200, 'k') + ".kbd", layout));
    }
    ASSERT_GT(EncodeHandOver(names).size(), std::size_t{1} << 20);
    ProcessRun outcome = VarnoOpen(names);
    ASSERT_EQ(outcome.exitStatus, 0) << outcome.err;
    EXPECT_TRUE(WaitFor([&] { return OpenDocuments().size() == names.size(); }, 60000));
}

// An address that cannot work is refused before any editor starts. A name too long
// to hand over is reported, and the others are handed over.
TEST_F(HandOver, UnworkableAddressesAndNamesAreRefusedAtOnce)
{
    // Both folders are private; only where they lead is wrong.
    const std::string relative = "run";
    const std::string deep = m_files.File(std::string(100, 'r'));
    for (const std::string& folder : {m_files.File(relative), deep}) {
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    }
    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    for (const auto& [runtime, refusal] : {std::pair<std::string, std::string>{relative, "not an absolute path"},
                                           {deep, "longer than the system allows"}}) {
        ProcessRun outcome = VarnoOpen({nt}, {"XDG_RUNTIME_DIR=" + runtime});
        EXPECT_EQ(outcome.exitStatus, 1) << runtime;
        EXPECT_NE(outcome.err.find(refusal), std::string::npos) << outcome.err;
        EXPECT_TRUE(RunningChildren().empty()) << runtime;
    }

    ProcessRun outcome = VarnoOpen({std::string(kMaxHandOverPath, 'n'), nt});
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_NE(outcome.err.find(": the name is too long to hand over"), std::string::npos);
    EXPECT_TRUE(WaitFor([this] { return OpenDocuments().size() == 1; }));
}

TEST_F(HandOver, WithNoEditorListeningOneStartsInPlaceOfAStaleSocket)
{
    TempDir runtime;
    TempDir config;
    const std::string socketPath = SocketIn(runtime);
    // What an editor that crashed leaves: a private socket file that nobody listens on.
    const sockaddr_un address = SocketAddress(socketPath);
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
    ASSERT_EQ(::chmod(socketPath.c_str(), 0700), 0);

    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    // As in `varno-open FILE | cat`, with one more descriptor that the caller passes on.
    int pipeFds[2];
    ASSERT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
    ProcessRun outcome = VarnoOpen(
        {nt}, {"XDG_RUNTIME_DIR=" + runtime.Path().string(), "XDG_CONFIG_HOME=" + config.Path().string()},
        [&] {
            for (const int fd : {STDOUT_FILENO, STDERR_FILENO, 100}) {
                ::dup2(pipeFds[1], fd);
            }
        });
    EXPECT_EQ(outcome.exitStatus, 0);
    // The pipe ends with varno-open: the editor that it started holds none of the caller's descriptors.
    ::close(pipeFds[1]);
    pollfd end{pipeFds[0], POLLIN, 0};
    char text[256];
    EXPECT_TRUE(::poll(&end, 1, 10000) == 1 && ::read(pipeFds[0], text, sizeof text) == 0);
    ::close(pipeFds[0]);

    // The editor started has opened the file: it stands first in that editor's recent-file list.
    const std::string settings = config.File("Local AppWizard-Generated Applications/varno.conf");
    EXPECT_TRUE(WaitFor([&] { return Slurp(settings).find("File1=" + nt) != std::string::npos; }, 30000));
    const pid_t editor = ListeningEditor(socketPath);
    EXPECT_NE(editor, ::getpid());
    EXPECT_EQ(RunningChildren(), std::set<pid_t>{editor});
    EXPECT_TRUE(OpenDocuments().empty());
}

// Real editors beside this process's one, on the same display.
TEST_F(HandOver, ASecondEditorLeavesTheNameToTheFirstAndAnEditorRemovesOnlyItsOwnSocket)
{
    const std::string socketPath = SocketIn(m_runtime);
    TempDir config;
    const std::string configHome = "XDG_CONFIG_HOME=" + config.Path().string();
    // One started as varno-open starts it finds this one listening, and ends.
    const pid_t second = Start(VARNO_EXECUTABLE, {}, {configHome, std::string(kStartedByVarnoOpen) + "=1"});
    EXPECT_EQ(ExitStatusOf(second), 0);
    EXPECT_EQ(ListeningEditor(socketPath), ::getpid());

    // Someone removed this editor's socket; an editor started since took the name, and keeps it.
    ASSERT_EQ(::unlink(socketPath.c_str()), 0);
    const pid_t other = Start(VARNO_EXECUTABLE, {}, {configHome});
    ASSERT_TRUE(WaitFor([&] { return ListeningEditor(socketPath) == other; }, 30000));
    m_app->m_pMainWnd->SendMessage(WM_CLOSE);
    EXPECT_EQ(ListeningEditor(socketPath), other);
}

// Two varno-open at once with no editor running: the editor that the second one
// starts finds the first one's listening, and leaves it the files.
TEST_F(HandOver, TwoVarnoOpenAtOnceLeaveOneEditorWithEveryFile)
{
    TempDir runtime;
    TempDir config;
    const std::vector<std::string> environment{"XDG_RUNTIME_DIR=" + runtime.Path().string(),
                                               "XDG_CONFIG_HOME=" + config.Path().string()};
    const std::string files[] = {Sample("c_1251.nls", samples::MakeNtCodePageFile({})),
                                 Sample("ru.kbd", samples::MakeKeyboardLayout({}))};
    const pid_t openers[] = {Start(VARNO_OPEN_EXECUTABLE, {files[0]}, environment),
                             Start(VARNO_OPEN_EXECUTABLE, {files[1]}, environment)};
    for (const pid_t opener : openers) {
        EXPECT_EQ(ExitStatusOf(opener), 0);
    }
    // Both were answered, and by the one editor that runs on.
    const pid_t editor = ListeningEditor(SocketIn(runtime));
    EXPECT_TRUE(WaitFor([&] { return RunningChildren() == std::set<pid_t>{editor}; }, 30000));
}

// varno-open refuses a socket, or a folder, that the group or others could reach.
TEST_F(HandOver, ASocketOrFolderThatOthersCouldReachIsRefused)
{
    const std::string socketPath = SocketIn(m_runtime);
    const std::string folder = m_runtime.Path().string();
    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    const struct {
        const std::string& path;
        mode_t mode;
        std::string refusal;
    } cases[] = {
        {socketPath, 0760, "refusing " + socketPath}, {socketPath, 0706, "refusing " + socketPath},
        {folder, 0750, folder + " is not a folder of this user alone"},
        {folder, 0705, folder + " is not a folder of this user alone"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(::chmod(c.path.c_str(), c.mode), 0);
        ProcessRun outcome = VarnoOpen({nt});
        EXPECT_EQ(outcome.exitStatus, 1) << c.refusal;
        EXPECT_NE(outcome.err.find(c.refusal), std::string::npos) << outcome.err;
        ASSERT_EQ(::chmod(c.path.c_str(), c.path == folder ? 0700 : 0600), 0);
    }
    EXPECT_TRUE(OpenDocuments().empty());
}

// varno-open refuses a socket that another user owns, and the editor takes no
// files from another user who reaches it.
TEST_F(HandOver, AnotherUserNeitherServesNorHandsOverFiles)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    const std::string socketPath = FindHandOverAddress().path;
    const std::string nt = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    ASSERT_EQ(::chown(socketPath.c_str(), kNobody, static_cast<gid_t>(-1)), 0);
    ProcessRun refused = VarnoOpen({nt});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_NE(refused.err.find("varno-open: refusing " + socketPath), std::string::npos);

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

// varno-open starts the varno beside it, else the first on PATH that it may run;
// a relative PATH entry, which depends on the current folder, is passed over.
TEST_F(HandOver, VarnoOpenStartsTheEditorBesideItElseTheFirstOnPath)
{
    TempDir place;
    const std::string beside = place.File("bin/varno");
    // Each stand-in editor tells where it was started from, and ends.
    const std::string started = place.File("started");
    for (const auto& [path, mode] : {std::pair{beside, 0755}, {m_files.File("rel/varno"), 0755},
                                     {place.File("a/varno"), 0755}, {place.File("b/varno"), 0755},
                                     {place.File("noexec/varno"), 0644}}) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "#!/bin/sh\necho \"$0\" > " << started << "\n";
        ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(mode)), 0);
    }
    std::filesystem::copy_file(VARNO_OPEN_EXECUTABLE, place.File("bin/varno-open"));
    const std::string onPath = "rel:" + place.File("noexec") + ":" + place.File("a") + ":" + place.File("b");
    const struct {
        bool besideToo;
        std::string path;
        std::string startedFrom;
    } cases[] = {
        {true, place.File("a"), beside},
        {false, onPath, place.File("a/varno")},
        {false, place.File("noexec"), ""},
    };
    for (const auto& c : cases) {
        if (!c.besideToo) {
            std::filesystem::remove(beside);
        }
        TempDir runtime;
        std::filesystem::remove(started);
        ProcessRun outcome = VarnoOpen({}, {"PATH=" + c.path, "XDG_RUNTIME_DIR=" + runtime.Path().string()}, {},
                                       place.File("bin/varno-open"));
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_EQ(Slurp(started), c.startedFrom.empty() ? "" : c.startedFrom + "\n") << c.path;
    }
}

} // namespace
