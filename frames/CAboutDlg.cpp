#include "frames/CAboutDlg.h"

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()
