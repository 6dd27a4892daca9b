#include "platform/FrameWidgets.h"

#include "platform/CFrameWnd.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <string>
#include <vector>

namespace {
std::vector<std::string> LocalFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls()) {
        // A file on another host is none of this machine's. The path is taken as the bytes
        // it encodes: toLocalFile() would read them as UTF-8 and lose a name that is not.
        const bool here = url.host().isEmpty() || url.host() == QStringLiteral("localhost");
        if (url.isLocalFile() && here) {
            paths.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
        }
    }
    return paths;
}
} // namespace

void CFrameMainWindow::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void CFrameMainWindow::dragMoveEvent(QDragMoveEvent* event)
{
    if (!LocalFiles(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void CFrameMainWindow::dropEvent(QDropEvent* event)
{
    // Only a drop that dragMoveEvent accepted arrives here.
    std::vector<std::string> paths = LocalFiles(event->mimeData());
    event->acceptProposedAction();
    // Opened once the drop is over: opening may show message boxes.
    QMetaObject::invokeMethod(
        this,
        [this, paths] { static_cast<CFrameWnd*>(CWnd::FromHandle(this))->OnDropFiles(paths); },
        Qt::QueuedConnection);
}
