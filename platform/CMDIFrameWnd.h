#pragma once
// The main window of a multiple-document program: a menu bar over a client
// area that holds the document windows (CMDIChildWnd). Menu, title and
// commands go to the active child first. Handles the Window menu but for
// Cascade, which the program lays out itself.

#include "platform/CFrameWnd.h"

class CMDIChildWnd;
class QMdiArea;

class CMDIFrameWnd : public CFrameWnd {
public:
    CMDIChildWnd* MDIGetActive() const;
    // The client area, made by LoadFrame.
    QMdiArea* GetMdiClient() const;

    CFrameWnd* GetActiveFrame() override;
    // The menu and title follow the active document window (the frame's own menu without one).
    void OnActiveChildChanged();

protected:
    QWidget* CreateFrameWidget(CWnd* pParentWnd) override;

    void OnWindowNew();
    void OnWindowTile();
    // Lines the minimised document windows up along the bottom of the client area.
    void OnWindowArrange();

    DECLARE_MESSAGE_MAP()
};
