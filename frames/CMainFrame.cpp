#include "frames/CMainFrame.h"

#include "document/CVarnoDoc.h"
#include "platform/CFontDialog.h"
#include "platform/CWinApp.h"
#include "res/Resource.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_EDIT_FONT, OnEditFont)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_logFont(DefaultLogFont()) {}

CMainFrame::~CMainFrame() = default;

LOGFONT CMainFrame::DefaultLogFont()
{
    LOGFONT logFont;
    std::memset(&logFont, 0, sizeof logFont);
    logFont.lfHeight = 14;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    std::strcpy(logFont.lfFaceName, "Microsoft Sans Serif");
    return logFont;
}

void CMainFrame::OnEditFont()
{
    CFontDialog dialog(&m_logFont);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_logFont = dialog.m_lf;

    for (CDocument* document : AfxGetApp()->GetOpenDocuments()) {
        if (document->IsKindOf(RUNTIME_CLASS(CVarnoDoc)) && static_cast<CVarnoDoc*>(document)->m_nKind != 0) {
            document->UpdateAllViews(nullptr, 0, nullptr);
        }
    }
}
