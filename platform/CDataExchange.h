#pragma once
// Data exchange between a dialog and its controls: DoDataExchange receives one
// of these and binds or moves values with the DDX_ functions.

#include "platform/WinTypes.h"

class CWnd;

class CDataExchange {
public:
    explicit CDataExchange(CWnd* pDlgWnd) : m_pDlgWnd(pDlgWnd) {}

    CWnd* m_pDlgWnd;
};

// Binds the control object to the dialog's control with the id. A control
// object bound once stays bound until the dialog's window goes.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
