#pragma once
// Menu bars and keys of frames, built from the menu resources. Every command
// is posted to the target window, so that it runs after the menu or key event.

#include "platform/ResourceMenus.h"

#include <QList>

class CWnd;
class QMenu;
class QWidget;

// The pop-ups of the menu, owned by the window. An item shows the first of the
// keys that sends its command; the recent-file placeholder (ID_FILE_MRU_FILE1)
// gives way to the application's recent files while there are any.
QList<QMenu*> AfxBuildMenus(const AfxMenuResource& menu, std::span<const AfxAccelerator> keys, QWidget* window,
                            CWnd* target);
// The keys as shortcuts of the window.
void AfxAddAccelerators(QWidget* window, std::span<const AfxAccelerator> keys, CWnd* target);
