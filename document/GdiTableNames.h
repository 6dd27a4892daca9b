#pragma once
// How the editor names the tables of a GDI module: by their number in file
// order (from 1), the built-in code page they match best and the data resource
// that holds them. The window's title names the table it shows, its choice each
// of them.

#include <cstddef>
#include <string>

class CGdiTableHandler;

// "table 2, windows-1253"; "table 3, no built-in code page" for a table that matches none well.
std::string GdiTableTitle(const CGdiTableHandler& handler, std::size_t index);
// "2: windows-1253, 128 of 128 (resource 3)"; without a resource, the match alone.
std::string GdiTableChoiceText(const CGdiTableHandler& handler, std::size_t index);
