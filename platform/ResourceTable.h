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
    static void Register(std::span<const Resource> table) { Table() = table; }
    // The resource of the id, or null when the table has none.
    static const Resource* Find(UINT id)
    {
        const std::span<const Resource> table = Table();
        const auto found = std::ranges::find(table, id, &Resource::id);
        if (found == table.end()) {
            return nullptr;
        }
        return &*found;
    }

private:
    static std::span<const Resource>& Table()
    {
        static std::span<const Resource> table;
        return table;
    }
};
