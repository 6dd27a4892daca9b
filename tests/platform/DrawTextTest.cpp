#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/Display.h"
#include "platform/FontConversion.h"

#include "tests/TextRecorder.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

const QColor kPaper(128, 128, 160); // what the view shows where nothing is drawn
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr int kWidth = 240;
constexpr int kHeight = 80;

LOGFONT DisplayFont(BYTE charSet = RUSSIAN_CHARSET)
{
    LOGFONT logFont{};
    logFont.lfHeight = 14;
    logFont.lfCharSet = charSet;
    std::strcpy(logFont.lfFaceName, "Microsoft Sans Serif");
    return logFont;
}

class DrawText : public testing::Test {
protected:
    void SetUp() override { AfxEnsureGuiApplication(); }

    // Paints through a device context with the display font selected.
    static void PaintOn(QPaintDevice& device, const std::function<void(CDC&)>& paint, BYTE charSet = RUSSIAN_CHARSET)
    {
        QPainter painter(&device);
        CDC dc(&painter);
        CFont font;
        const LOGFONT logFont = DisplayFont(charSet);
        font.CreateFontIndirect(&logFont);
        CFont* old = dc.SelectObject(&font);
        paint(dc);
        dc.SelectObject(old);
    }

    static QImage Render(const std::function<void(CDC&)>& paint, BYTE charSet = RUSSIAN_CHARSET)
    {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(kPaper);
        PaintOn(image, paint, charSet);
        return image;
    }

    static QImage RenderText(const char* text, RECT rect, COLORREF background = RGB(255, 255, 255))
    {
        return Render([&](CDC& dc) {
            dc.SetBkColor(background);
            dc.DrawText(text, -1, &rect, 0);
        });
    }

    static QRect Painted(const QImage& image)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) != kPaper) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }

    static int LineHeight() { return QFontMetrics(LogFontToQFont(DisplayFont())).height(); }
};

constexpr RECT kWide{10, 10, kWidth, kHeight};

// Bytes show as characters of the font's character set; UTF-16 text shows its own, whatever the set.
TEST_F(DrawText, TextsShowTheirCharactersWithoutPrefixes)
{
    const struct {
        const char* text;
        const char16_t* wide; // drawn with DrawTextW instead when set
        int count;
        BYTE charSet;
        const char16_t* shown;
    } cases[] = {
        {"7 &&", nullptr, -1, RUSSIAN_CHARSET, u"7 &"},
        {"&&&&", nullptr, -1, RUSSIAN_CHARSET, u"&&"},
        // A single ampersand shows nothing, inside a line or at its end.
        {"a&bcd&", nullptr, -1, RUSSIAN_CHARSET, u"abcd"},
        {"\xC0\xFF", nullptr, -1, RUSSIAN_CHARSET, u"\u0410\u044F"},
        {"\xC0\xFF", nullptr, -1, ANSI_CHARSET, u"\u00C0\u00FF"},
        {"abc\xC0zzz", nullptr, 4, RUSSIAN_CHARSET, u"abc\u0410"},
        {"", u"\u00C0\u03A9&&=00C0&", -1, RUSSIAN_CHARSET, u"\u00C0\u03A9&=00C0"},
        {"", u"\u0410\u03A9zzz", 2, ANSI_CHARSET, u"\u0410\u03A9"},
        // Lines read from left to right, even where they begin with a right-to-left letter.
        {"", u"\u05D0\u200E=05D0=E0", -1, ANSI_CHARSET, u"\u05D0\u200E=05D0=E0"},
    };
    const int baseline = kWide.top + QFontMetrics(LogFontToQFont(DisplayFont())).ascent();
    for (const auto& c : cases) {
        TextRecorder drawn(kWidth, kHeight);
        PaintOn(
            drawn,
            [&](CDC& dc) {
                RECT rect = kWide;
                if (c.wide != nullptr) {
                    dc.DrawTextW(c.wide, c.count, &rect, 0);
                } else {
                    dc.DrawText(c.text, c.count, &rect, 0);
                }
            },
            c.charSet);
        const QString shown = QString::fromUtf16(c.shown);
        EXPECT_EQ(drawn.At(kWide.left, baseline), std::vector<QString>{shown}) << shown.toStdString();
    }
}

TEST_F(DrawText, LineFeedsStartNewLinesAtTheLeftEdge)
{
    const int lineHeight = LineHeight();
    const QImage twoLines = RenderText("Key\n\nlow", kWide);
    const QImage separate = Render([&](CDC& dc) {
        RECT first = kWide;
        EXPECT_EQ(dc.DrawText("Key", -1, &first, 0), lineHeight);
        RECT third{kWide.left, kWide.top + 2 * lineHeight, kWide.right, kWide.bottom};
        dc.DrawText("low", -1, &third, 0);
    });
    EXPECT_EQ(twoLines, separate);
    EXPECT_EQ(RenderText("Key\r\n\r\nlow", kWide), separate);

    Render([&](CDC& dc) {
        RECT rect = kWide;
        EXPECT_EQ(dc.DrawText("Key\n\nlow", -1, &rect, 0), 3 * lineHeight);
    });
}

