#pragma once
// The frame of one document window; the framework makes one per window.

#include "platform/CMDIChildWnd.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
};
