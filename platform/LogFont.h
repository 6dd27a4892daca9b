#pragma once
// The window system's font description.

#include "platform/WinTypes.h"

constexpr int LF_FACESIZE = 32;

// The character sets that the program selects: each names the code page that decodes a font's bytes.
enum : BYTE { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, RUSSIAN_CHARSET = 204 };

enum : LONG { FW_DONTCARE = 0, FW_NORMAL = 400 };

struct LOGFONT {
    // Positive: the cell height in pixels; negative: the character height; 0: the default.
    LONG lfHeight;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    char lfFaceName[LF_FACESIZE];
};
using LPLOGFONT = LOGFONT*;
