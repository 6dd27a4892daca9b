#include "view/CChangeCharDlg.h"

#include "view/HexField.h"

#include <cstdio>

CChangeCharDlg::CChangeCharDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CChangeCharDlg::~CChangeCharDlg() = default;

BEGIN_MESSAGE_MAP(CChangeCharDlg, CDialog)
END_MESSAGE_MAP()

void CChangeCharDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UNICODE, m_editUnicode);
    DDX_Control(pDX, IDC_CHAR, m_editChar);
}

BOOL CChangeCharDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    char text[16];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned int>(m_nChar));
    m_editChar.SetWindowText(text);
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned int>(m_nUnicode));
    m_editUnicode.SetWindowText(text);
    return TRUE;
}

void CChangeCharDlg::OnOK()
{
    char text[256];
    m_editChar.GetWindowText(text, sizeof text);
    ScanHexField(text, HexDigits::Two, &m_nChar);
    m_editUnicode.GetWindowText(text, sizeof text);
    ScanHexField(text, HexDigits::Four, &m_nUnicode);
    CDialog::OnOK();
}
