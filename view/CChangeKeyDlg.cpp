#include "view/CChangeKeyDlg.h"

#include "view/HexField.h"

#include <cstdio>

CChangeKeyDlg::CChangeKeyDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CChangeKeyDlg::~CChangeKeyDlg() = default;

BEGIN_MESSAGE_MAP(CChangeKeyDlg, CDialog)
END_MESSAGE_MAP()

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
    char text[16];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned int>(m_nHigh));
    m_editHigh.SetWindowText(text);
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned int>(m_nLow));
    m_editLow.SetWindowText(text);
    m_checkCapsLock.SendMessage(BM_SETCHECK, m_bCapsLock ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CChangeKeyDlg::OnOK()
{
    char text[256];
    m_editHigh.GetWindowText(text, sizeof text);
    ScanHexField(text, HexDigits::Any, &m_nHigh);
    m_editLow.GetWindowText(text, sizeof text);
    ScanHexField(text, HexDigits::Any, &m_nLow);
    m_bCapsLock = m_checkCapsLock.SendMessage(BM_GETCHECK) == BST_CHECKED;
    CDialog::OnOK();
}
