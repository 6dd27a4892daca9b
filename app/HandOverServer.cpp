#include "app/HandOverServer.h"

#include "open/HandOverSocket.h"
#include "platform/CFrameWnd.h"

#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The lock file beside the socket, held while it lives: whoever checks, binds or removes the socket holds it.
class SocketLock {
public:
    explicit SocketLock(const std::string& socketPath)
        : m_fd(::open((socketPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
    {
        if (m_fd < 0) {
            return;
        }
        int result = 0;
        do {
            result = ::flock(m_fd, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        m_held = result == 0;
    }
    ~SocketLock()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    SocketLock(const SocketLock&) = delete;
    SocketLock& operator=(const SocketLock&) = delete;

    bool Held() const { return m_held; }

private:
    int m_fd;
    bool m_held = false;
};

// A socket bound at path and listening, open to its owner only; -1 when it cannot be made. pinned
// receives a descriptor of the socket's file, which keeps its inode number from going to another file.
int BindListeningSocket(const std::string& path, int& pinned)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return -1;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    pinned = ::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    // Narrowed to its owner once it exists: until then nobody else can reach into the private folder.
    if (pinned < 0 || ::chmod(path.c_str(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        const int error = errno;
        ::unlink(path.c_str());
        ::close(pinned);
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool NotHandedOver(const std::string& why)
{
    std::fprintf(stderr, "varno: files cannot be handed to this editor: %s\n", why.c_str());
    return true;
}

void Serve(QLocalSocket* connection, QWidget* window)
{
    // What the connection holds of a long message at a time: the rest waits in the sender.
    constexpr qint64 kReadAhead = 64 * 1024;
    connection->setReadBufferSize(kReadAhead);
    auto reader = std::make_shared<HandOverReader>();
    QObject::connect(connection, &QLocalSocket::readyRead, connection, [connection, window, reader] {
        const QByteArray bytes = connection->readAll();
        switch (reader->Take(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        case HandOverMessage::incomplete: return;
        case HandOverMessage::malformed: connection->abort(); return;
        case HandOverMessage::complete: break;
        }
        const std::vector<std::string>& paths = reader->Paths();
        // The answer goes out now, before any file opens: opening many files, or a message box
        // of one that cannot be opened, must not hold varno-open waiting.
        connection->write(&kHandOverAccepted, 1);
        connection->flush();
        connection->disconnectFromServer();
        QTimer::singleShot(0, window, [window, paths] {
            if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandle(window))) {
                frame->OnDropFiles(paths);
            }
        });
    });
    QObject::connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
}

// The socket that this editor bound, served while the main window, its parent, lives.
class HandOverServer : public QObject {
public:
    HandOverServer(int listening, int pinned, const std::string& path, QWidget* window)
        : QObject(window), m_fd(listening), m_pinned(pinned), m_path(path), m_window(window),
          m_notifier(listening, QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, this, [this] { AcceptPending(); });
    }

    // Stops listening first, so that an editor starting meanwhile finds the name free and takes it.
    ~HandOverServer() override
    {
        m_notifier.setEnabled(false);
        ::close(m_fd);
        const SocketLock lock(m_path);
        struct stat bound {};
        struct stat named {};
        const bool stillOurs = ::fstat(m_pinned, &bound) == 0 && ::lstat(m_path.c_str(), &named) == 0
            && named.st_dev == bound.st_dev && named.st_ino == bound.st_ino;
        if (stillOurs) {
            ::unlink(m_path.c_str());
        }
        ::close(m_pinned);
    }

private:
    void AcceptPending()
    {
        for (;;) {
            const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0 && (errno == EINTR || errno == ECONNABORTED)) {
                continue;
            }
            if (fd < 0) {
                return;
            }
            if (!PeerIsThisUser(fd)) {
                ::close(fd);
                continue;
            }
            auto* connection = new QLocalSocket(this);
            connection->setSocketDescriptor(fd);
            Serve(connection, m_window);
        }
    }

    int m_fd;
    int m_pinned;
    std::string m_path;
    QWidget* m_window;
    QSocketNotifier m_notifier;
};

} // namespace

bool ListenForHandOver(CWnd* pMainWnd)
{
    QWidget* window = pMainWnd != nullptr ? pMainWnd->GetWidget() : nullptr;
    if (window == nullptr) {
        return true;
    }
    const HandOverAddress address = FindHandOverAddress();
    if (address.path.empty()) {
        return NotHandedOver(address.error);
    }
    const std::string& path = address.path;
    const SocketLock lock(path);
    if (!lock.Held()) {
        return NotHandedOver("cannot lock " + path + ".lock: " + std::strerror(errno));
    }
    if (SomeoneListens(path, 1000)) {
        // Another editor of this user on this display takes the files.
        return std::getenv(kStartedByVarnoOpen) == nullptr;
    }
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        // What an editor that ended without removing it left behind.
        if (!S_ISSOCK(info.st_mode)) {
            return NotHandedOver(path + " is there and is not a socket");
        }
        ::unlink(path.c_str());
    }
    int pinned = -1;
    const int fd = BindListeningSocket(path, pinned);
    if (fd < 0) {
        return NotHandedOver("cannot listen at " + path + ": " + std::strerror(errno));
    }
    new HandOverServer(fd, pinned, path, window);
    return true;
}
