#pragma once
// A check box, push button or group box control.

#include "platform/CWnd.h"

enum : int { BST_UNCHECKED = 0, BST_CHECKED = 1 };

class CButton : public CWnd {
public:
    // BST_CHECKED or BST_UNCHECKED; unchecked for a button that is not a check box.
    int GetCheck() const;
    // Checks the box for any state but BST_UNCHECKED.
    void SetCheck(int nCheck);
};
