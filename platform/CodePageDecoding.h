#pragma once
// The characters of the bytes of single-byte code pages, for drawing texts
// and for programs that print tables as text.

#include "platform/WinTypes.h"

#include <QString>

#include <array>

// The code page that a font's character set stands for, by the name that Qt's
// decoders know: 204 is "windows-1251"; any other set stands for "windows-1252".
const char* AfxCodePageOfCharSet(BYTE charSet);

// The characters of the 256 bytes in the named single-byte code page
// ("windows-1251", "koi8-r", "IBM866", ...), each byte decoded on its own. A byte
// that the code page leaves undefined gives U+FFFD, and so does every byte of a
// code page that no decoder knows.
std::array<QString, 256> AfxDecodeCodePage(const char* codePage);
