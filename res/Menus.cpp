#include "res/Resource.h"

#include "platform/AfxRes.h"
#include "platform/ResourceAccelerators.h"
#include "platform/ResourceMenus.h"

namespace {

// The framework puts the recent-file list in place of the greyed entry.
constexpr AfxMenuItem kRecentFiles = AfxMenuCommand("Recent File", ID_FILE_MRU_FILE1, MF_GRAYED);

constexpr AfxMenuItem kHelpItems[] = {
    AfxMenuCommand("&About varno...", ID_APP_ABOUT),
};

// Shown while no document window is open.
constexpr AfxMenuItem kMainFrameFileItems[] = {
    AfxMenuCommand("&New\tCtrl+N", ID_FILE_NEW),
    AfxMenuCommand("&Open...\tCtrl+O", ID_FILE_OPEN),
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
    AfxMenuCommand("&New\tCtrl+N", ID_FILE_NEW),
    AfxMenuCommand("&Open...\tCtrl+O", ID_FILE_OPEN),
    AfxMenuCommand("&Close", ID_FILE_CLOSE),
    AfxMenuCommand("&Save\tCtrl+S", ID_FILE_SAVE),
    AfxMenuCommand("Save &As...", ID_FILE_SAVE_AS),
    AfxMenuSeparator(),
    kRecentFiles,
    AfxMenuSeparator(),
    AfxMenuCommand("E&xit", ID_APP_EXIT),
};
constexpr AfxMenuItem kDocumentEditItems[] = {
    AfxMenuCommand("&Font", ID_EDIT_FONT),
};
constexpr AfxMenuItem kDocumentWindowItems[] = {
    AfxMenuCommand("&New Window", ID_WINDOW_NEW),
    AfxMenuCommand("&Cascade", ID_WINDOW_CASCADE),
    AfxMenuCommand("&Tile", ID_WINDOW_TILE_HORZ),
    AfxMenuCommand("&Arrange Icons", ID_WINDOW_ARRANGE),
};
constexpr AfxMenuItem kDocumentMenu[] = {
    AfxMenuPopup("&File", kDocumentFileItems),
    AfxMenuPopup("&Edit", kDocumentEditItems),
    AfxMenuPopup("&Window", kDocumentWindowItems),
    AfxMenuPopup("&Help", kHelpItems),
};

constexpr AfxMenuResource kMenus[] = {
    {IDR_MAINFRAME, kMainFrameMenu},
    {IDR_VARNOTYPE, kDocumentMenu},
};

// The only table; it serves the document windows as well. Nothing handles the
// undo, clipboard and pane commands, so their keys do nothing.
constexpr ACCEL kMainFrameAccelerators[] = {
    {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
    {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
    {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
    {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
    {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
    {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
    {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
    {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
    {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
    {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
    {FVIRTKEY, VK_F6, ID_NEXT_PANE},
    {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
};

constexpr AfxAcceleratorTable kAcceleratorTables[] = {
    {IDR_MAINFRAME, kMainFrameAccelerators},
};

} // namespace

void VarnoRegisterMenus()
{
    AfxRegisterMenus(kMenus);
    AfxRegisterAcceleratorTables(kAcceleratorTables);
}
