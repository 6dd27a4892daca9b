#pragma once
// The string table: the program registers its strings once at start-up and
// the framework looks them up by id.

#include "platform/WinTypes.h"

#include <span>

struct AfxStringResource {
    UINT id;
    const char* text;
};

constexpr UINT AFX_IDS_APP_TITLE = 57344;

// The table must outlive every lookup; a later registration replaces it.
void AfxRegisterStringTable(std::span<const AfxStringResource> table);
// The string of the id, or null when the table has none.
const char* AfxLoadString(UINT id);
