#pragma once
// The framework's own command ids, which its classes handle.

#include "platform/WinTypes.h"

enum : UINT {
    ID_FILE_NEW = 0xE100, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS,
    // The recent-file list: its entries from the first id on.
    ID_FILE_MRU_FILE1 = 0xE110,
    ID_EDIT_COPY = 0xE122, ID_EDIT_CUT, ID_EDIT_PASTE = 0xE125, ID_EDIT_UNDO = 0xE12B, ID_EDIT_REDO,
    ID_WINDOW_NEW = 0xE130, ID_WINDOW_ARRANGE, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ,
    ID_APP_ABOUT = 0xE140, ID_APP_EXIT,
    ID_NEXT_PANE = 0xE150, ID_PREV_PANE,
};
