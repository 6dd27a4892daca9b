#pragma once
// A push button, check box or group box control.

#include "platform/CWnd.h"

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    // BST_CHECKED or BST_UNCHECKED; BST_UNCHECKED for a button that is not a check box.
    int GetCheck() const;
    // Any nonzero state checks the box.
    void SetCheck(int nCheck);

    // The button messages BM_GETCHECK and BM_SETCHECK (state in wParam); 0 for any other.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
};
