// One confirmed character change with 64 documents (32 NT, 16 9x, 8 GDI,
// 8 keyboard layouts) open in the editor on real, offscreen windows: the
// propagation to every table, recorded as one step of the edit history as a
// click records it, and the same followed by every paint that it causes (the
// pending paint events, as the event loop would deliver them); then the Undo of
// that step with its paints. Goals: under 16 ms, one frame, and with its paints
// at most 3 times the change alone.
#include "app/CVarnoApp.h"
#include "document/CVarnoDoc.h"
#include "platform/CFrameWnd.h"
#include "platform/CMDIFrameWnd.h"
#include "platform/CView.h"
#include "platform/CWnd.h"
#include "platform/Display.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "tables/CTableHandler.h"
#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"
#include "document/PropagateCharChange.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr QSize kClientSize(1000, 330);

// The editor as it starts, with the 64 generated files open, each view's client area 1000 x 330,
// the windows side by side in 8 rows of 8 in a main window large enough to show them all.
class OpenEditor {
public:
    OpenEditor()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        VarnoRegisterResources();
        AfxEnsureGuiApplication();
        setenv("XDG_CONFIG_HOME", m_settings.Path().c_str(), 1);
        // Nothing is saved when the editor closes.
        AfxSetMessageBoxHandler([](const std::string&, UINT) { return IDNO; });
        m_app = std::make_unique<CVarnoApp>();
        if (!m_app->InitInteractive()) {
            return;
        }
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
                m_app->OpenDocumentFile(path.c_str());
            }
        }
        m_docs = AllOpenDocuments(*m_app);
        for (CVarnoDoc* doc : m_docs) {
            POSITION position = doc->GetFirstViewPosition();
            while (position != nullptr) {
                m_viewWidgets.push_back(SizeClient(doc->GetNextView(position)));
            }
        }
        ShowAllSideBySide();
        QCoreApplication::processEvents();
    }
    ~OpenEditor()
    {
        if (m_app != nullptr && m_app->m_pMainWnd != nullptr) {
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_app.reset();
        AfxSetMessageBoxHandler(nullptr);
    }

    // Every view in its window, at the size of the worked example.
    bool Ready() const
    {
        if (m_docs.size() != 64 || m_viewWidgets.size() != 64) {
            return false;
        }
        for (QWidget* widget : m_viewWidgets) {
            if (widget == nullptr || widget->size() != kClientSize) {
                return false;
            }
        }
        return true;
    }
    const std::vector<CVarnoDoc*>& Docs() const { return m_docs; }
    EditHistory& History() const { return m_app->m_editHistory; }
    const std::vector<QWidget*>& ViewWidgets() const { return m_viewWidgets; }

private:
    // Resizes the view's child window so that the view's widget gets the client size.
    static QWidget* SizeClient(CView* view)
    {
        QWidget* widget = view->GetWidget();
        CFrameWnd* frame = view->GetParentFrame();
        auto* sub = frame != nullptr ? qobject_cast<QMdiSubWindow*>(frame->GetWidget()) : nullptr;
        if (widget == nullptr || sub == nullptr) {
            return nullptr;
        }
        sub->showNormal();
        sub->resize(sub->size() + kClientSize - widget->size());
        QCoreApplication::processEvents();
        return widget;
    }

    // Every view wholly in sight, so that each takes every paint a change causes in it.
    void ShowAllSideBySide()
    {
        QMdiArea* area = static_cast<CMDIFrameWnd*>(m_app->m_pMainWnd)->GetMdiClient();
        const QList<QMdiSubWindow*> windows = area->subWindowList(QMdiArea::CreationOrder);
        if (windows.isEmpty()) {
            return;
        }
        const QSize size = windows.front()->size();
        for (int i = 0; i < windows.size(); ++i) {
            windows[i]->move(i % 8 * size.width(), i / 8 * size.height());
        }
        QWidget* main = m_app->m_pMainWnd->GetWidget();
        main->resize(main->size() + QSize(8 * size.width(), 8 * size.height()) - area->viewport()->size());
        QCoreApplication::processEvents();
    }

    TempDir m_settings;
    TempDir m_dir;
    std::unique_ptr<CVarnoApp> m_app;
    std::vector<CVarnoDoc*> m_docs;
    std::vector<QWidget*> m_viewWidgets;
};

// A click on 0xE0 of the first NT file, confirmed with the value of 0xE1: the
// two entries change places in every table, so the iterations alternate.
// (Not 0xC0-0xC4: the GDI modules refuse any change of their signature.)
bool ChangeOnce(const OpenEditor& editor, benchmark::State& state)
{
    CTableHandler& clicked = *editor.Docs().front()->m_pHandler;
    const std::uint8_t b = 0xE0;
    const std::uint16_t u = clicked.Lookup(0xE1);
    const std::uint8_t p = PreviousHolder(clicked, u);
    const std::uint16_t o = clicked.Lookup(b);
    CharChangeResult result;
    editor.History().Record("Change", editor.Docs(),
                            [&] { result = PropagateCharChange(editor.Docs(), b, b, u, p, o); });
    if (!result.Applied()) {
        state.SkipWithError(("refused: " + RefusalMessage(result)).c_str());
    }
    return result.Applied();
}

// Counts the paint events of the views and the pixels they cover, once installed as their event filter.
class PaintCount : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region()) {
                pixels += static_cast<double>(rect.width()) * rect.height();
            }
        }
        return false;
    }
    double paints = 0;
    double pixels = 0;
};

// Delivers the paints that are waiting, as the event loop does once the change is made.
void PaintPending() { QCoreApplication::processEvents(); }

enum class Measured { change, changeWithPaint, undoWithPaint };

void Measure(benchmark::State& state, Measured measured)
{
    OpenEditor editor;
    if (!editor.Ready()) {
        state.SkipWithError("the documents did not open in 1000 x 330 views");
        return;
    }
    PaintCount count;
    for (QWidget* widget : editor.ViewWidgets()) {
        // A view paints in its client area.
        CWnd::FromHandle(widget)->GetClientWidget()->installEventFilter(&count);
    }
    PaintPending();
    count.paints = 0;
    count.pixels = 0;
    for (auto _ : state) {
        if (measured == Measured::undoWithPaint) {
            state.PauseTiming();
        }
        if (!ChangeOnce(editor, state)) {
            break;
        }
        if (measured == Measured::undoWithPaint) {
            state.ResumeTiming();
            editor.History().Undo();
        }
        if (measured != Measured::change) {
            PaintPending();
        }
    }
    state.counters["documents"] = static_cast<double>(editor.Docs().size());
    state.counters["paints"] = benchmark::Counter(count.paints, benchmark::Counter::kAvgIterations);
    state.counters["pixels"] = benchmark::Counter(count.pixels, benchmark::Counter::kAvgIterations);
}

void BM_CharChangeWithRepaintOf64Views(benchmark::State& state) { Measure(state, Measured::changeWithPaint); }
BENCHMARK(BM_CharChangeWithRepaintOf64Views)->Unit(benchmark::kMillisecond);

// The tables alone, to tell the propagation's share from the painting's.
void BM_CharChangeWithoutPaint(benchmark::State& state) { Measure(state, Measured::change); }
BENCHMARK(BM_CharChangeWithoutPaint)->Unit(benchmark::kMillisecond);

// Edit > Undo of that change: every byte, flag and modified state put back in the 64 documents, and every view painted.
void BM_UndoWithRepaintOf64Views(benchmark::State& state) { Measure(state, Measured::undoWithPaint); }
BENCHMARK(BM_UndoWithRepaintOf64Views)->Unit(benchmark::kMillisecond);

} // namespace
