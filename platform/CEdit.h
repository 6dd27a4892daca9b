#pragma once
// An edit control: its text is the window text (SetWindowText, GetWindowText).

#include "platform/CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
};
