#pragma once
// "Change char": the Unicode value of one byte of a code-page table, and the
// byte itself, as hexadecimal text. The caller sets the value members before
// DoModal and reads them after IDOK. A line under the fields names the typed
// value and the byte of the clicked table that holds it; OK waits for a byte
// (00 to FF) and a value that a table entry may take (no more than FFFF, no
// surrogate), so that no digit typed is dropped.

#include "platform/CDialog.h"
#include "res/Resource.h"
#include "view/HexEdit.h"

class CTableHandler;

class CChangeCharDlg : public CDialog {
public:
    enum { IDD = IDD_CHANGE_CHAR };

    explicit CChangeCharDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) { }

    int m_nUnicode = 0;
    int m_nChar = 0;
    CHexEdit m_editUnicode;
    CHexEdit m_editChar;
    // The clicked table, asked which of its bytes holds the typed value; none when null.
    CTableHandler* m_pHandler = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
