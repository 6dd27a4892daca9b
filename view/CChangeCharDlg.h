#pragma once
// "Change char": the Unicode value of one byte of a code-page table, and the
// byte itself, as hexadecimal text. The caller sets both members before
// DoModal and reads them after IDOK.

#include "platform/CDialog.h"
#include "res/Resource.h"
#include "view/HexEdit.h"

class CChangeCharDlg : public CDialog {
public:
    enum { IDD = IDD_CHANGE_CHAR };

    explicit CChangeCharDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    int m_nUnicode = 0;
    int m_nChar = 0;
    CHexEdit m_editUnicode;
    CHexEdit m_editChar;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
