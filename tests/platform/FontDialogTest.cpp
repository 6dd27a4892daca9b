#include "platform/CFontDialog.h"
#include "platform/Display.h"
#include "platform/FontConversion.h"

#include "tests/DialogDriver.h"

#include <QDialogButtonBox>
#include <QFontDialog>

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT MakeLogFont(LONG height, LONG weight, const char* face, BYTE charSet = RUSSIAN_CHARSET)
{
    LOGFONT logFont;
    std::memset(&logFont, 0, sizeof logFont);
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfCharSet = charSet;
    std::strncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    return logFont;
}

class Fonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AfxEnsureGuiApplication(); }
};

QFontDialog* FontDialogOf(CDialog& dialog) { return qobject_cast<QFontDialog*>(dialog.GetWidget()); }

void ClickFontDialogButton(CDialog& dialog, QDialogButtonBox::StandardButton which)
{
    QDialogButtonBox* buttons = dialog.GetWidget()->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_NE(buttons->button(which), nullptr);
    QTest::mouseClick(buttons->button(which), Qt::LeftButton);
}

} // namespace

TEST_F(Fonts, FontDialogOkWithoutChangesGivesTheInitialFontBack)
{
    for (LONG height : {-11, -16, -21}) {
        LOGFONT initial = MakeLogFont(height, FW_BOLD, "DejaVu Sans");
        initial.lfItalic = 1;
        initial.lfUnderline = 1;
        initial.lfStrikeOut = 1;
        CFontDialog dialog(&initial, CF_SCREENFONTS | CF_EFFECTS);
        QString shownFamily;
        INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
            ASSERT_NE(FontDialogOf(d), nullptr);
            shownFamily = FontDialogOf(d)->currentFont().family();
            SaveScreenshot(d, "font-dialog");
            ClickFontDialogButton(d, QDialogButtonBox::Ok);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(shownFamily, "DejaVu Sans");
        LOGFONT chosen;
        dialog.GetCurrentFont(&chosen);
        EXPECT_EQ(std::memcmp(&chosen, &initial, sizeof initial), 0) << height << " came back as " << chosen.lfHeight;
    }
}

TEST_F(Fonts, FontDialogGivesTheChosenFont)
{
    LOGFONT initial = MakeLogFont(14, 0, "Microsoft Sans Serif");
    CFontDialog dialog(&initial, CF_SCREENFONTS | CF_EFFECTS);
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        QFont pick(QStringLiteral("DejaVu Serif"));
        pick.setPointSize(18);
        pick.setUnderline(true);
        FontDialogOf(d)->setCurrentFont(pick);
        ClickFontDialogButton(d, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(dialog.m_lf.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(dialog.m_lf.lfHeight, -24);
    EXPECT_EQ(dialog.m_lf.lfUnderline, 1);
    EXPECT_EQ(dialog.m_lf.lfCharSet, RUSSIAN_CHARSET) << "the character set passes through";
    EXPECT_EQ(dialog.m_cf.iPointSize, 180);
}

TEST_F(Fonts, FontDialogCancelledChangesNothing)
{
    const LOGFONT initial = MakeLogFont(-16, FW_NORMAL, "DejaVu Sans");
    for (bool escape : {false, true}) {
        LOGFONT start = initial;
        CFontDialog dialog(&start);
        INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
            QFont pick(QStringLiteral("DejaVu Serif"));
            pick.setPointSize(30);
            FontDialogOf(d)->setCurrentFont(pick);
            if (escape) {
                PressKey(d, Qt::Key_Escape);
            } else {
                ClickFontDialogButton(d, QDialogButtonBox::Cancel);
            }
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(std::memcmp(&dialog.m_lf, &initial, sizeof initial), 0);
        EXPECT_EQ(std::memcmp(&start, &initial, sizeof initial), 0);
    }
}
