#pragma once
// Dialog templates: a dialog's caption, style, size and font and its controls
// in template order, all in dialog units. The program registers its templates
// once at start-up and CDialog builds its window from the one with its id.

#include "platform/ResourceTable.h"

// Dialog styles.
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;

// Control styles of the kinds below.
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD SS_RIGHT = 0x2;
constexpr DWORD SS_ICON = 0x3;

// The id of controls that nothing refers to.
constexpr int IDC_STATIC = -1;

enum class AfxControlKind {
    Edit,
    PushButton,
    DefPushButton,
    StaticLeft,
    StaticRight,
    AutoCheckBox,
    GroupBox,
    Icon,
};

struct AfxDialogItem {
    AfxControlKind kind;
    int id;
    // The control's text; null for none. Icons name their image by iconId instead.
    const char* text;
    short x;
    short y;
    short cx;
    short cy;
    // The whole style as written (WS_CHILD, WS_VISIBLE, WS_TABSTOP, the kind's own bits ...):
    // the controls take the tab order of WS_TABSTOP and an edit's frame from WS_BORDER.
    DWORD style;
    // The icon resource shown by an Icon control.
    UINT iconId = 0;
};

struct AfxDialogTemplate {
    UINT id;
    const char* caption;
    // Kept as written: every dialog is a captioned modal box with a close button, in its font.
    DWORD style;
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
