#include "platform/FontConversion.h"

#include "platform/Display.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT Face(const char* name, LONG height = 14)
{
    LOGFONT logFont{};
    logFont.lfHeight = height;
    std::strncpy(logFont.lfFaceName, name, LF_FACESIZE);
    return logFont;
}

class FontConversion : public testing::Test {
protected:
    void SetUp() override { AfxEnsureGuiApplication(); }
};

TEST_F(FontConversion, MissingOrEmptyFaceFallsBackToASansFontWithCyrillic)
{
    const char* missing = "No Such Face Anywhere";
    ASSERT_FALSE(QFontDatabase::hasFamily(missing));
    const QFontInfo info(LogFontToQFont(Face(missing)));
    EXPECT_TRUE(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::Cyrillic)) << info.family().toStdString();
    EXPECT_FALSE(info.fixedPitch());
    // An empty face names no font at all and falls back alike.
    EXPECT_EQ(QFontInfo(LogFontToQFont(Face(""))).family(), info.family());
}

TEST_F(FontConversion, PositiveHeightIsTheCellNegativeTheCharacter)
{
    for (LONG height : {8, 14, 30}) {
        const QFontMetrics cell(LogFontToQFont(Face("Microsoft Sans Serif", height)));
        EXPECT_NEAR(cell.ascent() + cell.descent(), height, 1 + height / 10) << height;
        EXPECT_EQ(LogFontToQFont(Face("Microsoft Sans Serif", -height)).pixelSize(), height);
    }
}

TEST_F(FontConversion, FaceNamesStayInsideTheirField)
{
    // A face that fills all 32 bytes without a terminating zero is read no further.
    LOGFONT logFont = Face("");
    std::memset(logFont.lfFaceName, 'X', LF_FACESIZE);
    EXPECT_EQ(LogFontToQFont(logFont).families().constFirst(), QString(LF_FACESIZE, u'X'));

    // A long name is cut to 31 bytes at a character boundary and terminated.
    const QString longName = QStringLiteral("Шрифт с очень длинным названием");
    const LOGFONT cut = QFontToLogFont(QFont(longName), RUSSIAN_CHARSET);
    EXPECT_LE(std::strlen(cut.lfFaceName), std::size_t{LF_FACESIZE - 1});
    EXPECT_TRUE(longName.startsWith(QString::fromUtf8(cut.lfFaceName)));
    EXPECT_FALSE(QString::fromUtf8(cut.lfFaceName).contains(QChar(0xFFFD)));
}

} // namespace
