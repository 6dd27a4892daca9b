#pragma once
// Menu and accelerator resources: the program registers its menus once at
// start-up and the window layer looks them up by id to build its menu bars and keys.

#include "platform/ResourceTable.h"

enum : UINT { MF_STRING = 0x0000, MF_GRAYED = 0x0001, MF_POPUP = 0x0010, MF_SEPARATOR = 0x0800 };

// One entry of a menu. The text marks its access key with "&" ("&&" is a plain
// "&"); the key of its command, if the window has one, shows after it. A pop-up,
// of the menu bar or within another, has items and no command id; a separator has neither.
struct AfxMenuItem {
    UINT flags = MF_STRING;
    UINT id = 0;
    const char* text = nullptr;
    std::span<const AfxMenuItem> items{};

    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    bool IsGrayed() const { return (flags & MF_GRAYED) != 0; }
    bool IsPopup() const { return (flags & MF_POPUP) != 0; }
};

// A key that sends a command: the key as Qt writes it portably ("Ctrl+O", "Shift+F6").
struct AfxAccelerator {
    const char* key;
    UINT cmd;
};

// A menu bar, its pop-ups from left to right, and for a main window's menu the
// keys of that window, which serve every menu it shows.
struct AfxMenuResource {
    UINT id;
    std::span<const AfxMenuItem> items;
    std::span<const AfxAccelerator> accelerators{};
};

inline void AfxRegisterMenus(std::span<const AfxMenuResource> menus)
{
    AfxResourceTable<AfxMenuResource>::Register(menus);
}
// The menu of the id, or null when none is registered.
inline const AfxMenuResource* AfxFindMenu(UINT id) { return AfxResourceTable<AfxMenuResource>::Find(id); }