TEST_F(DrawText, BackgroundFillsTheGlyphBoxesOnly)
{
    const QImage image = RenderText("ab\nabcd", kWide, kGreen);
    const QFontMetrics metrics(LogFontToQFont(DisplayFont()));
    const QRect firstLine(10, 10, metrics.horizontalAdvance(QStringLiteral("ab")), metrics.height());
    const QRect secondLine(10, 10 + metrics.height(), metrics.horizontalAdvance(QStringLiteral("abcd")), metrics.height());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool inBox = firstLine.contains(x, y) || secondLine.contains(x, y);
            EXPECT_EQ(image.pixelColor(x, y) != kPaper, inBox) << x << "," << y;
        }
    }
}

TEST_F(DrawText, TextIsClippedToItsRectangle)
{
    const char* text = "WWWWWWWWWWWW\nWWWWWWWWWWWW\nWWWWWWWWWWWW";
    const RECT small{20, 15, 60, 30};
    const QImage clipped = RenderText(text, small);
    const QImage whole = RenderText(text, RECT{20, 15, kWidth, kHeight});
    const QRect inside(QPoint(small.left, small.top), QPoint(small.right - 1, small.bottom - 1));
    EXPECT_TRUE(inside.contains(Painted(clipped))) << "painted outside the rectangle";
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            EXPECT_EQ(clipped.pixelColor(x, y), whole.pixelColor(x, y)) << x << "," << y;
        }
    }
    // An empty or inverted rectangle shows nothing, at the first paint of a text and at those after.
    const std::pair<const char*, RECT> nowhere[] = {{"Empty", RECT{50, 50, 50, 70}}, {"Inverted", RECT{50, 10, 20, 70}}};
    for (const auto& [shown, rect] : nowhere) {
        for (int paint = 0; paint < 3; ++paint) {
            EXPECT_TRUE(Painted(RenderText(shown, rect)).isEmpty()) << shown << " paint " << paint;
        }
    }
}

// Texts drawn before are drawn again from what was kept of them: every paint must look
// like the first, wherever the text lands and whatever its background.
TEST_F(DrawText, RepeatedTextsLookAsAtTheirFirstPaint)
{
    const struct {
        const char* text;
        RECT rect;
        COLORREF background;
    } cases[] = {
        {"\xC0=0410=C0", RECT{10, 10, kWidth, kHeight}, kGreen},
        {"\xC0=0410=C0", RECT{37, 23, kWidth, kHeight}, RGB(255, 255, 255)},
        {"WAVE&y\nj\xFF", RECT{3, 40, kWidth, kHeight}, RGB(255, 0, 0)},
        {"WWWWWWWWWW", RECT{20, 15, 60, 30}, kGreen},
    };
    for (const auto& c : cases) {
        const QImage first = RenderText(c.text, c.rect, c.background);
        for (int paint = 0; paint < 3; ++paint) {
            EXPECT_EQ(RenderText(c.text, c.rect, c.background), first) << c.text << " paint " << paint;
        }
    }
    // The same text on two colours in one paint keeps them apart.
    const QImage twice = Render([](CDC& dc) {
        for (int paint = 0; paint < 3; ++paint) {
            RECT left{10, 10, 120, kHeight};
            RECT right{120, 10, kWidth, kHeight};
            dc.SetBkColor(kGreen);
            dc.DrawText("A=1", -1, &left, 0);
            dc.SetBkColor(RGB(255, 0, 0));
            dc.DrawText("A=1", -1, &right, 0);
        }
    });
    EXPECT_EQ(twice.pixelColor(11, 12), QColor(0, 255, 0));
    EXPECT_EQ(twice.pixelColor(121, 12), QColor(255, 0, 0));
}

// A text is drawn within the clip that the painter already has, at its first paint and at those after.
TEST_F(DrawText, StaysWithinThePaintersClip)
{
    for (int paint = 0; paint < 3; ++paint) {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(kPaper);
        QPainter painter(&image);
        painter.setClipRect(0, 0, 40, kHeight);
        CDC dc(&painter);
        RECT rect{0, 0, kWidth, kHeight};
        dc.DrawText("WWWWWWWW", -1, &rect, 0);
        painter.end();
        EXPECT_LT(Painted(image).right(), 40) << "paint " << paint;
    }
}

} // namespace
