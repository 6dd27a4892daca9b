// What the table view paints: the texts of the grid and the key table, read back from the paint, the cell
// colours and letters, read from the window's pixels, and what an edit repaints. With VARNO_SCREENSHOT_DIR set,
// Screenshot.* saves the editor as the README shows it there (scripts/screenshots.sh).
#include "tests/gui/EditorFixture.h"
#include "tests/TextRecorder.h"
#include "tests/gui/ViewPixels.h"

#include "document/EditHistory.h"
#include "document/MappingText.h"
#include "document/TableTake.h"
#include "frames/LettersChoice.h"
#include "platform/CDC.h"
#include "platform/CRecentFileList.h"
#include "platform/FontConversion.h"
#include "tables/CTableHandler.h"
#include "view/DisplayFont.h"

#include <QActionGroup>
#include <QDir>
#include <QFontMetrics>
#include <QScreen>
#include <QStringDecoder>
#include <QWindow>

namespace {

class ViewPaint : public EditorTest {
protected:
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
    double Baseline(const RECT& rect, int line) const { return rect.top + Metrics().ascent() + line * Metrics().height(); }
    QFontMetrics Metrics() const { return QFontMetrics(LogFontToQFont(MainFrame()->m_logFont)); }

    // Every text of the view ends before the next column starts and every line
    // before the next row. The first headerColumns columns hold one text (the key table's header).
    void ExpectTextsFit(CVarnoView* view, int columns, int columnStart, int rows, int linesPerRow, int headerColumns = 1)
    {
        const RECT area = view_pixels::TableArea(*view);
        const int step = (area.right - area.left - columnStart) / columns;
        const std::unique_ptr<TextRecorder> recorder = Record(view);
        ASSERT_FALSE(recorder->Texts().empty());
        std::map<std::pair<int, int>, double> lineEnds;
        for (const DrawnText& run : recorder->Texts()) {
            const int x = static_cast<int>(run.baseline.x());
            if (x < area.left + columnStart) {
                continue; // the row labels and the key table's header
            }
            const int column = std::max((x - area.left - columnStart) / std::max(step, 1), headerColumns - 1);
            auto& end = lineEnds[{column, static_cast<int>(run.baseline.y())}];
            end = std::max(end, run.baseline.x() + run.width);
        }
        for (const auto& [where, end] : lineEnds) {
            const double columnEnd = area.left + columnStart + (where.first + 1) * step;
            EXPECT_LE(end, columnEnd) << "column " << where.first << ", baseline " << where.second;
        }
        EXPECT_LE(Metrics().height() * linesPerRow, (area.bottom - area.top) / rows);
    }
};
using Screenshot = ViewPaint;

QString Cyrillic(const char* windows1251)
{
    QStringDecoder decoder("windows-1251");
    return decoder(QByteArray(windows1251));
}

samples::Bytes RussianKeyboard()
{
    samples::KeyboardLayoutOptions options;
    options.keys[0] = {0xB8, 0xA8, true};
    options.keys[2] = {'2', '"', false};
    options.keys[3] = {'3', 0xB9, false};
    options.keys[4] = {'4', ';', false};
    options.keys[6] = {'6', ':', false};
    options.keys[7] = {'7', '?', false};
    return samples::MakeKeyboardLayout(options);
}

TEST_F(Screenshot, GridAndKeyTableSideBySide)
{
    samples::Bytes nt = samples::MakeNtCodePageFile({});
    // 0xBC takes the value of 0xB3, which the reverse table keeps: one red cell.
    samples::PutWord(nt, samples::kNtForwardOffset + 2 * 0xBC, 0x0456);
    CVarnoDoc* grid = Open(Sample("c_1251.nls", nt));
    CVarnoDoc* keys = Open(Sample("ru.kbd", RussianKeyboard()));
    ASSERT_TRUE(grid != nullptr && keys != nullptr);
    // Two entries changed since loading: green.
    grid->m_pHandler->Assign(0xA8, 0x0401);
    grid->m_pHandler->Assign(0xE9, 0x0439);
    static_cast<CKeyboardHandler*>(keys->m_pHandler)->SetHigh(3, 0xB9);

    // A document window at its default size in a main window of the default size is wide enough.
    MainWindow()->resize(1280, 800);
    QMdiSubWindow* window = Area()->subWindowList(QMdiArea::CreationOrder).front();
    window->resize(Area()->viewport()->width() * 3 / 4, Area()->viewport()->height() * 3 / 4);
    ExpectTextsFit(ViewOf(grid), 8, 75, 17, 1);

    MainWindow()->resize(1600, 900);
    Command(ID_WINDOW_TILE_HORZ);
    QCoreApplication::processEvents();
    ExpectTextsFit(ViewOf(grid), 8, 75, 17, 1);
    ExpectTextsFit(ViewOf(keys), 16, 0, 1, 7, 2);

    if (const char* folder = std::getenv("VARNO_SCREENSHOT_DIR")) {
        const QDir dir(QString::fromLocal8Bit(folder));
        EXPECT_TRUE(MainWindow()->grab().save(dir.filePath(QStringLiteral("editor.png"))));
        // On an X server, also what the server itself shows.
        if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
            ASSERT_TRUE(WaitFor([this] { return MainWindow()->windowHandle()->isExposed(); }));
            QCoreApplication::processEvents();
            const QRect frame = MainWindow()->frameGeometry();
            EXPECT_TRUE(QGuiApplication::primaryScreen()
                            ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                            .save(dir.filePath(QStringLiteral("screen.png"))));
        }
    }
}

} // namespace

