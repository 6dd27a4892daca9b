#include "platform/FrameMenus.h"

#include "platform/AfxRes.h"
#include "platform/CRecentFileList.h"
#include "platform/CWinApp.h"
#include "platform/CWnd.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>

namespace {
constexpr const char* kRecentEntry = "varnoRecentEntry";

void PostOnTrigger(QAction* action, CWnd* target, UINT id)
{
    QObject::connect(action, &QAction::triggered, action, [target, id] { target->PostMessage(WM_COMMAND, id); });
}

// Puts the recent-file list in place of its greyed placeholder, which shows while the list is empty.
void UpdateRecentFiles(QMenu* menu, QAction* placeholder, CWnd* target)
{
    for (QAction* action : menu->actions()) {
        if (action->property(kRecentEntry).toBool()) {
            menu->removeAction(action);
            delete action;
        }
    }
    CRecentFileList* list = AfxGetApp()->GetRecentFileList();
    const int count = list != nullptr ? list->GetCount() : 0;
    placeholder->setVisible(count == 0);
    for (int i = 0; i < count; ++i) {
        // "&1 /path/name": the number is the access key; an "&" of the path shows as itself.
        const QString path = QString::fromStdString((*list)[i]).replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), menu);
        entry->setProperty(kRecentEntry, true);
        PostOnTrigger(entry, target, list->m_nStart + static_cast<UINT>(i));
        menu->insertAction(placeholder, entry);
    }
}

// The item's key shows after a tab; the key itself belongs to the window.
QString ItemText(const AfxMenuItem& item, std::span<const AfxAccelerator> keys)
{
    const auto key = std::ranges::find(keys, item.id, &AfxAccelerator::cmd);
    return QString::fromUtf8(item.text) + (key != keys.end() ? u'\t' + QString::fromLatin1(key->key) : QString());
}

void AddMenuItems(QMenu* menu, std::span<const AfxMenuItem> items, std::span<const AfxAccelerator> keys, CWnd* target)
{
    for (const AfxMenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            AddMenuItems(menu->addMenu(QString::fromUtf8(item.text)), item.items, keys, target);
        } else {
            QAction* action = menu->addAction(ItemText(item, keys));
            action->setData(item.id);
            action->setEnabled(!item.IsGrayed());
            if (item.id == ID_FILE_MRU_FILE1) {
                QObject::connect(menu, &QMenu::aboutToShow, menu,
                                 [menu, action, target] { UpdateRecentFiles(menu, action, target); });
            } else {
                PostOnTrigger(action, target, item.id);
            }
        }
    }
}
} // namespace

QList<QMenu*> AfxBuildMenus(const AfxMenuResource& menu, std::span<const AfxAccelerator> keys, CWnd* target)
{
    QWidget* window = target->GetWidget();
    QList<QMenu*> menus;
    for (const AfxMenuItem& popup : menu.items) {
        auto* built = new QMenu(QString::fromUtf8(popup.text), window);
        AddMenuItems(built, popup.items, keys, target);
        QObject::connect(built, &QMenu::aboutToShow, built, [target, built] { target->OnInitMenuPopup(built); });
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
        PostOnTrigger(action, target, key.cmd);
        window->addAction(action);
    }
}
