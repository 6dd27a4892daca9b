#include "platform/FrameMenus.h"

#include "platform/AfxRes.h"
#include "platform/CMDIFrameWnd.h"
#include "platform/CRecentFileList.h"
#include "platform/CWinApp.h"
#include "platform/CWnd.h"
#include "platform/MoreWindowsDialog.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <algorithm>

namespace {
// Marks the entries that a menu shows in place of or after its items: recent files, windows.
constexpr const char* kListEntry = "varnoListEntry";

// The action runs the command on the target once the menu or key event is over, since the command
// may close the window. A command still waiting when the target's window goes goes with it.
void ConnectCommand(QAction* action, CWnd* target, UINT id)
{
    QObject::connect(
        action, &QAction::triggered, target->GetWidget(), [target, id] { target->OnCmdMsg(id); }, Qt::QueuedConnection);
}

void RemoveListEntries(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (action->property(kListEntry).toBool()) {
            menu->removeAction(action);
            delete action;
        }
    }
}

// "&1 name": the number is the access key; an "&" of the name shows as itself.
QString NumberedEntry(int index, QString name)
{
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

// Puts the recent-file list in place of its greyed placeholder, which shows while the list is empty.
void UpdateRecentFiles(QMenu* menu, QAction* placeholder, CWnd* target)
{
    RemoveListEntries(menu);
    // Loaded (LoadStdProfileSettings) before the menus of a program with the placeholder are made.
    CRecentFileList* list = AfxGetApp()->GetRecentFileList();
    const int count = list->GetCount();
    placeholder->setVisible(count == 0);
    for (int i = 0; i < count; ++i) {
        auto* entry = new QAction(NumberedEntry(i, QString::fromStdString((*list)[i])), menu);
        entry->setProperty(kListEntry, true);
        ConnectCommand(entry, target, list->m_nStart + static_cast<UINT>(i));
        menu->insertAction(placeholder, entry);
    }
}

void BringToFront(QMdiArea* area, QMdiSubWindow* window)
{
    if (window->isMinimized()) {
        window->showNormal();
    }
    area->setActiveSubWindow(window);
}

// The windows that the Window menu numbers, 1 to 9 being the access keys; the others are reached through
// More Windows.
constexpr int kNumberedWindows = 9;

void ChooseFromAllWindows(QMdiArea* area, CWnd* frame)
{
    CMoreWindowsDialog dialog(area, frame);
    if (dialog.DoModal() == IDOK) {
        BringToFront(area, dialog.m_pChosen);
    }
}

// The first open document windows after the Window menu's items, numbered in the order they
// were opened, the active one checked, then More Windows when there are more; choosing one
// brings it to the front.
void UpdateWindowList(QMenu* menu, QMdiArea* area, CWnd* frame)
{
    RemoveListEntries(menu);
    const QList<QMdiSubWindow*> windows = area->subWindowList(QMdiArea::CreationOrder);
    if (!windows.isEmpty()) {
        menu->addSeparator()->setProperty(kListEntry, true);
    }
    for (int i = 0; i < std::min<int>(windows.size(), kNumberedWindows); ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* entry = menu->addAction(NumberedEntry(i, window->windowTitle()));
        entry->setProperty(kListEntry, true);
        entry->setCheckable(true);
        entry->setChecked(window == area->currentSubWindow());
        QObject::connect(entry, &QAction::triggered, window, [area, window] { BringToFront(area, window); });
    }
    if (windows.size() > kNumberedWindows) {
        QAction* more = menu->addAction(QStringLiteral("&More Windows..."));
        more->setProperty(kListEntry, true);
        // Once the menu has closed, as commands run.
        QObject::connect(
            more, &QAction::triggered, area, [area, frame] { ChooseFromAllWindows(area, frame); }, Qt::QueuedConnection);
    }
}

bool IsWindowCommand(UINT id) { return id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_HORZ; }

// The item's key shows after a tab; the key itself belongs to the window.
QString ItemText(const AfxMenuItem& item, std::span<const AfxAccelerator> keys)
{
    QString text = QString::fromUtf8(item.text);
    const auto key = std::ranges::find(keys, item.id, &AfxAccelerator::cmd);
    if (key != keys.end()) {
        text += u'\t' + QString::fromLatin1(key->key);
    }
    return text;
}

// A menu of the menu bar, or a pop-up within one: as it opens, the target may set its items.
QMenu* MakeMenu(const AfxMenuItem& popup, std::span<const AfxAccelerator> keys, CWnd* target, QWidget* parent);

void AddMenuItems(QMenu* menu, std::span<const AfxMenuItem> items, std::span<const AfxAccelerator> keys, CWnd* target)
{
    for (const AfxMenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            menu->addMenu(MakeMenu(item, keys, target, menu));
        } else {
            QAction* action = menu->addAction(ItemText(item, keys));
            action->setData(item.id);
            action->setEnabled(!item.IsGrayed());
            if (item.id == ID_FILE_MRU_FILE1) {
                QObject::connect(menu, &QMenu::aboutToShow, menu,
                                 [menu, action, target] { UpdateRecentFiles(menu, action, target); });
            } else {
                ConnectCommand(action, target, item.id);
            }
        }
    }
}

QMenu* MakeMenu(const AfxMenuItem& popup, std::span<const AfxAccelerator> keys, CWnd* target, QWidget* parent)
{
    auto* built = new QMenu(QString::fromUtf8(popup.text), parent);
    AddMenuItems(built, popup.items, keys, target);
    QObject::connect(built, &QMenu::aboutToShow, built, [target, built] { target->OnInitMenuPopup(built); });
    return built;
}
} // namespace

QList<QMenu*> AfxBuildMenus(const AfxMenuResource& menu, std::span<const AfxAccelerator> keys, CWnd* target)
{
    QWidget* window = target->GetWidget();
    QList<QMenu*> menus;
    for (const AfxMenuItem& popup : menu.items) {
        QMenu* built = MakeMenu(popup, keys, target, window);
        auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, target);
        if (frame != nullptr && std::ranges::any_of(popup.items, IsWindowCommand, &AfxMenuItem::id)) {
            QMdiArea* area = frame->GetMdiClient();
            QObject::connect(built, &QMenu::aboutToShow, built,
                             [built, area, frame] { UpdateWindowList(built, area, frame); });
        }
        menus.append(built);
    }
    return menus;
}

void AfxAddAccelerators(std::span<const AfxAccelerator> keys, CWnd* target)
{
    QWidget* window = target->GetWidget();
    for (const AfxAccelerator& key : keys) {
        auto* action = new QAction(window);
        action->setShortcut(QKeySequence::fromString(QString::fromLatin1(key.key), QKeySequence::PortableText));
        action->setShortcutContext(Qt::WindowShortcut);
        ConnectCommand(action, target, key.cmd);
        window->addAction(action);
    }
}
