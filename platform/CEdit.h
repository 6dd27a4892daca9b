#pragma once
// An edit control: its text is the window text (SetWindowText, GetWindowText).

#include "platform/CWnd.h"

using CEdit = CWnd;
