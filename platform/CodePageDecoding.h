#pragma once
// The characters of the bytes of single-byte code pages, for drawing texts
// and for programs that print tables as text.

#include "platform/WinTypes.h"

#include <array>
#include <string>

// The code page that a font's character set stands for, by the name that Qt's
// decoders know: 204 is "windows-1251"; any other set stands for "windows-1252".
const char* AfxCodePageOfCharSet(BYTE charSet);

// Fills utf8[b] with byte b decoded in the named single-byte code page
// ("windows-1251", "koi8-r", "IBM866", ...) and encoded as UTF-8; a byte the
// code page leaves undefined gives U+FFFD. False, leaving utf8 alone, when no
// decoder knows the name.
bool AfxDecodeCodePage(const std::string& codePage, std::array<std::string, 256>& utf8);
