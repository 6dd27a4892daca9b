#include "frames/CAboutDlg.h"

#include "tests/DialogDriver.h"

#include <gtest/gtest.h>

// How a dialog ends is checked once, for every dialog, with the platform's dialogs.
TEST(AboutDlg, ShowsNameAndVersionWithTheFocusOnOk)
{
    VarnoRegisterResources();
    CAboutDlg dialog;
    QString caption;
    QStringList texts;
    int focused = 0;
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        caption = d.GetWidget()->windowTitle();
        for (QLabel* label : d.GetWidget()->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                texts << label->text();
            }
        }
        focused = FocusedControlId(d);
        EXPECT_TRUE(ControlOf<QPushButton>(d, IDOK)->isDefault());
        ExpectLegibleLayout(d);
        SaveScreenshot(d, "about");
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, "About varno");
    EXPECT_EQ(texts, QStringList{"varno Version 1.0"});
    EXPECT_EQ(focused, IDOK);
}