// Red marks a code-page entry whose value does not map back to its byte; a GDI module has no reverse table,
// so it has no red. Green is checked where edits make it, with click editing.
TEST_F(ViewPaint, CodePageKindsDrawEveryCellWithItsTextAndColour)
{
    samples::Bytes nt = samples::MakeNtCodePageFile({});
    // Byte 0xC1 takes 0xC0's value; the reverse table still names 0xC0.
    samples::PutWord(nt, samples::kNtForwardOffset + 2 * 0xC1, 0x0410);
    samples::Bytes gdi = samples::MakeGdiModule({});
    samples::PutWord(gdi, samples::GdiModuleOptions{}.tableBase + 2 * 0xE1, 0x0430);
    const struct {
        const char* name;
        samples::Bytes bytes;
        // The texts of bytes 0xC0 and 0x80 as the kind writes them.
        QString c0;
        QString b80;
        std::vector<int> red;
    } cases[] = {
        {"c_1251.nls", nt, Cyrillic("\xC0") + "=0410=C0", Cyrillic("\x80") + "=0402=80", {0xC1}},
        {"cp_1251.nls", samples::MakeNinexCodePageFile(samples::NinexCodePageOptions{}),
         Cyrillic("\xC0") + "=0410=C0", Cyrillic("\x80") + "=0402=80", {}},
        {"gdi.exe", gdi, Cyrillic("\xC0") + "(C0)=0410", Cyrillic("\x80") + "(80)=0402", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CVarnoDoc* document = Open(Sample(c.name, c.bytes));
        ASSERT_NE(document, nullptr);
        CVarnoView* view = ViewOf(document);
        const std::unique_ptr<TextRecorder> recorder = Record(view);
        // 8 column headers, 16 row labels and 128 cells, each in one or more runs.
        EXPECT_GE(recorder->Texts().size(), 152u);
        const RECT area = view_pixels::TableArea(*view);
        auto textAt = [&](const RECT& rect) { return recorder->At(rect.left, Baseline(rect, 0)); };
        EXPECT_EQ(textAt(GetCharCellRect(area, 0xC0)), std::vector<QString>{c.c0});
        EXPECT_EQ(textAt(GetCharCellRect(area, 0x80)), std::vector<QString>{c.b80});
        EXPECT_EQ(textAt(GetRowLabelRect(area, 15)), std::vector<QString>{QStringLiteral("F8")});
        for (int column = 0; column < 8; ++column) {
            const QString header = QStringLiteral("+%1").arg(column);
            EXPECT_EQ(textAt(GetColumnHeaderRect(area, column)), std::vector<QString>{header});
        }
        EXPECT_EQ(view_pixels::CellsIn(*view, view_pixels::kPureRed), c.red);
        EXPECT_TRUE(view_pixels::CellsIn(*view, view_pixels::kPureGreen).empty());
    }
}

// At the size a new window takes, every text of every kind of table fits its place, whatever the font.
TEST_F(ViewPaint, TextsFitAtTheLegibleSizeInEveryFont)
{
    const std::vector<CVarnoDoc*> documents = {Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({}))),
                                               Open(Sample("gdi.exe", samples::MakeGdiModule({}))),
                                               Open(Sample("ru.kbd", RussianKeyboard()))};
    MainWindow()->resize(1600, 1000);
    const auto font = [](LONG height, LONG weight, BYTE charSet, const char* face) {
        LOGFONT logFont = DefaultDisplayFont();
        logFont.lfHeight = height;
        logFont.lfWeight = weight;
        logFont.lfCharSet = charSet;
        std::strcpy(logFont.lfFaceName, face);
        return logFont;
    };
    for (const LOGFONT& logFont : {DefaultDisplayFont(), font(-19, FW_NORMAL, ANSI_CHARSET, "DejaVu Serif"),
                                   font(24, 700, RUSSIAN_CHARSET, "DejaVu Sans Mono")}) {
        SCOPED_TRACE(logFont.lfHeight);
        MainFrame()->m_logFont = logFont;
        // As Edit > Font tells them.
        for (CVarnoDoc* document : documents) {
            document->UpdateAllViews(nullptr);
        }
        Command(ID_WINDOW_CASCADE);
        ExpectTextsFit(ViewOf(documents[0]), 8, 75, 17, 1);
        ExpectTextsFit(ViewOf(documents[1]), 8, 75, 17, 1);
        ExpectTextsFit(ViewOf(documents[2]), 16, 0, 1, 7, 2);
    }
}

