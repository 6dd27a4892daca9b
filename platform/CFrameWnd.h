#pragma once
// A frame window: a top-level or MDI child window with a title, icon and, for
// the top level, menu bar and keys built from the resources. Commands go to the active
// view (and its document), the frame, then from the top level to the application.
// A frame belongs to its window and goes with it.

#include "platform/CWnd.h"

#include <QList>

#include <map>
#include <string>
#include <vector>

class CDocument;
class CView;

constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
// The frame adds the active document's name to its title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

// What a frame made for a document needs: the view class to create in it and the document it shows.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

class CFrameWnd : public CWnd {
public:
    // The main frame's end ends the application's message loop.
    ~CFrameWnd() override;

    // Creates the window from the resources of the id: its title (the first field of the string of
    // that id), icon, and for a top-level frame the menu and accelerators. With a context, creates
    // the view in it. Gives TRUE.
    // Every frame adds the active document to its title.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    // The view that commands go to; null when there is none.
    CView* GetActiveView() const { return m_pViewActive; }
    // The document of the active frame's view, or null.
    CDocument* GetActiveDocument();
    // The frame that holds the active view: an MDI frame's active child, else this frame.
    virtual CFrameWnd* GetActiveFrame() { return this; }

    virtual void ActivateFrame(int nCmdShow = -1);
    // Recomputes the title: a main window adds its active document window's title,
    // a document window shows its document's title.
    void OnUpdateFrameTitle();
    // Calls the view's OnInitialUpdate and shows the frame, which was made with a view (every caller
    // makes it visible).
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    BOOL OnCmdMsg(UINT nID) override;

    // The resource id the frame was loaded from: its menu, icon and title.
    UINT GetResourceID() const { return m_nIDHelp; }

    // The window number shown after the document's name while a document has
    // several windows (":1", ":2"); 0 shows none.
    int m_nWindow = 0;

    // Brings the frame to the front and opens the files dropped on it or handed over by the desktop,
    // together: those that cannot be opened are reported in one message.
    void OnDropFiles(const std::vector<std::string>& paths);

protected:
    // The frame's widget, made by LoadFrame: a main window here, an MDI child in CMDIChildWnd.
    virtual QWidget* CreateFrameWidget(CWnd* pParentWnd);
    virtual void SetClientWidget(QWidget* widget);
    // Creates the view of the context in the frame and makes it the active view.
    void OnCreateClient(CCreateContext* pContext);
    // Asks the document of a closing frame whether it may go (the save prompt).
    BOOL CanCloseFrame();
    void OnClose() override;
    // Puts the menu bar of the menu resource in place, built the first time it shows.
    void ShowMenu(UINT nIDResource);

    UINT m_nIDHelp = 0;
    std::string m_strTitle;

private:
    // A child window of the frame's window: it outlives this object.
    CView* m_pViewActive = nullptr;
    std::map<UINT, QList<QMenu*>> m_menus;
    UINT m_nShownMenu = 0;
};
