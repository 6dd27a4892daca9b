#pragma once
// "Change key": the low and high character bytes of one keyboard key, as
// hexadecimal text, and its caps-lock flag. The caller sets the value members
// before DoModal and reads them after IDOK. The title names the key, a line
// under the fields shows the typed bytes' glyphs in the display font's
// character set, and OK waits for fields that both hold a byte.

#include "platform/CButton.h"
#include "platform/CDialog.h"
#include "res/Resource.h"
#include "view/HexEdit.h"

class CChangeKeyDlg : public CDialog {
public:
    enum { IDD = IDD_CHANGE_KEY };

    explicit CChangeKeyDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) { }

    bool m_bCapsLock = false;
    int m_nLow = 0;
    int m_nHigh = 0;
    CButton m_checkCapsLock;
    CHexEdit m_editLow;
    CHexEdit m_editHigh;
    // The key's number (0-13), named in the title; -1 names none.
    int m_nKey = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
