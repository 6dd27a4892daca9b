#include "view/CChangeKeyDlg.h"

void CChangeKeyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAPSLOCK, m_checkCapsLock);
    DDX_Control(pDX, IDC_LOW, m_editLow);
    DDX_Control(pDX, IDC_HIGH, m_editHigh);
}

BOOL CChangeKeyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editHigh.ShowHex(m_nHigh, 2);
    m_editLow.ShowHex(m_nLow, 2);
    m_checkCapsLock.SetCheck(m_bCapsLock ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CChangeKeyDlg::OnOK()
{
    m_editHigh.ReadHex(HexDigits::Any, &m_nHigh);
    m_editLow.ReadHex(HexDigits::Any, &m_nLow);
    m_bCapsLock = m_checkCapsLock.GetCheck() == BST_CHECKED;
    CDialog::OnOK();
}
