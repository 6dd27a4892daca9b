#pragma once
// The window system's font description.

#include "platform/WinTypes.h"

constexpr int LF_FACESIZE = 32;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE MAC_CHARSET = 77;
constexpr BYTE OEM_CHARSET = 255;
constexpr BYTE HEBREW_CHARSET = 177;
constexpr BYTE ARABIC_CHARSET = 178;
constexpr BYTE GREEK_CHARSET = 161;
constexpr BYTE TURKISH_CHARSET = 162;
constexpr BYTE VIETNAMESE_CHARSET = 163;
constexpr BYTE THAI_CHARSET = 222;
constexpr BYTE EASTEUROPE_CHARSET = 238;
constexpr BYTE RUSSIAN_CHARSET = 204;
constexpr BYTE BALTIC_CHARSET = 186;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;

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
