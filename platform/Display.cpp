#include "platform/Display.h"

#include <QApplication>

#include <xcb/xcb.h>

#include <cerrno>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The toolkit's arguments: the program's name alone. The editor takes none, and the
// batch mode's file names are never to be read as the toolkit's options.
int g_argc = 1;
char g_programName[] = "varno";
char* g_argv[] = {g_programName, nullptr};
// The display probe's connection, held until the toolkit has made its own: an
// X server resets when its last client leaves, and would then refuse the next.
xcb_connection_t* g_probeConnection = nullptr;

std::string Environment(const char* name) { return qgetenv(name).toStdString(); }

// The platform plugin that Qt is told to use, without its options.
std::string RequestedPlatform()
{
    std::string platform = Environment("QT_QPA_PLATFORM");
    return platform.substr(0, platform.find(':'));
}

// Whether anything listens at the local socket path. Without waiting: a full backlog (EAGAIN) is someone busy.
bool SomeoneListens(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    const bool busy = !connected && errno == EAGAIN;
    ::close(fd);
    return connected || busy;
}

bool IsWindowlessPlatform(const std::string& platform) { return platform == "offscreen" || platform == "minimal"; }

// An X server answers at DISPLAY and accepts this user: the same connection
// and authorisation that Qt's own start would make.
bool CanConnectToX()
{
    g_probeConnection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(g_probeConnection) != 0) {
        xcb_disconnect(g_probeConnection);
        g_probeConnection = nullptr;
    }
    return g_probeConnection != nullptr;
}

// A Wayland compositor listens at WAYLAND_DISPLAY, a socket in XDG_RUNTIME_DIR
// unless it is an absolute path.
bool CanConnectToWayland()
{
    std::string path = Environment("WAYLAND_DISPLAY");
    if (path.empty()) {
        return false;
    }
    if (path[0] != '/') {
        const std::string runtimeDir = Environment("XDG_RUNTIME_DIR");
        if (runtimeDir.empty()) {
            return false;
        }
        path = runtimeDir + "/" + path;
    }
    return SomeoneListens(path);
}

bool ProbeDisplay()
{
    const std::string platform = RequestedPlatform();
    if (IsWindowlessPlatform(platform)) {
        return false;
    }
    if (platform == "xcb") {
        return CanConnectToX();
    }
    if (platform.rfind("wayland", 0) == 0) {
        return CanConnectToWayland();
    }
    // Any other window system that Qt is told to use is taken at its word.
    return !platform.empty() || CanConnectToX() || CanConnectToWayland();
}

} // namespace

bool AfxHasDisplay()
{
    // Asked once: a connection costs a round trip to the server.
    static const bool reachable = ProbeDisplay();
    return reachable;
}

bool AfxCanCreateWindows() { return IsWindowlessPlatform(RequestedPlatform()) || AfxHasDisplay(); }

QApplication* AfxEnsureGuiApplication()
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (application == nullptr) {
        // Lives until the process ends; Qt keeps references to argc and argv.
        application = new QApplication(g_argc, g_argv);
    }
    if (g_probeConnection != nullptr) {
        xcb_disconnect(g_probeConnection);
        g_probeConnection = nullptr;
    }
    return application;
}
