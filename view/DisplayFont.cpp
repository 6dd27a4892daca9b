#include "view/DisplayFont.h"

#include "frames/CMainFrame.h"
#include "platform/CodePageDecoding.h"
#include "platform/CWinApp.h"

LOGFONT CurrentDisplayFont()
{
    if (auto* mainFrame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd())) {
        return mainFrame->m_logFont;
    }
    return CMainFrame::DefaultLogFont();
}

const char* DisplayCodePage() { return AfxCodePageOfCharSet(CurrentDisplayFont().lfCharSet); }
