#include "platform/CFontDialog.h"
#include "platform/Display.h"
#include "platform/FontConversion.h"

#include "tests/DialogDriver.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontMetrics>

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

TEST_F(Fonts, HeightsFollowTheWindowSystemsMeaning)
{
    // Negative: the character height; positive: the whole cell, ascent and descent.
    EXPECT_EQ(AfxFontFromLogFont(MakeLogFont(-16, 0, "DejaVu Sans")).pixelSize(), 16);
    for (LONG cell : {8, 14, 20, 33}) {
        QFont font = AfxFontFromLogFont(MakeLogFont(cell, 0, "DejaVu Sans"));
        ASSERT_GT(font.pixelSize(), 0) << cell;
        EXPECT_LE(QFontMetrics(font).height(), cell);
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(font).height(), cell) << "the largest size that fits the cell " << cell;
    }
    // Zero leaves the toolkit's default size; absurd heights stay within reason.
    EXPECT_EQ(AfxFontFromLogFont(MakeLogFont(0, 0, "DejaVu Sans")).pixelSize(), -1);
    EXPECT_LE(AfxFontFromLogFont(MakeLogFont(-2000000000, 0, "DejaVu Sans")).pixelSize(), 4096);
}

TEST_F(Fonts, WeightStyleAndFaceCarryOver)
{
    LOGFONT logFont = MakeLogFont(-12, 0, "DejaVu Sans");
    QFont plain = AfxFontFromLogFont(logFont);
    EXPECT_EQ(plain.family(), "DejaVu Sans");
    EXPECT_EQ(plain.weight(), QFont::Normal);
    EXPECT_FALSE(plain.italic() || plain.underline() || plain.strikeOut());

    logFont.lfWeight = FW_BOLD;
    logFont.lfItalic = 1;
    logFont.lfUnderline = 0xFF;
    logFont.lfStrikeOut = 1;
    QFont styled = AfxFontFromLogFont(logFont);
    EXPECT_EQ(styled.weight(), QFont::Bold);
    EXPECT_TRUE(styled.italic() && styled.underline() && styled.strikeOut());
}

TEST_F(Fonts, MissingFacesFallBackToAnInstalledSansFontWithCyrillic)
{
    LOGFONT unterminated = MakeLogFont(14, 0, "");
    std::memset(unterminated.lfFaceName, 'Q', LF_FACESIZE);
    for (const LOGFONT& logFont : {MakeLogFont(14, 0, "Microsoft Sans Serif"), MakeLogFont(14, 0, ""), unterminated}) {
        QString family = AfxFontFromLogFont(logFont).family();
        EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
        EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Cyrillic).contains(family)) << family.toStdString();
        EXPECT_FALSE(QFontDatabase::isFixedPitch(family)) << family.toStdString();
    }
}

TEST_F(Fonts, BackToLogFontKeepsWhatTheFontDoesNotDescribe)
{
    LOGFONT logFont = MakeLogFont(14, 0, "Old face", EASTEUROPE_CHARSET);
    logFont.lfEscapement = 900;
    logFont.lfQuality = 3;
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(12);
    font.setWeight(QFont::DemiBold);
    font.setItalic(true);
    font.setStrikeOut(true);
    AfxLogFontFromFont(font, &logFont);
    EXPECT_EQ(logFont.lfHeight, -16) << "12 points at 96 dots per inch";
    EXPECT_EQ(logFont.lfWeight, 600);
    EXPECT_EQ(logFont.lfItalic, 1);
    EXPECT_EQ(logFont.lfUnderline, 0);
    EXPECT_EQ(logFont.lfStrikeOut, 1);
    EXPECT_STREQ(logFont.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(logFont.lfCharSet, EASTEUROPE_CHARSET);
    EXPECT_EQ(logFont.lfEscapement, 900);
    EXPECT_EQ(logFont.lfQuality, 3);

    // A long name is cut to the field, never in the middle of a character, and stays terminated.
    font.setFamily(QString(30, QChar(u'a')) + QString(4, QChar(0x0436)));
    AfxLogFontFromFont(font, &logFont);
    EXPECT_EQ(std::strlen(logFont.lfFaceName), 30u);
    EXPECT_EQ(logFont.lfFaceName[LF_FACESIZE - 1], '\0');
}

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
