#include "frames/CAboutDlg.h"

CAboutDlg::CAboutDlg() : CDialog(IDD) {}
