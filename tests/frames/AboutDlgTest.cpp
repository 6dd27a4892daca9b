#include "frames/CAboutDlg.h"

#include "tests/DialogDriver.h"

#include <gtest/gtest.h>

// How a dialog ends is checked once, for every dialog, with the platform's dialogs.
TEST(AboutDlg, IsLegibleWithTheFocusOnOk)
{
    VarnoRegisterResources();
    CAboutDlg dialog;
    int focused = 0;
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        focused = FocusedControlId(d);
        EXPECT_TRUE(ControlOf<QPushButton>(d, IDOK)->isDefault());
        ExpectLegibleLayout(d);
        SaveScreenshot(d, "about");
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(focused, IDOK);
}
