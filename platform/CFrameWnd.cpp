#include "platform/CFrameWnd.h"

#include "platform/CDocument.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
#include "platform/Display.h"
#include "platform/FrameMenus.h"
#include "platform/FrameWidgets.h"
#include "platform/OpenFailures.h"
#include "platform/ResourceIcons.h"
#include "platform/ResourceStrings.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

CFrameWnd::~CFrameWnd()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        QCoreApplication::quit();
    }
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    AfxEnsureGuiApplication();
    QWidget* widget = CreateFrameWidget(pParentWnd);
    Attach(widget);
    std::string title;
    if (const char* strings = AfxLoadString(nIDResource)) {
        title = strings;
    }
    m_strTitle = title.substr(0, title.find('\n'));
    widget->setWindowIcon(AfxLoadIcon(nIDResource));
    // A document window has neither: its keys and menu show in the main window.
    const AfxMenuResource* resource = AfxFindMenu(nIDResource);
    if (resource != nullptr && qobject_cast<QMainWindow*>(widget) != nullptr) {
        AfxAddAccelerators(resource->accelerators, this);
        ShowMenu(nIDResource);
    }
    if (pContext != nullptr) {
        OnCreateClient(pContext);
    }
    OnUpdateFrameTitle();
    return TRUE;
}

QWidget* CFrameWnd::CreateFrameWidget(CWnd*)
{
    auto* window = new CFrameMainWindow;
    window->resize(800, 600);
    return window;
}

void CFrameWnd::ShowMenu(UINT nIDResource)
{
    auto* window = qobject_cast<QMainWindow*>(GetWidget());
    const AfxMenuResource* resource = AfxFindMenu(nIDResource);
    if (window == nullptr || resource == nullptr || m_nShownMenu == nIDResource) {
        return;
    }
    QList<QMenu*>& menus = m_menus[nIDResource];
    if (menus.isEmpty()) {
        // The keys are the main window's own, whichever menu it shows.
        menus = AfxBuildMenus(*resource, AfxFindMenu(m_nIDHelp)->accelerators, this);
    }
    QMenuBar* bar = window->menuBar();
    bar->clear();
    for (QMenu* menu : menus) {
        bar->addMenu(menu);
    }
    m_nShownMenu = nIDResource;
}

void CFrameWnd::SetClientWidget(QWidget* widget)
{
    if (auto* window = qobject_cast<QMainWindow*>(GetWidget())) {
        window->setCentralWidget(widget);
    }
}

void CFrameWnd::OnCreateClient(CCreateContext* pContext)
{
    auto* view = AfxCreateObject<CView>(pContext->m_pNewViewClass);
    view->Create(this);
    SetClientWidget(view->GetWidget());
    if (pContext->m_pCurrentDoc != nullptr) {
        pContext->m_pCurrentDoc->AddView(view);
    }
    m_pViewActive = view;
    view->GetWidget()->setFocus();
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveFrame()->GetActiveView();
    if (view == nullptr) {
        return nullptr;
    }
    return view->GetDocument();
}

void CFrameWnd::ActivateFrame(int)
{
    QWidget* widget = GetWidget();
    widget->show();
    if (widget->isMinimized()) {
        widget->showNormal();
    }
    widget->raise();
    widget->activateWindow();
}

void CFrameWnd::OnUpdateFrameTitle()
{
    QWidget* widget = GetWidget();
    QString title = QString::fromStdString(m_strTitle);
    CFrameWnd* active = GetActiveFrame();
    if (active != this) {
        // A main window: its title, then the active document window's.
        const QString name = active->GetWidget()->windowTitle();
        if (!name.isEmpty()) {
            title += QStringLiteral(" - ") + name;
        }
    } else if (CDocument* document = GetActiveDocument()) {
        // A document window: the document, numbered while it has several windows, marked while modified.
        title = QString::fromStdString(document->GetTitle());
        if (m_nWindow > 0) {
            title += QStringLiteral(":%1").arg(m_nWindow);
        }
        if (document->IsModified()) {
            title += QLatin1Char('*');
        }
    }
    widget->setWindowTitle(title);
    // The main window names the active document window.
    if (CFrameWnd* parent = GetParentFrame(); parent != nullptr && parent->GetActiveFrame() == this) {
        parent->OnUpdateFrameTitle();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL)
{
    GetActiveView()->OnInitialUpdate();
    ActivateFrame();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID)
{
    if (CFrameWnd* active = GetActiveFrame(); active != this && active->OnCmdMsg(nID)) {
        return TRUE;
    }
    if (CView* view = GetActiveView(); view != nullptr && view->OnCmdMsg(nID)) {
        return TRUE;
    }
    if (CWnd::OnCmdMsg(nID)) {
        return TRUE;
    }
    // A document window's commands reach the application through the main window.
    CWinApp* app = AfxGetApp();
    return GetParentFrame() == nullptr && app != nullptr && app->OnCmdMsg(nID);
}

BOOL CFrameWnd::CanCloseFrame()
{
    CDocument* document = GetActiveDocument();
    return document == nullptr || document->CanCloseFrame(this);
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        // Exit: every modified document is asked about first; Cancel keeps everything open.
        if (!app->SaveAllModified()) {
            return;
        }
        app->CloseAllDocuments(FALSE);
    } else if (!CanCloseFrame()) {
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDropFiles(const std::vector<std::string>& paths)
{
    ActivateFrame();
    AfxOpenDocumentFiles(paths);
}
