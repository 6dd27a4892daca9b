#pragma once
// The main window: the document windows inside one client area, the menus
// and keys, the status bar, and the display font with which every table view draws.

#include "platform/CMDIFrameWnd.h"
#include "platform/LogFont.h"
#include "view/TableViewHost.h"

class CMainFrame : public CMDIFrameWnd, public TableViewHost {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // The display font of all table views; kept in the settings (MainWindowSettings.h).
    LOGFONT m_logFont;
    LOGFONT DisplayFont() const override { return m_logFont; }
    // What the cells of every code-page table show (View > Letters); kept in the settings.
    Letters m_letters;
    Letters CellLetters() const override { return m_letters; }

    void SetMessageText(const QString& text, const QObject* source) override;

protected:
    // The main window with a status bar under the document windows and a work area that says
    // how to begin while it is empty and visits its windows in turn with Ctrl+Tab, in the quicker
    // style for many document windows (QuickWindowStyle.h).
    QWidget* CreateFrameWidget(CWnd* pParentWnd) override;

    // Exit, or the main window's close box: its size and place are kept for the next start
    // (MainWindowSettings.h), which gives them back as the window is made.
    void OnClose() override;

    // Window > Cascade, each window at its legible size (WorkArea.h).
    void OnWindowCascade();
    // Window > Compare Open Tables (CCompareFrame.h).
    void OnWindowCompare();

    // Edit > Font: the font dialog from the current font; on OK the font is
    // taken and kept for the next start, and every document with a table repaints, its window grown where it
    // became too small for its table. Nothing is marked modified.
    void OnEditFont();
    // View > Letters: the chosen letters are kept for the next start, and every table repaints with them.
    void OnViewTableCharacters();
    void OnViewDisplayCodePage();
    // Edit > Undo (Ctrl+Z, Alt+Backspace) and Edit > Redo (Ctrl+Y, Ctrl+Shift+Z), on the application's
    // edit history.
    void OnEditUndo();
    void OnEditRedo();
    // Edit > Reference Only: the active document becomes a reference, or no longer.
    void OnEditReference();
    // Help > Contents (F1): the editor's guide, in a window beside this one (HelpWindow.h).
    void OnHelpContents();
    void OnInitMenuPopup(QMenu* pPopupMenu) override;

    DECLARE_MESSAGE_MAP()

private:
    void ShowLetters(Letters letters);
    // Every view of every document with a table repaints whole.
    static void RepaintAllTables();
};
