#include "res/Resource.h"

#include "platform/AfxRes.h"
#include "platform/ResourceMenus.h"

namespace {

// The three kinds of entry, written as a menu script writes them.
constexpr AfxMenuItem AfxMenuCommand(const char* text, UINT id, UINT flags = MF_STRING)
{
    return AfxMenuItem{flags, id, text, {}};
}
constexpr AfxMenuItem AfxMenuSeparator() { return AfxMenuItem{MF_SEPARATOR, 0, nullptr, {}}; }
constexpr AfxMenuItem AfxMenuPopup(const char* text, std::span<const AfxMenuItem> items)
{
    return AfxMenuItem{MF_POPUP, 0, text, items};
}

// The framework puts the recent-file list in place of the greyed entry.
constexpr AfxMenuItem kRecentFiles = AfxMenuCommand("Recent File", ID_FILE_MRU_FILE1, MF_GRAYED);

constexpr AfxMenuItem kHelpItems[] = {
    AfxMenuCommand("&Contents", ID_HELP_CONTENTS),
    AfxMenuSeparator(),
    AfxMenuCommand("&About varno...", ID_APP_ABOUT),
};

// Shown while no document window is open.
constexpr AfxMenuItem kMainFrameFileItems[] = {
    AfxMenuCommand("&New", ID_FILE_NEW),
    AfxMenuCommand("&Open...", ID_FILE_OPEN),
    AfxMenuCommand("Open &Reference...", ID_FILE_OPEN_REFERENCE),
    AfxMenuSeparator(),
    kRecentFiles,
    AfxMenuSeparator(),
    AfxMenuCommand("E&xit", ID_APP_EXIT),
};
constexpr AfxMenuItem kMainFrameMenu[] = {
    AfxMenuPopup("&File", kMainFrameFileItems),
    AfxMenuPopup("&Help", kHelpItems),
};

// Shown while a document window is active.
constexpr AfxMenuItem kDocumentFileItems[] = {
    AfxMenuCommand("&New", ID_FILE_NEW),
    AfxMenuCommand("&Open...", ID_FILE_OPEN),
    AfxMenuCommand("Open &Reference...", ID_FILE_OPEN_REFERENCE),
    AfxMenuCommand("&Close", ID_FILE_CLOSE),
    AfxMenuCommand("Close A&ll", ID_FILE_CLOSE_ALL),
    AfxMenuCommand("&Save", ID_FILE_SAVE),
    AfxMenuCommand("Save &As...", ID_FILE_SAVE_AS),
    AfxMenuCommand("Sa&ve All", ID_FILE_SAVE_ALL),
    AfxMenuCommand("&Export Mapping...", ID_FILE_EXPORT_MAPPING),
    AfxMenuSeparator(),
    kRecentFiles,
    AfxMenuSeparator(),
    AfxMenuCommand("E&xit", ID_APP_EXIT),
};
// Undo and Redo name their step, and Reference Only shows a check (frames/EditMenu.h).
constexpr AfxMenuItem kDocumentEditItems[] = {
    AfxMenuCommand("&Undo", ID_EDIT_UNDO),
    AfxMenuCommand("&Redo", ID_EDIT_REDO),
    AfxMenuSeparator(),
    AfxMenuCommand("&Copy", ID_EDIT_COPY),
    AfxMenuCommand("Copy Ta&ble", ID_EDIT_COPY_TABLE),
    AfxMenuSeparator(),
    AfxMenuCommand("&Find...", ID_EDIT_FIND),
    AfxMenuCommand("Find Ne&xt", ID_EDIT_FIND_NEXT),
    AfxMenuCommand("Find &Previous", ID_EDIT_FIND_PREVIOUS),
    AfxMenuCommand("&Go to Byte...", ID_EDIT_GO_TO_BYTE),
    AfxMenuSeparator(),
    AfxMenuCommand("&Take Table From...", ID_EDIT_TAKE_TABLE),
    AfxMenuCommand("Reference &Only", ID_EDIT_REFERENCE),
    AfxMenuSeparator(),
    AfxMenuCommand("Fo&nt", ID_EDIT_FONT),
};
// The two Letters items show as radio items, the current one chosen, as the menu opens (frames/LettersChoice.h).
constexpr AfxMenuItem kDocumentLettersItems[] = {
    AfxMenuCommand("&Table's Characters", ID_VIEW_TABLE_CHARACTERS),
    AfxMenuCommand("&Bytes in the Display Code Page", ID_VIEW_DISPLAY_CODE_PAGE),
};
constexpr AfxMenuItem kDocumentViewItems[] = {
    AfxMenuPopup("&Letters", kDocumentLettersItems),
};
constexpr AfxMenuItem kDocumentWindowItems[] = {
    AfxMenuCommand("&New Window", ID_WINDOW_NEW),
    AfxMenuCommand("&Cascade", ID_WINDOW_CASCADE),
    AfxMenuCommand("&Tile", ID_WINDOW_TILE_HORZ),
    AfxMenuCommand("&Arrange Icons", ID_WINDOW_ARRANGE),
    AfxMenuSeparator(),
    AfxMenuCommand("C&ompare Open Tables", ID_WINDOW_COMPARE),
};
constexpr AfxMenuItem kDocumentMenu[] = {
    AfxMenuPopup("&File", kDocumentFileItems),
    AfxMenuPopup("&Edit", kDocumentEditItems),
    AfxMenuPopup("&View", kDocumentViewItems),
    AfxMenuPopup("&Window", kDocumentWindowItems),
    AfxMenuPopup("&Help", kHelpItems),
};

// The main window's keys serve the document windows as well; each menu item shows
// the key of its command. Nothing handles cut, paste and the pane commands, so
// their keys do nothing.
constexpr AfxAccelerator kMainFrameAccelerators[] = {
    {"Ctrl+N", ID_FILE_NEW},
    {"Ctrl+O", ID_FILE_OPEN},
    {"Ctrl+S", ID_FILE_SAVE},
    {"Ctrl+W", ID_FILE_CLOSE},
    {"Ctrl+F4", ID_FILE_CLOSE},
    {"Ctrl+Z", ID_EDIT_UNDO},
    {"Ctrl+Y", ID_EDIT_REDO},
    {"Ctrl+Shift+Z", ID_EDIT_REDO},
    {"Ctrl+X", ID_EDIT_CUT},
    {"Ctrl+C", ID_EDIT_COPY},
    {"Ctrl+V", ID_EDIT_PASTE},
    {"Ctrl+F", ID_EDIT_FIND},
    {"F3", ID_EDIT_FIND_NEXT},
    {"Shift+F3", ID_EDIT_FIND_PREVIOUS},
    {"Ctrl+G", ID_EDIT_GO_TO_BYTE},
    {"Alt+Backspace", ID_EDIT_UNDO},
    {"Shift+Del", ID_EDIT_CUT},
    {"Ctrl+Ins", ID_EDIT_COPY},
    {"Shift+Ins", ID_EDIT_PASTE},
    {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},
    {"F1", ID_HELP_CONTENTS},
};

constexpr AfxMenuResource kMenus[] = {
    {IDR_MAINFRAME, kMainFrameMenu, kMainFrameAccelerators},
    {IDR_VARNOTYPE, kDocumentMenu},
};

} // namespace

void VarnoRegisterMenus()
{
    AfxRegisterMenus(kMenus);
}
