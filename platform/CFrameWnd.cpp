#include "platform/CFrameWnd.h"

#include "platform/AfxRes.h"
#include "platform/CDocument.h"
#include "platform/CRecentFileList.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
#include "platform/Display.h"
#include "platform/ResourceAccelerators.h"
#include "platform/ResourceIcons.h"
#include "platform/ResourceMenus.h"
#include "platform/ResourceStrings.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

#include <map>

namespace {
constexpr const char* kRecentPlaceholder = "varnoRecentPlaceholder";
constexpr const char* kRecentEntry = "varnoRecentEntry";

std::vector<std::string> LocalFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    return paths;
}

// A top-level frame's window. Closing asks the frame first (the save prompt),
// from the event loop, so the frame may destroy the window; dropped files go
// to the frame likewise.
class CFrameMainWindow : public QMainWindow {
public:
    CFrameMainWindow() = default;
    ~CFrameMainWindow() override { CWnd::NotifyWidgetDestroyed(this); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        if (CWnd* frame = CWnd::FromHandle(this)) {
            frame->PostMessage(WM_CLOSE);
        }
    }

    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (!LocalFiles(event->mimeData()).empty()) {
            event->acceptProposedAction();
        }
    }

    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (!LocalFiles(event->mimeData()).empty()) {
            event->acceptProposedAction();
        }
    }

    void dropEvent(QDropEvent* event) override
    {
        std::vector<std::string> paths = LocalFiles(event->mimeData());
        if (paths.empty()) {
            return;
        }
        event->acceptProposedAction();
        // Opened once the drop is over: opening may show message boxes.
        QMetaObject::invokeMethod(
            this,
            [this, paths] {
                if (CWnd* frame = CWnd::FromHandle(this)) {
                    frame->SendMessage(WM_DROPFILES, 0, reinterpret_cast<LPARAM>(&paths));
                }
            },
            Qt::QueuedConnection);
    }
};

// "&1 /path/name": the number is the access key; an "&" of the path shows as itself.
QString RecentEntryText(int index, const std::string& path)
{
    QString shown = QString::fromStdString(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

// Puts the recent-file list in place of its greyed placeholder, which shows while the list is empty.
void UpdateRecentFiles(QMenu* menu, CWnd* target)
{
    QAction* placeholder = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->property(kRecentEntry).toBool()) {
            menu->removeAction(action);
            delete action;
        } else if (action->property(kRecentPlaceholder).toBool()) {
            placeholder = action;
        }
    }
    if (placeholder == nullptr) {
        return;
    }
    CWinApp* app = AfxGetApp();
    CRecentFileList* list = app != nullptr ? app->GetRecentFileList() : nullptr;
    const int count = list != nullptr ? list->GetCount() : 0;
    placeholder->setVisible(count == 0);
    for (int i = 0; i < count; ++i) {
        auto* entry = new QAction(RecentEntryText(i, (*list)[i]), menu);
        entry->setProperty(kRecentEntry, true);
        const UINT id = list->m_nStart + static_cast<UINT>(i);
        QObject::connect(entry, &QAction::triggered, menu, [target, id] { target->PostMessage(WM_COMMAND, id); });
        menu->insertAction(placeholder, entry);
    }
}

void AddMenuItems(QMenu* menu, std::span<const AfxMenuItem> items, CWnd* target)
{
    for (const AfxMenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            AddMenuItems(menu->addMenu(QString::fromUtf8(item.text)), item.items, target);
        } else {
            // The text after a tab shows as the item's shortcut; the keys themselves are accelerators.
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            action->setEnabled(!item.IsGrayed());
            if (item.id == ID_FILE_MRU_FILE1) {
                action->setProperty(kRecentPlaceholder, true);
                QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, target] { UpdateRecentFiles(menu, target); });
            } else {
                const UINT id = item.id;
                QObject::connect(action, &QAction::triggered, menu, [target, id] { target->PostMessage(WM_COMMAND, id); });
            }
        }
    }
}
} // namespace

struct CFrameWnd::Impl {
    QPointer<QWidget> activeView;
    // The menu bars built so far, by resource id: their pop-ups, owned by the window.
    std::map<UINT, QList<QMenu*>> menus;
    UINT shownMenu = 0;
};

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

CFrameWnd::CFrameWnd() : m_frame(std::make_unique<Impl>()) {}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    m_dwStyle = dwDefaultStyle;
    CREATESTRUCT cs;
    cs.style = static_cast<LONG>(dwDefaultStyle);
    if (!PreCreateWindow(cs)) {
        return FALSE;
    }
    m_dwStyle = static_cast<DWORD>(cs.style);
    AfxEnsureGuiApplication();
    QWidget* widget = CreateFrameWidget(pParentWnd);
    if (widget == nullptr) {
        return FALSE;
    }
    Attach(widget, true);
    const char* strings = AfxLoadString(nIDResource);
    const std::string title = strings != nullptr ? strings : "";
    m_strTitle = title.substr(0, title.find('\n'));
    widget->setWindowIcon(AfxLoadIcon(nIDResource));
    LoadFrameMenus(nIDResource);
    if (pContext != nullptr && !OnCreateClient(pContext)) {
        // The caller keeps this object; only the window goes.
        delete Detach();
        return FALSE;
    }
    OnUpdateFrameTitle(TRUE);
    return TRUE;
}

