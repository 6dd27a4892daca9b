// The editor as the README shows it: a windows-1251 grid and a keyboard
// layout side by side. Checks that every text fits its cell and that the
// display font has the Cyrillic glyphs; with VARNO_SCREENSHOT_DIR set, saves
// the main window there as editor.png, and on an X server the screen's own
// picture of it as screen.png (scripts/screenshots.sh).
#include "tests/gui/EditorFixture.h"
#include "tests/gui/TextRecorder.h"

#include "platform/AfxRes.h"
#include "platform/CDC.h"
#include "platform/FontConversion.h"
#include "tables/CKeyboardHandler.h"
#include "view/TableLayout.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <cstdlib>

namespace {

using Screenshot = EditorTest;

// Every text of the view ends before the next column starts and every line
// before the next row. The first headerColumns columns hold one text (the key table's header).
void ExpectTextsFit(CVarnoView* view, int columns, int columnStart, int rows, int linesPerRow, int headerColumns = 1)
{
    RECT client;
    view->GetClientRect(&client);
    const RECT area = GetTableArea(client);
    const int step = (area.right - area.left - columnStart) / columns;
    TextRecorder recorder(client.right, client.bottom);
    {
        QPainter painter(&recorder);
        CDC dc(&painter);
        view->OnDraw(&dc);
    }
    ASSERT_FALSE(recorder.Texts().empty());
    std::map<std::pair<int, int>, double> lineEnds;
    for (const DrawnText& run : recorder.Texts()) {
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
    const QFontMetrics metrics(LogFontToQFont(static_cast<CMainFrame*>(AfxGetMainWnd())->m_logFont));
    EXPECT_LE(metrics.height() * linesPerRow, (area.bottom - area.top) / rows);
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
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(keys, nullptr);
    // Two entries changed since loading: green.
    grid->m_pHandler->Assign(0xA8, 0x0401);
    grid->m_pHandler->Assign(0xE9, 0x0439);
    static_cast<CKeyboardHandler*>(keys->m_pHandler)->SetHigh(3, 0xB9);

    MainWindow()->resize(1600, 900);
    Command(ID_WINDOW_TILE_HORZ);
    QCoreApplication::processEvents();

    const QFont font = LogFontToQFont(MainFrame()->m_logFont);
    const QFontMetrics metrics(font);
    for (char16_t letter : {u'А', u'Я', u'ё', u'№', u'Ђ'}) {
        EXPECT_TRUE(metrics.inFont(QChar(letter))) << font.family().toStdString() << " lacks U+" << std::hex
                                                   << static_cast<int>(letter);
    }
    ExpectTextsFit(ViewOf(grid), 8, 75, 16, 1);
    ExpectTextsFit(ViewOf(keys), 16, 0, 1, 7, 2);

    // A document window at its default size in a main window of the default size is wide enough too.
    Command(ID_WINDOW_NEW);
    MainWindow()->resize(1280, 800);
    QMdiSubWindow* fresh = Area()->subWindowList(QMdiArea::CreationOrder).back();
    fresh->resize(Area()->viewport()->width() * 3 / 4, Area()->viewport()->height() * 3 / 4);
    ExpectTextsFit(Views(grid).back(), 8, 75, 16, 1);
    fresh->close();
    ASSERT_TRUE(WaitFor([this] { return Area()->subWindowList().size() == 2; }));
    MainWindow()->resize(1600, 900);
    Command(ID_WINDOW_TILE_HORZ);
    QCoreApplication::processEvents();

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
