// One paint of a full character grid, 16 row labels and 128 cells: through the
// device context at the first paint and at every one after, through the table
// view itself (a real NT code-page document), and the same texts drawn
// straight with Qt.
#include "document/CVarnoDoc.h"
#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/Display.h"
#include "platform/FontConversion.h"
#include "tables/CTableHandler.h"
#include "tools/SampleGenerator.h"
#include "view/CVarnoView.h"
#include "view/TableLayout.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr RECT kClient{0, 0, 1000, 330};

LOGFONT DisplayFont()
{
    LOGFONT logFont{};
    logFont.lfHeight = 14;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    std::strcpy(logFont.lfFaceName, "Microsoft Sans Serif");
    return logFont;
}

void StartGui()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    AfxEnsureGuiApplication();
}

// Paints the grid; the cells show their bytes mapped to code points from first on.
void PaintGrid(QImage& image, const LOGFONT& logFont, int first = 0x0410)
{
    const RECT area = GetTableArea(kClient);
    char text[512];
    image.fill(Qt::white);
    QPainter painter(&image);
    CDC dc(&painter);
    // The view makes its font anew at every paint.
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* old = dc.SelectObject(&font);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (byte % 8 == 0) {
            std::snprintf(text, sizeof text, "%02X", byte);
            dc.SetBkColor(RGB(255, 255, 255));
            RECT label = GetRowLabelRect(area, byte / 8 - 16);
            dc.DrawText(text, -1, &label, 0);
        }
        std::snprintf(text, sizeof text, "%c=%04X=%02X", byte, (first + byte) & 0xFFFF, byte);
        dc.SetBkColor(byte % 5 == 0 ? RGB(0, 255, 0) : RGB(255, 255, 255));
        RECT cell = GetCharCellRect(area, byte);
        dc.DrawText(text, -1, &cell, 0);
    }
    dc.SelectObject(old);
    font.DeleteObject();
}

// The same grid again and again: what every repaint after the first costs.
void BM_GridPaintThroughCDC(benchmark::State& state)
{
    StartGui();
    QImage image(kClient.right, kClient.bottom, QImage::Format_RGB32);
    const LOGFONT logFont = DisplayFont();
    for (auto _ : state) {
        PaintGrid(image, logFont);
    }
}
BENCHMARK(BM_GridPaintThroughCDC)->Unit(benchmark::kMicrosecond);

// Every paint with cell texts that have not been drawn before (the row labels have):
// what the first paint of a view costs.
void BM_FirstGridPaintThroughCDC(benchmark::State& state)
{
    StartGui();
    QImage image(kClient.right, kClient.bottom, QImage::Format_RGB32);
    const LOGFONT logFont = DisplayFont();
    int first = 0;
    for (auto _ : state) {
        first += 0x80;
        PaintGrid(image, logFont, first);
    }
}
BENCHMARK(BM_FirstGridPaintThroughCDC)->Unit(benchmark::kMicrosecond);

void BM_GridPaintWithQtAlone(benchmark::State& state)
{
    StartGui();
    QImage image(kClient.right, kClient.bottom, QImage::Format_RGB32);
    const QFont font = LogFontToQFont(DisplayFont());
    const int ascent = QFontMetrics(font).ascent();
    const RECT area = GetTableArea(kClient);
    std::array<QString, 128> cells;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        cells[byte - 0x80] = QStringLiteral("%1=%2=%3").arg(QChar(0x0410 + byte % 64)).arg(0x0410 + byte, 4, 16, QChar(u'0')).arg(byte, 2, 16);
    }
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setBackgroundMode(Qt::OpaqueMode);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const RECT cell = GetCharCellRect(area, byte);
            painter.setBackground(byte % 5 == 0 ? Qt::green : Qt::white);
            painter.drawText(QPoint(cell.left, cell.top + ascent), cells[byte - 0x80]);
        }
    }
}
BENCHMARK(BM_GridPaintWithQtAlone)->Unit(benchmark::kMicrosecond);

void BM_GridPaintThroughView(benchmark::State& state)
{
    StartGui();
    const std::string path = (std::filesystem::temp_directory_path() / "varno-bench-c_1251.nls").string();
    samples::Bytes nt = samples::MakeNtCodePageFile({});
    // A red cell and a green one, so that every branch of the paint runs.
    samples::PutWord(nt, samples::kNtForwardOffset + 2 * 0xBC, 0x0456);
    samples::WriteFile(path, nt);
    CVarnoDoc document;
    // On the stack: losing its view must not delete it.
    document.m_bAutoDelete = FALSE;
    if (!document.OnOpenDocument(path.c_str())) {
        state.SkipWithError("the sample did not open");
        return;
    }
    std::filesystem::remove(path);
    document.m_pHandler->Assign(0xE9, 0x0439);
    auto* view = new CVarnoView;
    view->Create(nullptr);
    view->GetWidget()->resize(kClient.right, kClient.bottom);
    document.AddView(view);
    QImage image(kClient.right, kClient.bottom, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        CDC dc(&painter);
        view->OnDraw(&dc);
    }
    delete view;
}
BENCHMARK(BM_GridPaintThroughView)->Unit(benchmark::kMicrosecond);

} // namespace
