#include "view/CChangeCharDlg.h"

void CChangeCharDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UNICODE, m_editUnicode);
    DDX_Control(pDX, IDC_CHAR, m_editChar);
}

BOOL CChangeCharDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editChar.ShowHex(m_nChar, 2);
    m_editUnicode.ShowHex(m_nUnicode, 4);
    return TRUE;
}

void CChangeCharDlg::OnOK()
{
    m_editChar.ReadHex(HexDigits::Two, &m_nChar);
    m_editUnicode.ReadHex(HexDigits::Four, &m_nUnicode);
    CDialog::OnOK();
}
