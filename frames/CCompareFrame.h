#pragma once
// The window of Window > Compare Open Tables (view/CompareTablesWindow.h), in the main window's
// client area beside the document windows, with their menu. It shows no document: a command
// for one finds none while it is active, and File > Close closes it. There is one at most.

#include "platform/CMDIChildWnd.h"

class CMDIFrameWnd;

class CCompareFrame : public CMDIChildWnd {
    DECLARE_DYNAMIC(CCompareFrame)
public:
    // Opens the window, or brings the one that is open to the front.
    static void Show(CMDIFrameWnd& mainFrame);

protected:
    void OnFileClose();

    DECLARE_MESSAGE_MAP()
};
