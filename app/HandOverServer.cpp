#include "app/HandOverServer.h"

#include "open/HandOverSocket.h"
#include "platform/CFrameWnd.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace {

void Serve(QLocalSocket* connection, QWidget* window)
{
    auto received = std::make_shared<std::string>();
    QObject::connect(connection, &QLocalSocket::readyRead, connection, [connection, window, received] {
        const QByteArray bytes = connection->readAll();
        received->append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        std::vector<std::string> paths;
        switch (DecodeHandOver(*received, paths)) {
        case HandOverMessage::incomplete: return;
        case HandOverMessage::malformed: connection->abort(); return;
        case HandOverMessage::complete: break;
        }
        connection->write(&kHandOverAccepted, 1);
        connection->disconnectFromServer();
        // Opened as dropped files are, once the answer has gone: a message box of a file that
        // cannot be opened must not hold varno-open waiting.
        QTimer::singleShot(0, window, [window, paths] {
            if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandle(window))) {
                frame->OnDropFiles(paths);
            }
        });
    });
    QObject::connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
}

} // namespace

void ListenForHandOver(CWnd* pMainWnd)
{
    QWidget* window = pMainWnd != nullptr ? pMainWnd->GetWidget() : nullptr;
    if (window == nullptr) {
        return;
    }
    const HandOverAddress address = FindHandOverAddress();
    if (address.path.empty()) {
        std::fprintf(stderr, "varno: files cannot be handed to this editor: %s\n", address.error.c_str());
        return;
    }
    const QString name = QFile::decodeName(address.path.c_str());
    auto* server = new QLocalServer(window);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    bool listening = server->listen(name);
    if (!listening && server->serverError() == QAbstractSocket::AddressInUseError
        && !SomeoneListens(address.path, 1000)) {
        QLocalServer::removeServer(name);
        listening = server->listen(name);
    }
    if (!listening) {
        // Another editor of this user on this display takes the files; nothing to report.
        if (server->serverError() != QAbstractSocket::AddressInUseError) {
            std::fprintf(stderr, "varno: files cannot be handed to this editor: %s\n",
                         server->errorString().toLocal8Bit().constData());
        }
        delete server;
        return;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server, window] {
        while (QLocalSocket* connection = server->nextPendingConnection()) {
            if (!PeerIsThisUser(static_cast<int>(connection->socketDescriptor()))) {
                connection->abort();
                connection->deleteLater();
                continue;
            }
            Serve(connection, window);
        }
    });
}
