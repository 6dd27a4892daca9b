#pragma once
// The main window: the document windows inside one client area, the menus
// and keys, and the display font with which every table view draws.

#include "platform/CMDIFrameWnd.h"
#include "platform/LogFont.h"

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // The display font until Edit > Font changes it: 14 units high, Cyrillic
    // character set, "Microsoft Sans Serif", everything else 0.
    static LOGFONT DefaultLogFont();

    // The display font of all table views; kept in memory only.
    LOGFONT m_logFont;

protected:
    // Edit > Font: the font dialog from the current font; on OK the font is
    // taken and every document with a table repaints. Nothing is marked modified.
    void OnEditFont();

    DECLARE_MESSAGE_MAP()
};
