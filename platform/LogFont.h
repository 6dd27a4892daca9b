#pragma once
// The window system's font description.

#include "platform/WinTypes.h"

constexpr int LF_FACESIZE = 32;

// The character sets: each names the code page that decodes a font's bytes.
enum : BYTE {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77, GREEK_CHARSET = 161,
    TURKISH_CHARSET = 162, VIETNAMESE_CHARSET = 163, HEBREW_CHARSET = 177, ARABIC_CHARSET = 178,
    BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204, THAI_CHARSET = 222, EASTEUROPE_CHARSET = 238, OEM_CHARSET = 255,
};

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
