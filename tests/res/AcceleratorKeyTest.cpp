#include "platform/ResourceAccelerators.h"

#include <QKeySequence>

#include <gtest/gtest.h>

namespace {

TEST(AcceleratorKey, EntriesBecomeQtKeySequences)
{
    struct Case {
        ACCEL accel;
        const char* expected; // as Qt writes it portably; empty for none
    };
    const Case cases[] = {
        {{FVIRTKEY | FCONTROL, 'N', 1}, "Ctrl+N"},
        {{FVIRTKEY | FCONTROL, '7', 1}, "Ctrl+7"},
        {{FVIRTKEY | FALT, VK_BACK, 1}, "Alt+Backspace"},
        {{FVIRTKEY | FSHIFT, VK_DELETE, 1}, "Shift+Del"},
        {{FVIRTKEY | FCONTROL, VK_INSERT, 1}, "Ctrl+Ins"},
        {{FVIRTKEY | FSHIFT, VK_INSERT, 1}, "Shift+Ins"},
        {{FVIRTKEY, VK_F6, 1}, "F6"},
        {{FVIRTKEY | FSHIFT, VK_F6, 1}, "Shift+F6"},
        {{FVIRTKEY, VK_F24, 1}, "F24"},
        {{FVIRTKEY | FCONTROL | FSHIFT | FALT, VK_HOME, 1}, "Ctrl+Alt+Shift+Home"},
        {{FVIRTKEY, VK_RETURN, 1}, "Return"},
        // Without FVIRTKEY the key is a character: a letter is the same key in either case.
        {{FALT, 'a', 1}, "Alt+A"},
        {{FCONTROL, '+', 1}, "Ctrl++"},
        // Keys without a counterpart give an empty sequence instead of a wrong key.
        {{FVIRTKEY, 0x5B, 1}, ""},
        {{FVIRTKEY, 0xFFFF, 1}, ""},
        {{0, 0x07, 1}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(AfxKeySequenceFromAccel(c.accel), QKeySequence::fromString(c.expected, QKeySequence::PortableText));
        EXPECT_EQ(AfxKeySequenceFromAccel(c.accel).isEmpty(), c.expected[0] == '\0');
    }
}

} // namespace
