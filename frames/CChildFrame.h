#pragma once
// The frame of one document window; the framework makes one per window.

#include "platform/CMDIChildWnd.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    // A new window opens at the size at which its table is legible (WorkArea.h).
    void ActivateFrame(int nCmdShow = -1) override;

protected:
    // Above a table view, the choice of a GDI module's table (view/TableChoice.h).
    void SetClientWidget(QWidget* widget) override;
};