QWidget* CFrameWnd::CreateFrameWidget(CWnd*)
{
    auto* window = new CFrameMainWindow;
    window->resize(800, 600);
    return window;
}

void CFrameWnd::LoadFrameMenus(UINT nIDResource)
{
    QWidget* widget = GetWidget();
    if (const AfxAcceleratorTable* table = AfxFindAcceleratorTable(nIDResource)) {
        for (const ACCEL& accel : table->entries) {
            auto* action = new QAction(widget);
            action->setShortcut(AfxKeySequenceFromAccel(accel));
            action->setShortcutContext(Qt::WindowShortcut);
            const UINT id = accel.cmd;
            QObject::connect(action, &QAction::triggered, widget, [this, id] { PostMessage(WM_COMMAND, id); });
            widget->addAction(action);
        }
    }
    ShowMenu(nIDResource);
}

void CFrameWnd::ShowMenu(UINT nIDResource)
{
    auto* window = qobject_cast<QMainWindow*>(GetWidget());
    if (window == nullptr) {
        return;
    }
    if (AfxFindMenu(nIDResource) == nullptr) {
        nIDResource = m_nIDHelp;
    }
    const AfxMenuResource* resource = AfxFindMenu(nIDResource);
    if (resource == nullptr || (m_frame->shownMenu == nIDResource && !window->menuBar()->actions().isEmpty())) {
        return;
    }
    QList<QMenu*>& menus = m_frame->menus[nIDResource];
    if (menus.isEmpty()) {
        for (const AfxMenuItem& popup : resource->items) {
            auto* menu = new QMenu(QString::fromUtf8(popup.text), window);
            AddMenuItems(menu, popup.items, this);
            menus.append(menu);
        }
    }
    QMenuBar* bar = window->menuBar();
    bar->clear();
    for (QMenu* menu : menus) {
        bar->addMenu(menu);
    }
    m_frame->shownMenu = nIDResource;
}

void CFrameWnd::SetClientWidget(QWidget* widget)
{
    if (auto* window = qobject_cast<QMainWindow*>(GetWidget())) {
        window->setCentralWidget(widget);
    }
}

BOOL CFrameWnd::OnCreateClient(CCreateContext* pContext)
{
    if (pContext->m_pNewViewClass == nullptr) {
        return TRUE;
    }
    CView* view = CreateView(pContext);
    if (view == nullptr) {
        return FALSE;
    }
    SetActiveView(view);
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext)
{
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    if (object == nullptr) {
        return nullptr;
    }
    if (!object->IsKindOf(RUNTIME_CLASS(CView))) {
        delete object;
        return nullptr;
    }
    auto* view = static_cast<CView*>(object);
    if (!view->Create(this)) {
        delete view;
        return nullptr;
    }
    SetClientWidget(view->GetWidget());
    // Last: from here on the view belongs to its window and the document to its views.
    if (pContext->m_pCurrentDoc != nullptr) {
        pContext->m_pCurrentDoc->AddView(view);
    }
    return view;
}

CView* CFrameWnd::GetActiveView() const
{
    CWnd* window = FromHandle(m_frame->activeView.data());
    return window != nullptr && window->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(window) : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew)
{
    m_frame->activeView = pViewNew != nullptr ? pViewNew->GetWidget() : nullptr;
    if (m_frame->activeView != nullptr) {
        m_frame->activeView->setFocus();
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    if (QWidget* widget = GetWidget()) {
        widget->raise();
        widget->activateWindow();
    }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    QWidget* widget = GetWidget();
    if (widget == nullptr) {
        return;
    }
    std::string title = m_strTitle;
    CDocument* document = GetActiveDocument();
    if (bAddToTitle && (m_dwStyle & FWS_ADDTOTITLE) != 0 && document != nullptr) {
        title = document->GetTitle() + (title.empty() ? "" : " - " + title);
    }
    widget->setWindowTitle(QString::fromStdString(title));
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    if (CView* view = GetActiveView()) {
        view->OnInitialUpdate();
    }
    if (bMakeVisible) {
        ActivateFrame();
    }
    OnUpdateFrameTitle(TRUE);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID)
{
    if (CView* view = GetActiveView(); view != nullptr && view->OnCmdMsg(nID)) {
        return TRUE;
    }
    if (CWnd::OnCmdMsg(nID)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return RoutesToApplication() && app != nullptr && app->OnCmdMsg(nID);
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

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        QCoreApplication::quit();
    }
    delete this;
}

void CFrameWnd::OnDropFiles(const std::vector<std::string>& paths)
{
    ActivateFrame();
    CWinApp* app = AfxGetApp();
    for (const std::string& path : paths) {
        if (app != nullptr) {
            app->OpenDocumentFile(path.c_str());
        }
    }
}
