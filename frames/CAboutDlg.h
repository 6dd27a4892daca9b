#pragma once
// The About box: the program's icon, name and version, and OK.

#include "platform/CDialog.h"
#include "res/Resource.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX };

    CAboutDlg();
};
