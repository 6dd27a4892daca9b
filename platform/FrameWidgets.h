#pragma once
// The widgets of frame windows, which own their frames. Closing one asks its
// frame first (the save prompt), from the event loop, so that the frame may
// destroy the window. The main window also takes dropped files.

#include "platform/CWnd.h"

#include <QCloseEvent>
#include <QMainWindow>

template <class Base>
class CFrameWidget : public CWindowWidget<Base> {
protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        QMetaObject::invokeMethod(
            this,
            [this] { CWnd::FromHandle(this)->SendMessage(WM_CLOSE); },
            Qt::QueuedConnection);
    }
};

// Local files dropped on the window reach its frame once the drop is over.
class CFrameMainWindow : public CFrameWidget<QMainWindow> {
protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
