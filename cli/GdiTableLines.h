#pragma once
// What varno-table tells of each table of a GDI module, numbered from 1 in file order.

#include "tables/GdiTableSearch.h"

#include <cstddef>
#include <string>

class CGdiTableHandler;

// "2  00000BB9  windows-1251, 128 of 128  resource 2  default": number, offset, name,
// resource ("no resource" without one) and, for the table a module opens on, "default".
std::string GdiTableText(const CGdiTableHandler& handler, std::size_t index);
// {"number":2,"offset":3001,"name":"windows-1251, 128 of 128","codePage":"windows-1251",
// "matching":128,"resource":2,"default":true}; codePage and resource may be null.
std::string GdiTableJson(const CGdiTableHandler& handler, std::size_t index);
