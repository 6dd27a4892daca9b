#include "frames/CMainFrame.h"

#include "document/CVarnoDoc.h"
#include "frames/CCompareFrame.h"
#include "document/EditHistory.h"
#include "frames/EditMenu.h"
#include "frames/HelpWindow.h"
#include "frames/LettersChoice.h"
#include "frames/MainWindowSettings.h"
#include "frames/MainStatusBar.h"
#include "frames/QuickWindowStyle.h"
#include "frames/WorkArea.h"
#include "platform/AfxRes.h"
#include "platform/CFontDialog.h"
#include "platform/CWinApp.h"
#include "res/Resource.h"
#include "view/DisplayFont.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
    ON_COMMAND(ID_WINDOW_COMPARE, OnWindowCompare)
    ON_COMMAND(ID_EDIT_FONT, OnEditFont)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_COMMAND(ID_EDIT_REFERENCE, OnEditReference)
    ON_COMMAND(ID_VIEW_TABLE_CHARACTERS, OnViewTableCharacters)
    ON_COMMAND(ID_VIEW_DISPLAY_CODE_PAGE, OnViewDisplayCodePage)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_logFont(ReadDisplayFontSetting()), m_letters(ReadLettersSetting()) {}

CMainFrame::~CMainFrame() = default;

QWidget* CMainFrame::CreateFrameWidget(CWnd* pParentWnd)
{
    UseQuickWindowStyle();
    auto* window = static_cast<QMainWindow*>(CMDIFrameWnd::CreateFrameWidget(pParentWnd));
    auto* area = static_cast<QMdiArea*>(window->centralWidget());
    window->setStatusBar(new MainStatusBar(window));
    ShowHowToBegin(area);
    VisitWindowsInTurn(area, window);
    // Room for two document windows side by side, within the screen.
    QSize size(1280, 800);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    }
    window->resize(size);
    RestoreWindowPlacement(*window);
    return window;
}

void CMainFrame::OnClose()
{
    // Kept even when a question then keeps the window open: it will be kept again at the end.
    KeepWindowPlacement(*GetWidget());
    CMDIFrameWnd::OnClose();
}

void CMainFrame::OnWindowCascade() { CascadeLegibly(GetMdiClient()); }

void CMainFrame::OnWindowCompare() { CCompareFrame::Show(*this); }

void CMainFrame::SetMessageText(const QString& text, const QObject* source)
{
    auto* window = qobject_cast<QMainWindow*>(GetWidget());
    if (window == nullptr) {
        return;
    }
    if (auto* bar = dynamic_cast<MainStatusBar*>(window->statusBar())) {
        bar->Describe(text, source);
    }
}

void CMainFrame::OnEditFont()
{
    CFontDialog dialog(&m_logFont);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const QList<QMdiSubWindow*> legible = LegibleWindows(GetMdiClient());
    m_logFont = dialog.m_lf;
    WriteDisplayFontSetting(m_logFont);
    RepaintAllTables();
    GrowToLegibleSize(legible);
}

void CMainFrame::OnViewTableCharacters() { ShowLetters(Letters::tableCharacters); }

void CMainFrame::OnViewDisplayCodePage() { ShowLetters(Letters::displayCodePage); }

void CMainFrame::ShowLetters(Letters letters)
{
    m_letters = letters;
    WriteLettersSetting(letters);
    RepaintAllTables();
}

void CMainFrame::RepaintAllTables()
{
    for (CDocument* document : AfxGetApp()->GetOpenDocuments()) {
        if (document->IsKindOf(RUNTIME_CLASS(CVarnoDoc))
            && static_cast<CVarnoDoc*>(document)->m_nKind != CVarnoDoc::kindUndefined) {
            document->UpdateAllViews(nullptr, 0, nullptr);
        }
    }
}

void CMainFrame::OnHelpContents() { ShowHelpWindow(GetWidget()); }

void CMainFrame::OnEditUndo() { ApplicationEditHistory().Undo(); }

void CMainFrame::OnEditRedo() { ApplicationEditHistory().Redo(); }

void CMainFrame::OnEditReference()
{
    if (auto* document = DYNAMIC_DOWNCAST(CVarnoDoc, GetActiveDocument())) {
        document->SetReferenceOnly(!document->m_bReferenceOnly);
    }
}

void CMainFrame::OnInitMenuPopup(QMenu* pPopupMenu)
{
    UpdateEditMenu(*pPopupMenu, ApplicationEditHistory(), DYNAMIC_DOWNCAST(CVarnoDoc, GetActiveDocument()));
    CheckLettersItems(*pPopupMenu, m_letters);
}
