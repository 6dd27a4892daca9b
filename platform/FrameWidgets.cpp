#include "platform/FrameWidgets.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <string>
#include <vector>

namespace {
std::vector<std::string> LocalFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
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
    std::vector<std::string> paths = LocalFiles(event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over: opening may show message boxes.
    QMetaObject::invokeMethod(
        this,
        [this, paths] {
            if (CWnd* frame = CWnd::FromHandle(this)) {
                frame->SendMessage(WM_DROPFILES, 0, reinterpret_cast<LPARAM>(&paths));
            }
        },
        Qt::QueuedConnection);
}
