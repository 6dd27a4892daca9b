#pragma once
// The main window of a multiple-document program: a menu bar over a client
// area that holds the document windows (CMDIChildWnd). The menu bar is the
// frame's own while no document window exists and the active child's (its
// template's resource id) while one does. Commands go to the active child
// (its view, its document, the child frame) first, then to this frame and the
// application. Handles Window > New Window, Cascade, Tile and Arrange Icons.

#include "platform/CFrameWnd.h"

class CMDIChildWnd;
class QMdiArea;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // The active document window, or null.
    CMDIChildWnd* MDIGetActive() const;
    void MDIActivate(CWnd* pWndActivate);
    // The client area; null before LoadFrame.
    QMdiArea* GetMdiClient() const;

    CDocument* GetActiveDocument() override;
    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID) override;
    // The menu and title follow the active document window: its menu, or the
    // frame's own when there is none.
    void OnActiveChildChanged();

protected:
    QWidget* CreateFrameWidget(CWnd* pParentWnd) override;

    void OnWindowNew();
    void OnWindowCascade();
    void OnWindowTile();
    // Lines the minimised document windows up along the bottom of the client area.
    void OnWindowArrange();

    DECLARE_MESSAGE_MAP()
};
