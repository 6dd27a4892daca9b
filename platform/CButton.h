#pragma once
// A push button, check box or group box control.

#include "platform/CWnd.h"

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    // BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE; BST_UNCHECKED for a
    // button that is not a check box.
    int GetCheck() const;
    // A two-state check box takes any nonzero state as checked.
    void SetCheck(int nCheck);

    // The button messages BM_GETCHECK and BM_SETCHECK (state in wParam); 0 for any other.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
};
