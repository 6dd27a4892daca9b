#include "frames/CAboutDlg.h"

#include "tests/DialogDriver.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(AboutDlg, ShowsNameAndVersionAndEndsWithOkEnterOrEscape)
{
    VarnoRegisterResources();
    struct Case {
        const char* what;
        std::function<void(CDialog&)> leave;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"OK", [](CDialog& d) { ClickButton(d, IDOK); }, IDOK},
        {"Enter", [](CDialog& d) { PressKey(d, Qt::Key_Return); }, IDOK},
        {"Escape", [](CDialog& d) { PressKey(d, Qt::Key_Escape); }, IDCANCEL},
    };
    for (const Case& c : cases) {
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
            c.leave(d);
        });
        EXPECT_EQ(result, c.expected) << c.what;
        EXPECT_EQ(caption, "About varno");
        EXPECT_EQ(texts, QStringList{"varno Version 1.0"});
        EXPECT_EQ(focused, IDOK);
    }
}
