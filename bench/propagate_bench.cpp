// One confirmed character change with 64 open documents (32 NT, 16 9x, 8 GDI,
// 8 keyboard layouts): the propagation to every table and the repaint of every
// view. Each view paints the grid or the key table through the device context
// on an offscreen image as soon as its document asks it to update, with the
// texts and colours of the table view. Goal: under 16 ms, one frame.
#include "document/CVarnoDoc.h"
#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CMultiDocTemplate.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
#include "platform/Display.h"
#include "tables/CKeyboardHandler.h"
#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"
#include "view/PropagateCharChange.h"
#include "view/TableLayout.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr RECT kClient{0, 0, 1000, 330};
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

LOGFONT DisplayFont()
{
    LOGFONT logFont{};
    logFont.lfHeight = 14;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    std::strcpy(logFont.lfFaceName, "Microsoft Sans Serif");
    return logFont;
}

void DrawGrid(CDC& dc, const RECT& area, CVarnoDoc& doc)
{
    CTableHandler& handler = *doc.m_pHandler;
    const bool reverse = doc.m_nKind != CVarnoDoc::kindGdiModule;
    char text[512];
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (b % 8 == 0) {
            std::snprintf(text, sizeof text, "%02X", b);
            dc.SetBkColor(kWhite);
            RECT label = GetRowLabelRect(area, b / 8 - 16);
            dc.DrawText(text, -1, &label, 0);
        }
        const std::uint16_t u = handler.Lookup(static_cast<std::uint8_t>(b));
        COLORREF colour = handler.m_modified[b] != 0 ? kGreen : kWhite;
        if (reverse) {
            const std::uint8_t v = handler.ReverseLookup(u);
            std::snprintf(text, sizeof text, "%c=%04X=%02X", b, u, v);
            colour = v != b ? kRed : colour;
        } else {
            std::snprintf(text, sizeof text, "%c(%02X)=%04X", b, b, u);
        }
        dc.SetBkColor(colour);
        RECT cell = GetCharCellRect(area, b);
        dc.DrawText(text, -1, &cell, 0);
    }
}

void DrawKeys(CDC& dc, const RECT& area, CKeyboardHandler& keyboard)
{
    RECT header = area;
    dc.DrawText("Key\n\nlow\n\nHIGH\n\nCapsLock", -1, &header, 0);
    char text[512];
    for (int key = 0; key < CKeyboardHandler::kKeyCount; ++key) {
        int length = keyboard.GetKeyName(key, text) - 1;
        const std::uint8_t low = keyboard.GetLow(key);
        const std::uint8_t high = keyboard.GetHigh(key);
        std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "\n\n%c(%02X)\n\n%c(%02X)\n\n%s",
                      low, low, high, high, keyboard.GetCapsLock(key) ? "ON" : "off");
        dc.SetBkColor(keyboard.m_modified[key] != 0 ? kGreen : kWhite);
        RECT column = GetKeyColumnRect(area, key);
        dc.DrawText(text, -1, &column, 0);
    }
}

// Repaints at once, offscreen, whenever its document asks it to update.
class CPaintingView : public CView {
public:
    CPaintingView() : m_image(kClient.right, kClient.bottom, QImage::Format_RGB32) {}

    void OnDraw(CDC* pDC) override
    {
        auto* doc = static_cast<CVarnoDoc*>(GetDocument());
        if (doc == nullptr || doc->m_pHandler == nullptr) {
            return;
        }
        static const LOGFONT logFont = DisplayFont();
        CFont font;
        font.CreateFontIndirect(&logFont);
        CFont* old = pDC->SelectObject(&font);
        const RECT area = GetTableArea(kClient);
        if (doc->m_nKind == CVarnoDoc::kindKeyboard) {
            DrawKeys(*pDC, area, static_cast<CKeyboardHandler&>(*doc->m_pHandler));
        } else {
            DrawGrid(*pDC, area, *doc);
        }
        pDC->SelectObject(old);
    }

protected:
    void OnUpdate(CView*, LPARAM, CObject*) override
    {
        m_image.fill(Qt::white);
        QPainter painter(&m_image);
        CDC dc(&painter);
        OnDraw(&dc);
    }

private:
    QImage m_image;
};

// 64 generated files opened through the framework, one painting view each.
class OpenDocuments {
public:
    explicit OpenDocuments(bool withViews)
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        AfxEnsureGuiApplication();
        auto* docTemplate = new CMultiDocTemplate(129, RUNTIME_CLASS(CVarnoDoc), nullptr, nullptr);
        m_app.AddDocTemplate(docTemplate);
        const samples::Bytes nt = samples::MakeNtCodePageFile({});
        const samples::Bytes ninex = samples::MakeNinexCodePageFile(samples::NinexCodePageOptions{});
        const samples::Bytes gdi = samples::MakeGdiModule({});
        const samples::Bytes keyboard = samples::MakeKeyboardLayout({});
        const struct {
            const char* pattern;
            int count;
            const samples::Bytes& bytes;
        } kinds[] = {{"c_%02d.nls", 32, nt}, {"cp_%02d.nls", 16, ninex}, {"gdi%02d.exe", 8, gdi}, {"k%02d.kbd", 8, keyboard}};
        char name[32];
        for (const auto& kind : kinds) {
            for (int i = 0; i < kind.count; ++i) {
                std::snprintf(name, sizeof name, kind.pattern, i);
                const std::string path = m_dir.File(name);
                samples::WriteFile(path, kind.bytes);
                CDocument* doc = m_app.OpenDocumentFile(path.c_str());
                if (doc != nullptr && withViews) {
                    m_views.push_back(std::make_unique<CPaintingView>());
                    doc->AddView(m_views.back().get());
                }
            }
        }
        m_docs = AllOpenDocuments(m_app);
    }
    ~OpenDocuments() { m_views.clear(); }

    const std::vector<CVarnoDoc*>& Docs() const { return m_docs; }

private:
    TempDir m_dir;
    CWinApp m_app{"varno"};
    std::vector<std::unique_ptr<CPaintingView>> m_views;
    std::vector<CVarnoDoc*> m_docs;
};

// A click on 0xC0 of the first NT file, confirmed with the value of 0xC1: the
// two entries change places in every table, so the iterations alternate.
void ConfirmOneChange(benchmark::State& state, bool withViews)
{
    OpenDocuments open(withViews);
    if (open.Docs().size() != 64) {
        state.SkipWithError("the documents did not open");
        return;
    }
    CTableHandler& clicked = *open.Docs().front()->m_pHandler;
    const std::uint8_t b = 0xC0;
    for (auto _ : state) {
        const std::uint16_t u = clicked.Lookup(0xC1);
        const std::uint8_t p = clicked.ReverseLookup(u);
        const std::uint16_t o = clicked.Lookup(b);
        CharChangeResult result = PropagateCharChange(open.Docs(), b, b, u, p, o);
        benchmark::DoNotOptimize(result);
    }
    state.counters["documents"] = static_cast<double>(open.Docs().size());
}

void BM_CharChangeWithRepaintOf64Views(benchmark::State& state) { ConfirmOneChange(state, true); }
BENCHMARK(BM_CharChangeWithRepaintOf64Views)->Unit(benchmark::kMillisecond);

// The tables alone, to tell the propagation's share from the painting's.
void BM_CharChangeWithoutViews(benchmark::State& state) { ConfirmOneChange(state, false); }
BENCHMARK(BM_CharChangeWithoutViews)->Unit(benchmark::kMillisecond);

} // namespace