TEST_F(ViewPaint, KeyTableLinesUpWithItsHeader)
{
    samples::KeyboardLayoutOptions options;
    options.keys[3] = {0x00, 0xB9, true}; // "3": no low character, high byte 0xB9 ("№" in windows-1251)
    options.keys[4] = {0x34, 0x00, false};
    CVarnoDoc* document = Open(Sample("us.kbd", samples::MakeKeyboardLayout(options)));
    ASSERT_NE(document, nullptr);
    CVarnoView* view = ViewOf(document);
    const std::unique_ptr<TextRecorder> recorder = Record(view);
    const RECT area = view_pixels::TableArea(*view);

    // The header's texts on every other line, as the columns' texts below.
    const char* const headers[] = {"Key", "low", "HIGH", "CapsLock"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(recorder->At(area.left, Baseline(area, 2 * i)), std::vector<QString>{QString::fromLatin1(headers[i])});
    }
    const struct {
        int key;
        QString texts[4];
    } columns[] = {
        {0, {"~ `", "`(60)", "~(7E)", "off"}},
        {3, {"3 #", "(00)", Cyrillic("\xB9") + "(B9)", "ON"}},
        {4, {"4 $", "4(34)", "(00)", "off"}},
        // "&&" in the name shows as one "&".
        {7, {"7 &", "7(37)", "&(26)", "off"}},
    };
    for (const auto& column : columns) {
        SCOPED_TRACE(column.key);
        const RECT rect = GetKeyColumnRect(area, column.key);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(recorder->At(rect.left, Baseline(rect, 2 * i)), std::vector<QString>{column.texts[i]});
        }
    }
}

// Cells of tables in three code pages through both letters, both character sets of the display font and a take,
// each held against the cell drawn alone with the text that it should show: the table's character (or the mark of
// one without a glyph), or the byte's in the display font's character set.
TEST_F(ViewPaint, CellsShowTheTablesCharacterOrTheByteInTheDisplayCodePage)
{
    CVarnoDoc* latin = Open(Sample("c_1252.nls", Windows1252()));
    CVarnoDoc* cyrillic = Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({})));
    CVarnoDoc* hebrew = Open(Sample("c_1255.nls", NtFileOf("windows-1255", 1255)));
    ASSERT_TRUE(latin != nullptr && cyrillic != nullptr && hebrew != nullptr);
    const auto withCharSet = [this](BYTE charSet) {
        MainFrame()->m_logFont.lfCharSet = charSet;
        for (CVarnoDoc* document : OpenDocuments()) {
            document->UpdateAllViews(nullptr);
        }
    };
    struct Cell {
        CVarnoDoc* document;
        int byte;
        const char16_t* text;
        COLORREF background = CVarnoView::kWhite;
    };
    const struct {
        const char* step;
        std::function<void()> action;
        std::vector<Cell> cells;
    } steps[] = {
        {"the table's characters",
         [] {},
         {{latin, 0xC0, u"\u00C0=00C0=C0"},
          {cyrillic, 0xC0, u"\u0410=0410=C0"},
          {cyrillic, 0x98, u"\u25CC=0098=98"},
          // The value and the byte stay right of a right-to-left letter; a mark shows on a space of its own.
          {hebrew, 0xE0, u"\u05D0\u200E=05D0=E0"},
          {hebrew, 0xC0, u"\u25CC\u05B0=05B0=C0"}}},
        {"the bytes in windows-1251",
         [this] { Command(ID_VIEW_DISPLAY_CODE_PAGE); },
         {{latin, 0xC0, u"\u0410=00C0=C0"}, {cyrillic, 0xC0, u"\u0410=0410=C0"}, {hebrew, 0xE0, u"\u0430=05D0=E0"}}},
        {"the bytes in windows-1252",
         [&] { withCharSet(ANSI_CHARSET); },
         {{latin, 0xC0, u"\u00C0=00C0=C0"}, {cyrillic, 0xC0, u"\u00C0=0410=C0"}}},
        {"the table's characters in a font of windows-1252",
         [this] { Command(ID_VIEW_TABLE_CHARACTERS); },
         {{latin, 0xC0, u"\u00C0=00C0=C0"}, {cyrillic, 0xC0, u"\u0410=0410=C0"}}},
        {"after a take of windows-1251",
         [&] { TakeTable({latin}, DocumentValues(*cyrillic), {}); },
         {{latin, 0xC0, u"\u0410=0410=C0", CVarnoView::kGreen}, {cyrillic, 0xC0, u"\u0410=0410=C0"}}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.action();
        for (const Cell& cell : step.cells) {
            const QString text = QString::fromUtf16(cell.text);
            CVarnoView& view = *ViewOf(cell.document);
            EXPECT_EQ(view_pixels::ShownCell(view, cell.byte),
                      view_pixels::CellDrawnWith(view, cell.byte, MainFrame()->m_logFont, text, cell.background))
                << text.toStdString();
        }
    }
}

