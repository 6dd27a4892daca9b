#pragma once
// Dialog templates: a dialog's caption, size and font and its controls in
// template order, all in dialog units. Every dialog is a captioned modal box
// with a close button. The program registers its templates once at start-up
// and CDialog builds its window from the one with its id.

#include "platform/ResourceTable.h"

// The id of controls that nothing refers to.
constexpr int IDC_STATIC = -1;

enum class AfxControlKind { Edit, PushButton, DefPushButton, StaticLeft, StaticRight, AutoCheckBox, GroupBox, Icon };

struct AfxDialogItem {
    AfxControlKind kind;
    int id;
    // The control's text; null for none. Icons name their image by iconId instead.
    const char* text;
    short x;
    short y;
    short cx;
    short cy;
    // The window styles (WS_CHILD, WS_VISIBLE, WS_TABSTOP ...; the kind says the rest):
    // the controls take the tab order of WS_TABSTOP.
    DWORD style;
    // The icon resource shown by an Icon control.
    UINT iconId = 0;
};

struct AfxDialogTemplate {
    UINT id;
    const char* caption;
    // Client-area size in dialog units.
    short cx;
    short cy;
    const char* fontFace;
    int pointSize;
    // Template order, which is also the tab order.
    std::span<const AfxDialogItem> items;
};

inline void AfxRegisterDialogTemplates(std::span<const AfxDialogTemplate> templates)
{
    AfxResourceTable<AfxDialogTemplate>::Register(templates);
}
// The template registered under the id, or null.
inline const AfxDialogTemplate* AfxFindDialogTemplate(UINT id) { return AfxResourceTable<AfxDialogTemplate>::Find(id); }
