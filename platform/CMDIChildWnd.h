#pragma once
// A document window inside the main window's client area. It shows one view;
// its menu is the one of its resource id, shown by the main window while it
// is active. Commands reach it through the main window.

#include "platform/CFrameWnd.h"

class CMDIChildWnd : public CFrameWnd {
public:
    void MDIActivate();
    void ActivateFrame(int nCmdShow = -1) override;

protected:
    // A window in the client area of pParentWnd, which must be the CMDIFrameWnd.
    QWidget* CreateFrameWidget(CWnd* pParentWnd) override;
    void SetClientWidget(QWidget* widget) override;
};
