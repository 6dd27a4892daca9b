#pragma once
// The widgets of frame windows. Closing one asks its frame first (the save
// prompt), from the event loop, so that the frame may destroy the window; a
// widget that goes tells its frame. The main window also takes dropped files.

#include "platform/CWnd.h"

#include <QCloseEvent>
#include <QMainWindow>

template <class Base>
class CFrameWidget : public Base {
public:
    ~CFrameWidget() override { CWnd::NotifyWidgetDestroyed(this); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        if (CWnd* frame = CWnd::FromHandle(this)) {
            frame->PostMessage(WM_CLOSE);
        }
    }
};

// Local files dropped on the window reach its frame once the drop is over.
class CFrameMainWindow : public CFrameWidget<QMainWindow> {
protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