// A change, its Undo and a take repaint only the cells whose text or colour they changed, in every window of
// every document; other letters repaint every window whole.
TEST_F(ViewPaint, EditsRepaintOnlyTheCellsThatChanged)
{
    CVarnoDoc* cyrillic = Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({})));
    CVarnoDoc* latin = Open(Sample("c_1252.nls", Windows1252()));
    ASSERT_TRUE(cyrillic != nullptr && latin != nullptr);
    Command(ID_WINDOW_NEW);
    // Large enough that every tiled window shows its whole table.
    MainWindow()->resize(2400, 1200);
    QCoreApplication::processEvents();
    Command(ID_WINDOW_TILE_HORZ);
    ASSERT_TRUE(WaitFor([&] { return ShowsWholeTable(cyrillic) && ShowsWholeTable(latin); }));
    std::vector<CVarnoView*> views = Views(cyrillic);
    const std::vector<CVarnoView*> latinViews = Views(latin);
    views.insert(views.end(), latinViews.begin(), latinViews.end());
    ASSERT_EQ(views.size(), 3u);
    // One window of the Latin table shows only part of it, scrolled to E0 and E1.
    CVarnoView* scrolled = views[1];
    QWidget* frame = scrolled->GetParentFrame()->GetWidget();
    frame->resize(400, 150);
    ASSERT_TRUE(WaitFor([&] { return scrolled->GetClientWidget()->size() != scrolled->GetWidget()->size(); }));
    scrolled->ScrollIntoView(GetCharCellBox(scrolled->GetClientTableArea(), 0xE1));
    ASSERT_GT(scrolled->GetScrollPosition().y, 0);
    PaintLog paints;
    for (CVarnoView* view : views) {
        view->GetClientWidget()->installEventFilter(&paints);
    }
    // The focus settled first, in the window scrolled away from the cursor's cell: its frame, which
    // repaints the cell under it, stays out of sight.
    MainWindow()->activateWindow();
    scrolled->GetWidget()->setFocus();
    ASSERT_TRUE(WaitFor([&] { return scrolled->GetWidget()->hasFocus(); }));

    // The cells, as far as the window shows them.
    const auto cells = [](CVarnoView* view, const std::vector<int>& bytes) {
        QRegion region;
        for (int byte : bytes) {
            region += view_pixels::CellBox(view_pixels::TableArea(*view), byte);
        }
        return region & view->GetClientWidget()->rect();
    };
    // A byte of the Cyrillic table takes the value of another, as a click confirmed: the two change places.
    const auto change = [&](std::uint8_t byte, std::uint8_t valueOf) {
        return [&, byte, valueOf] {
            const std::vector<CVarnoDoc*> documents = OpenDocuments();
            CTableHandler& clicked = *cyrillic->m_pHandler;
            const std::uint16_t unicode = clicked.Lookup(valueOf);
            const std::uint8_t holder = PreviousHolder(clicked, unicode);
            const std::uint16_t old = clicked.Lookup(byte);
            ApplicationEditHistory().Record("Change", documents,
                                            [&] { PropagateCharChange(documents, byte, byte, unicode, holder, old); });
        };
    };
    const TableValues latinValues = DocumentValues(*latin);
    const TableValues cyrillicValues = DocumentValues(*cyrillic);
    TableValues twice{};
    twice[0xC0] = twice[0xC1] = 0x0410;
    std::vector<int> taken;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (latinValues[byte] != cyrillicValues[byte]) {
            taken.push_back(byte);
        }
    }
    const struct {
        const char* step;
        std::function<void()> action;
        std::vector<int> cyrillicBytes;
        std::vector<int> latinBytes;
    } steps[] = {
        {"a take of the Cyrillic table", [&] { TakeTable({latin}, cyrillicValues, {}); }, {}, taken},
        {"a change", change(0xE0, 0xE1), {0xE0, 0xE1}, {0xE0, 0xE1}},
        {"its Undo", [this] { Command(ID_EDIT_UNDO); }, {0xE0, 0xE1}, {0xE0, 0xE1}},
        // Only the colour changes, and only where the entry was not green yet.
        {"a change to the value held", change(0x80, 0x80), {0x80}, {}},
        // C0 keeps its value and its flag, but the reverse entry now names C1: C0 turns red.
        {"a take that gives two bytes one value", [&] { TakeTable({cyrillic}, twice, {0xC0, 0xC1}); }, {0xC0, 0xC1}, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        QCoreApplication::processEvents();
        paints.Clear();
        step.action();
        const auto expected = [&](CVarnoView* view) {
            return cells(view, view->GetDocument() == latin ? step.latinBytes : step.cyrillicBytes);
        };
        ASSERT_TRUE(WaitFor([&] {
            return std::ranges::all_of(views, [&](CVarnoView* view) {
                return expected(view).isEmpty() || paints.painted.count(view->GetClientWidget()) > 0;
            });
        }));
        QCoreApplication::processEvents();
        for (CVarnoView* view : views) {
            EXPECT_EQ(paints.regions[view->GetClientWidget()], expected(view)) << view->GetDocument()->GetTitle();
            // What those paints left on the screen is the table as it is now.
            for (int byte = 0x80; byte <= 0xFF; ++byte) {
                const QRect box = view_pixels::CellBox(view_pixels::TableArea(*view), byte);
                if (expected(view).intersected(box) == QRegion(box)) {
                    EXPECT_EQ(view_pixels::CellOnScreen(*view, byte), view_pixels::ShownCell(*view, byte)) << byte;
                }
            }
        }
    }
    paints.Clear();
    Command(ID_VIEW_DISPLAY_CODE_PAGE);
    for (CVarnoView* view : views) {
        QWidget* widget = view->GetClientWidget();
        EXPECT_TRUE(WaitFor([&] { return paints.regions[widget] == QRegion(widget->rect()); }));
    }
}

