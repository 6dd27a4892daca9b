#pragma once
// The menu bars and keys of frame windows, built from the menu resources.

#include "platform/ResourceMenus.h"

#include <QList>

#include <span>

class CWnd;
class QMenu;
class QWidget;

// The pop-ups of the menu, owned by the target's window. An item shows the first of
// the keys that sends its command; the recent-file placeholder (ID_FILE_MRU_FILE1)
// gives way to the application's recent files while there are any. Before a pop-up
// opens, the target's OnInitMenuPopup gets it.
QList<QMenu*> AfxBuildMenus(const AfxMenuResource& menu, std::span<const AfxAccelerator> keys, CWnd* target);

// The keys as shortcuts of the target's window. Every command of a menu or key runs on the
// target from the event loop, once that event is over.
void AfxAddAccelerators(std::span<const AfxAccelerator> keys, CWnd* target);
