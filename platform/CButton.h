#pragma once
// A check box, push button or group box control.

#include "platform/CWnd.h"

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    // BM_GETCHECK gives BST_CHECKED or BST_UNCHECKED; BM_SETCHECK checks the box
    // for any state in wParam but BST_UNCHECKED. 0 for other messages and buttons.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
};