// View > Letters shows its choice as a radio item and keeps it for the next start; a kept value that is none of
// the choices gives the default.
TEST_F(ViewPaint, LettersAreARadioChoiceKeptForTheNextStart)
{
    ASSERT_NE(Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({}))), nullptr);
    const auto letters = [this] {
        QMenu* menu = OpenMenu(QStringLiteral("&View"))->actions().at(0)->menu();
        Q_EMIT menu->aboutToShow();
        std::vector<std::pair<UINT, bool>> items;
        for (QAction* action : menu->actions()) {
            EXPECT_TRUE(action->actionGroup() != nullptr && action->actionGroup()->isExclusive()) << "a radio item";
            items.emplace_back(action->data().toUInt(), action->isChecked());
        }
        return items;
    };
    using Items = std::vector<std::pair<UINT, bool>>;
    EXPECT_EQ(letters(), (Items{{ID_VIEW_TABLE_CHARACTERS, true}, {ID_VIEW_DISPLAY_CODE_PAGE, false}}));
    Command(ID_VIEW_DISPLAY_CODE_PAGE);
    EXPECT_EQ(letters(), (Items{{ID_VIEW_TABLE_CHARACTERS, false}, {ID_VIEW_DISPLAY_CODE_PAGE, true}}));

    // Started again, the editor shows the bytes.
    Restart();
    EXPECT_EQ(MainFrame()->m_letters, Letters::displayCodePage);

    const QString file = QString::fromStdString(AfxGetSettingsFile("Local AppWizard-Generated Applications", "varno"));
    const std::pair<const char*, Letters> kept[] = {
        {"0", Letters::tableCharacters}, {"1", Letters::displayCodePage}, {"2", Letters::tableCharacters},
        {"-1", Letters::tableCharacters}, {"bytes", Letters::tableCharacters}, {"", Letters::tableCharacters},
    };
    for (const auto& [value, letters] : kept) {
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Settings/Letters"), QString::fromLatin1(value));
        EXPECT_EQ(ReadLettersSetting(), letters) << value;
    }
}
