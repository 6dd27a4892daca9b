#pragma once
// The basic types, constants and structures of the window system API that the
// program is written against, defined for Linux.

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using DWORD = std::uint32_t;
using ULONGLONG = std::uint64_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using LPCSTR = const char*;
using LPSTR = char*;
// Wide characters are UTF-16 code units, as on the window system.
using WCHAR = char16_t;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPDWORD = DWORD*;
using PLONG = LONG*;
using HANDLE = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// Message box styles: the buttons, then the icon. MB_YESNOCANCELALL, this layer's own, adds
// Yes to All and No to All, for a question asked of several documents in turn.
enum : UINT {
    MB_OK = 0x00, MB_YESNOCANCEL = 0x03, MB_YESNO = 0x04, MB_YESNOCANCELALL = 0x08, MB_TYPEMASK = 0x0F,
    MB_ICONSTOP = 0x10, MB_ICONEXCLAMATION = 0x30, MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0,
};

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDYESTOALL = 12;
constexpr int IDNOTOALL = 13;

// Show states.
enum : int { SW_SHOWNORMAL = 1, SW_SHOW = 5 };

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

using INT_PTR = std::intptr_t;

// Mapping modes: MM_TEXT, a logical unit a pixel, is the only one.
enum : int { MM_TEXT = 1 };

// Window styles.
enum : DWORD { WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_BORDER = 0x00800000, WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000 };
