#pragma once
// The string table: the program registers its strings once at start-up and
// the framework looks them up by id.

#include "platform/ResourceTable.h"

struct AfxStringResource {
    UINT id;
    const char* text;
};

constexpr UINT AFX_IDS_APP_TITLE = 57344;

inline void AfxRegisterStringTable(std::span<const AfxStringResource> table)
{
    AfxResourceTable<AfxStringResource>::Register(table);
}
// The string of the id, or null when the table has none.
inline const char* AfxLoadString(UINT id)
{
    const AfxStringResource* found = AfxResourceTable<AfxStringResource>::Find(id);
    if (found == nullptr) {
        return nullptr;
    }
    return found->text;
}
