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
    // Only a drop that dragMoveEvent accepted arrives here.
    std::vector<std::string> paths = LocalFiles(event->mimeData());
    event->acceptProposedAction();
    // Opened once the drop is over: opening may show message boxes.
    QMetaObject::invokeMethod(
        this,
        [this, paths] {
            if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandle(this))) {
                frame->OnDropFiles(paths);
            }
        },
        Qt::QueuedConnection);
}
