#include "platform/FontConversion.h"

#include "platform/Display.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT DisplayFont()
{
    LOGFONT logFont{};
    logFont.lfHeight = 14;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    std::strcpy(logFont.lfFaceName, "Microsoft Sans Serif");
    return logFont;
}

class FontConversion : public testing::Test {
protected:
    void SetUp() override { AfxEnsureGuiApplication(); }
};

TEST_F(FontConversion, MissingFaceFallsBackToASansFontWithCyrillic)
{
    ASSERT_FALSE(QFontDatabase::hasFamily("Microsoft Sans Serif")) << "the fallback is not exercised here";
    const QFontInfo info(LogFontToQFont(DisplayFont()));
    EXPECT_TRUE(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::Cyrillic)) << info.family().toStdString();
    EXPECT_FALSE(info.fixedPitch());
}

TEST_F(FontConversion, InstalledFaceIsUsed)
{
    LOGFONT logFont = DisplayFont();
    std::strcpy(logFont.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(QFontInfo(LogFontToQFont(logFont)).family(), QStringLiteral("DejaVu Serif"));
}

TEST_F(FontConversion, PositiveHeightIsTheCellNegativeTheCharacter)
{
    for (LONG height : {8, 14, 30}) {
        LOGFONT logFont = DisplayFont();
        logFont.lfHeight = height;
        const QFontMetrics cell(LogFontToQFont(logFont));
        EXPECT_NEAR(cell.ascent() + cell.descent(), height, 1 + height / 10) << height;

        logFont.lfHeight = -height;
        EXPECT_EQ(LogFontToQFont(logFont).pixelSize(), height);
    }
}

TEST_F(FontConversion, StyleFieldsCarryOver)
{
    struct Case {
        LONG weight;
        BYTE italic, underline, strikeOut;
        QFont::Weight qtWeight;
    };
    const Case cases[] = {
        {0, 0, 0, 0, QFont::Normal},
        {FW_BOLD, 1, 0, 0, QFont::Bold},
        {300, 0, 1, 0, QFont::Light},
        {900, 0, 0, 1, QFont::Black},
        {FW_NORMAL, 255, 255, 255, QFont::Normal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weight);
        LOGFONT logFont = DisplayFont();
        logFont.lfWeight = c.weight;
        logFont.lfItalic = c.italic;
        logFont.lfUnderline = c.underline;
        logFont.lfStrikeOut = c.strikeOut;
        const QFont font = LogFontToQFont(logFont);
        EXPECT_EQ(font.weight(), c.qtWeight);
        EXPECT_EQ(font.italic(), c.italic != 0);
        EXPECT_EQ(font.underline(), c.underline != 0);
        EXPECT_EQ(font.strikeOut(), c.strikeOut != 0);
    }
}

TEST_F(FontConversion, RoundTripKeepsTheFont)
{
    LOGFONT logFont = DisplayFont();
    logFont.lfWeight = FW_BOLD;
    logFont.lfItalic = 1;
    const QFont font = LogFontToQFont(logFont);
    const LOGFONT back = QFontToLogFont(font, RUSSIAN_CHARSET);
    EXPECT_EQ(back.lfHeight, -font.pixelSize());
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfCharSet, RUSSIAN_CHARSET);
    EXPECT_STREQ(back.lfFaceName, "Microsoft Sans Serif");
    EXPECT_EQ(LogFontToQFont(back), font);
}

TEST_F(FontConversion, PointSizesBecomePixelsOfAScreen)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(12);
    EXPECT_EQ(QFontToLogFont(font, ANSI_CHARSET).lfHeight, -16);
}

TEST_F(FontConversion, FaceNamesStayInsideTheirField)
{
    // A face that fills all 32 bytes without a terminating zero is read no further.
    LOGFONT logFont = DisplayFont();
    std::memset(logFont.lfFaceName, 'X', LF_FACESIZE);
    EXPECT_EQ(LogFontToQFont(logFont).families().constFirst(), QString(LF_FACESIZE, u'X'));

    // A long name is cut to 31 bytes at a character boundary and terminated.
    const QString longName = QStringLiteral("Шрифт с очень длинным названием");
    const LOGFONT cut = QFontToLogFont(QFont(longName), RUSSIAN_CHARSET);
    const std::size_t length = std::strlen(cut.lfFaceName);
    EXPECT_LE(length, std::size_t{LF_FACESIZE - 1});
    EXPECT_TRUE(longName.startsWith(QString::fromUtf8(cut.lfFaceName)));
    EXPECT_FALSE(QString::fromUtf8(cut.lfFaceName).contains(QChar(0xFFFD)));
}

} // namespace

namespace {

// Before any window exists there is no font database; the conversion must not need one.
TEST(FontConversionWithoutWindows, WorksBeforeTheGuiStarts)
{
    if (QCoreApplication::instance() != nullptr) {
        GTEST_SKIP() << "another test of this process started the GUI";
    }
    LOGFONT logFont = DisplayFont();
    const QFont cell = LogFontToQFont(logFont);
    EXPECT_EQ(cell.families().constFirst(), QStringLiteral("Microsoft Sans Serif"));
    EXPECT_GT(cell.pixelSize(), 0);
    EXPECT_LE(cell.pixelSize(), 14);
    logFont.lfHeight = -20;
    EXPECT_EQ(LogFontToQFont(logFont).pixelSize(), 20);
}

} // namespace
