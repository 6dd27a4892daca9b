#pragma once
// The characters of the 256 bytes of a single-byte code page, for programs
// that print tables as text.

#include <array>
#include <string>

// Fills utf8[b] with byte b decoded in the named code page ("windows-1251",
// "koi8-r", "IBM866", ...) and encoded as UTF-8; a byte the code page leaves
// undefined gives U+FFFD. False, leaving utf8 alone, when no decoder knows the
// name or the set is not single-byte (UTF-8, UTF-16, Shift_JIS, ...).
bool AfxDecodeCodePage(const std::string& codePage, std::array<std::string, 256>& utf8);
