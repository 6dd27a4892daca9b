#pragma once
// Accelerator tables: keys with modifiers that send commands. The program
// registers its tables once at start-up and the window layer looks them up by id.

#include "platform/WinTypes.h"

#include <span>

class QKeySequence;

// Modifier flags of an entry; without FVIRTKEY the key is a character code.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

// Virtual key codes beyond the letters ('A'-'Z') and digits ('0'-'9'), which are their own codes.
constexpr WORD VK_BACK = 0x08;
constexpr WORD VK_TAB = 0x09;
constexpr WORD VK_RETURN = 0x0D;
constexpr WORD VK_ESCAPE = 0x1B;
constexpr WORD VK_SPACE = 0x20;
constexpr WORD VK_PRIOR = 0x21;
constexpr WORD VK_NEXT = 0x22;
constexpr WORD VK_END = 0x23;
constexpr WORD VK_HOME = 0x24;
constexpr WORD VK_LEFT = 0x25;
constexpr WORD VK_UP = 0x26;
constexpr WORD VK_RIGHT = 0x27;
constexpr WORD VK_DOWN = 0x28;
constexpr WORD VK_INSERT = 0x2D;
constexpr WORD VK_DELETE = 0x2E;
constexpr WORD VK_F1 = 0x70;
constexpr WORD VK_F2 = 0x71;
constexpr WORD VK_F3 = 0x72;
constexpr WORD VK_F4 = 0x73;
constexpr WORD VK_F5 = 0x74;
constexpr WORD VK_F6 = 0x75;
constexpr WORD VK_F7 = 0x76;
constexpr WORD VK_F8 = 0x77;
constexpr WORD VK_F9 = 0x78;
constexpr WORD VK_F10 = 0x79;
constexpr WORD VK_F11 = 0x7A;
constexpr WORD VK_F12 = 0x7B;
constexpr WORD VK_F24 = 0x87;

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

struct AfxAcceleratorTable {
    UINT id;
    std::span<const ACCEL> entries;
};

// The tables must outlive every lookup; a later registration replaces them.
void AfxRegisterAcceleratorTables(std::span<const AfxAcceleratorTable> tables);
// The table of the id, or null when none is registered.
const AfxAcceleratorTable* AfxFindAcceleratorTable(UINT id);

// The Qt key sequence of an entry; empty for a key that has none.
QKeySequence AfxKeySequenceFromAccel(const ACCEL& accel);
