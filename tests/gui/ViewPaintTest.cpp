// What the table view paints: the texts of the grid and the key table, read
// back from the paint, and the cell colours, read from the window's pixels.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/TextRecorder.h"
#include "tests/gui/ViewPixels.h"

#include "platform/CDC.h"
#include "platform/FontConversion.h"
#include "tables/CTableHandler.h"
#include "view/TableLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringDecoder>

namespace {

using view_pixels::CellsIn;
using view_pixels::kPureGreen;
using view_pixels::kPureRed;

class ViewPaint : public EditorTest {
protected:
    // Paints the view onto a recorder of its client size.
    static std::unique_ptr<TextRecorder> Record(CVarnoView* view)
    {
        const QSize size = view->GetWidget()->size();
        auto recorder = std::make_unique<TextRecorder>(size.width(), size.height());
        QPainter painter(recorder.get());
        CDC dc(&painter);
        view->OnDraw(&dc);
        return recorder;
    }

    // The baseline of line n (0-based) of a text drawn at the rectangle's top in the display font.
    double Baseline(const RECT& rect, int line) const
    {
        const QFontMetrics metrics(LogFontToQFont(MainFrame()->m_logFont));
        return rect.top + metrics.ascent() + line * metrics.height();
    }
};

QString Cyrillic(const char* windows1251)
{
    QStringDecoder decoder("windows-1251");
    return decoder(QByteArray(windows1251));
}

} // namespace

TEST_F(ViewPaint, CodePageKindsDrawEveryCellWithItsText)
{
    struct Case {
        const char* name;
        samples::Bytes bytes;
        // The texts of bytes 0xC0 and 0x80 as the kind writes them.
        QString c0;
        QString b80;
    };
    samples::GdiModuleOptions gdi;
    const Case cases[] = {
        {"c_1251.nls", samples::MakeNtCodePageFile({}), Cyrillic("\xC0") + "=0410=C0", Cyrillic("\x80") + "=0402=80"},
        {"cp_1251.nls", samples::MakeNinexCodePageFile(samples::NinexCodePageOptions{}),
         Cyrillic("\xC0") + "=0410=C0", Cyrillic("\x80") + "=0402=80"},
        {"gdi.exe", samples::MakeGdiModule(gdi), Cyrillic("\xC0") + "(C0)=0410", Cyrillic("\x80") + "(80)=0402"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVarnoDoc* document = Open(Sample(c.name, c.bytes));
        ASSERT_NE(document, nullptr);
        CVarnoView* view = ViewOf(document);
        ASSERT_NE(view, nullptr);
        const std::unique_ptr<TextRecorder> recorder = Record(view);
        // 16 row labels and 128 cells, each in one or more runs.
        EXPECT_GE(recorder->Texts().size(), 144u);
        RECT client;
        view->GetClientRect(&client);
        const RECT area = GetTableArea(client);
        const RECT c0 = GetCharCellRect(area, 0xC0);
        const RECT b80 = GetCharCellRect(area, 0x80);
        const RECT labelF8 = GetRowLabelRect(area, 15);
        EXPECT_EQ(recorder->At(c0.left, Baseline(c0, 0)), std::vector<QString>{c.c0});
        EXPECT_EQ(recorder->At(b80.left, Baseline(b80, 0)), std::vector<QString>{c.b80});
        EXPECT_EQ(recorder->At(labelF8.left, Baseline(labelF8, 0)), std::vector<QString>{QStringLiteral("F8")});
        EXPECT_TRUE(m_log.Messages().empty());
    }
}

TEST_F(ViewPaint, KeyTableLinesUpWithItsHeader)
{
    samples::KeyboardLayoutOptions options;
    options.keys[3] = {0x00, 0xB9, true}; // "3": no low character, high byte 0xB9 ("№" in windows-1251)
    options.keys[4] = {0x34, 0x00, false};
    CVarnoDoc* document = Open(Sample("us.kbd", samples::MakeKeyboardLayout(options)));
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(document->m_nKind, CVarnoDoc::kindKeyboard);
    CVarnoView* view = ViewOf(document);
    const std::unique_ptr<TextRecorder> recorder = Record(view);
    RECT client;
    view->GetClientRect(&client);
    const RECT area = GetTableArea(client);

    struct Line {
        int line;
        const char* header;
    };
    const Line lines[] = {{0, "Key"}, {2, "low"}, {4, "HIGH"}, {6, "CapsLock"}};
    for (const Line& line : lines) {
        EXPECT_EQ(recorder->At(area.left, Baseline(area, line.line)),
                  std::vector<QString>{QString::fromLatin1(line.header)});
    }
    struct Column {
        int key;
        QString texts[4];
    };
    const Column columns[] = {
        {0, {"~ `", "`(60)", "~(7E)", "off"}},
        {1, {"1 !", "1(31)", "!(21)", "off"}},
        {3, {"3 #", "(00)", Cyrillic("\xB9") + "(B9)", "ON"}},
        {4, {"4 $", "4(34)", "(00)", "off"}},
        // "&&" in the name shows as one "&".
        {7, {"7 &", "7(37)", "&(26)", "off"}},
        {13, {"\\ |", "\\(5C)", "|(7C)", "off"}},
    };
    for (const Column& column : columns) {
        SCOPED_TRACE(column.key);
        const RECT rect = GetKeyColumnRect(area, column.key);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(recorder->At(rect.left, Baseline(rect, 2 * i)), std::vector<QString>{column.texts[i]});
        }
    }
}

TEST_F(ViewPaint, UndefinedFormatIsReportedAndDrawsNothing)
{
    CVarnoDoc* document = Open(Sample("table.bin", samples::Bytes(600, 0x41)));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->m_nKind, CVarnoDoc::kindUndefined);
    ASSERT_EQ(m_log.Messages().size(), 1u);
    EXPECT_EQ(m_log.Messages()[0].text, "Undefined format");
    EXPECT_TRUE(Record(ViewOf(document))->Texts().empty());
}

// Red marks a code-page entry whose value does not map back to its byte; a
// GDI module has no reverse table, so it has no red. Green is checked where
// edits make it, with click editing.
TEST_F(ViewPaint, AnEntryThatDoesNotMapBackIsRed)
{
    samples::Bytes nt = samples::MakeNtCodePageFile({});
    // Byte 0xC1 takes 0xC0's value; the reverse table still names 0xC0.
    samples::PutWord(nt, samples::kNtForwardOffset + 2 * 0xC1, 0x0410);
    samples::GdiModuleOptions options;
    samples::Bytes gdi = samples::MakeGdiModule(options);
    samples::PutWord(gdi, options.tableBase + 2 * 0xE1, 0x0430);
    const struct {
        const char* name;
        const samples::Bytes& bytes;
        std::vector<int> red;
    } cases[] = {{"c_1251.nls", nt, {0xC1}}, {"gdi.exe", gdi, {}}};
    for (const auto& c : cases) {
        CVarnoDoc* document = Open(Sample(c.name, c.bytes));
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(CellsIn(*ViewOf(document), kPureRed), c.red) << c.name;
        EXPECT_TRUE(CellsIn(*ViewOf(document), kPureGreen).empty()) << c.name;
    }
}
