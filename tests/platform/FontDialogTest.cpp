#include "platform/CFontDialog.h"
#include "platform/Display.h"

#include "tests/DialogDriver.h"

#include <QDialogButtonBox>
#include <QFontDialog>

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT MakeLogFont(LONG height, LONG weight, const char* face)
{
    LOGFONT logFont{};
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    std::strncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    return logFont;
}

// Runs the dialog from the font, picks another one if given, and presses OK or Cancel.
INT_PTR Choose(CFontDialog& dialog, const QFont* pick, QDialogButtonBox::StandardButton button)
{
    return RunAnswering(dialog, [&](CDialog& d) {
        auto* fonts = qobject_cast<QFontDialog*>(d.GetWidget());
        ASSERT_NE(fonts, nullptr);
        if (pick != nullptr) {
            fonts->setCurrentFont(*pick);
        }
        SaveScreenshot(d, "font-dialog");
        QTest::mouseClick(fonts->findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
    });
}

TEST(FontDialog, OkWithoutChangesGivesTheInitialFontBack)
{
    AfxEnsureGuiApplication();
    for (LONG height : {-11, -16, -21}) {
        LOGFONT initial = MakeLogFont(height, 700, "DejaVu Sans");
        initial.lfItalic = 1;
        initial.lfUnderline = 1;
        initial.lfStrikeOut = 1;
        CFontDialog dialog(&initial, CF_SCREENFONTS | CF_EFFECTS);
        EXPECT_EQ(Choose(dialog, nullptr, QDialogButtonBox::Ok), IDOK);
        EXPECT_EQ(std::memcmp(&dialog.m_lf, &initial, sizeof initial), 0) << height;
    }
}

TEST(FontDialog, GivesTheChosenFontOnOkOnly)
{
    AfxEnsureGuiApplication();
    const LOGFONT initial = MakeLogFont(14, 0, "Microsoft Sans Serif");
    QFont pick(QStringLiteral("DejaVu Serif"));
    pick.setPointSize(18);
    pick.setUnderline(true);

    LOGFONT start = initial;
    CFontDialog cancelled(&start);
    EXPECT_EQ(Choose(cancelled, &pick, QDialogButtonBox::Cancel), IDCANCEL);
    EXPECT_EQ(std::memcmp(&cancelled.m_lf, &initial, sizeof initial), 0);
    EXPECT_EQ(std::memcmp(&start, &initial, sizeof initial), 0);

    CFontDialog dialog(&start);
    EXPECT_EQ(Choose(dialog, &pick, QDialogButtonBox::Ok), IDOK);
    EXPECT_STREQ(dialog.m_lf.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(dialog.m_lf.lfHeight, -24);
    EXPECT_EQ(dialog.m_lf.lfUnderline, 1);
    EXPECT_EQ(dialog.m_lf.lfCharSet, RUSSIAN_CHARSET) << "the character set passes through";
}

} // namespace
