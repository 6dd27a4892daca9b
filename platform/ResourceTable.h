#pragma once
// A table of resources of one kind, found by their id. The program registers
// each table once at start-up; the table must outlive every lookup, and a
// later registration replaces it.

#include "platform/WinTypes.h"

#include <algorithm>
#include <span>

template <class Resource>
class AfxResourceTable {
public:
    static void Register(std::span<const Resource> table) { s_table = table; }
    // The resource of the id, or null when the table has none.
    static const Resource* Find(UINT id)
    {
        const auto found = std::ranges::find(s_table, id, &Resource::id);
        if (found == s_table.end()) {
            return nullptr;
        }
        return &*found;
    }

private:
    // Empty from the start, before any code runs: an empty span needs no constructor call.
    inline static std::span<const Resource> s_table;
};
