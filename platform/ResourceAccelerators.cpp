#include "platform/ResourceAccelerators.h"

#include <QKeySequence>

namespace {
std::span<const AfxAcceleratorTable> g_tables;

Qt::Key KeyOfVirtualKey(WORD key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return static_cast<Qt::Key>(key);
    }
    if (key >= VK_F1 && key <= VK_F24) {
        return static_cast<Qt::Key>(Qt::Key_F1 + (key - VK_F1));
    }
    switch (key) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    default: return Qt::Key_unknown;
    }
}

Qt::Key KeyOfCharacter(WORD key)
{
    // Qt names a printable character's key by its upper-case code.
    if (key > 0x20 && key < 0x7F) {
        return static_cast<Qt::Key>(QChar(key).toUpper().unicode());
    }
    return key == 0x20 ? Qt::Key_Space : Qt::Key_unknown;
}
} // namespace

void AfxRegisterAcceleratorTables(std::span<const AfxAcceleratorTable> tables) { g_tables = tables; }

const AfxAcceleratorTable* AfxFindAcceleratorTable(UINT id)
{
    for (const AfxAcceleratorTable& table : g_tables) {
        if (table.id == id) {
            return &table;
        }
    }
    return nullptr;
}

QKeySequence AfxKeySequenceFromAccel(const ACCEL& accel)
{
    const Qt::Key key = (accel.fVirt & FVIRTKEY) != 0 ? KeyOfVirtualKey(accel.key) : KeyOfCharacter(accel.key);
    if (key == Qt::Key_unknown) {
        return QKeySequence();
    }
    Qt::KeyboardModifiers modifiers;
    if ((accel.fVirt & FSHIFT) != 0) {
        modifiers |= Qt::ShiftModifier;
    }
    if ((accel.fVirt & FCONTROL) != 0) {
        modifiers |= Qt::ControlModifier;
    }
    if ((accel.fVirt & FALT) != 0) {
        modifiers |= Qt::AltModifier;
    }
    return QKeySequence(QKeyCombination(modifiers, key));
}
