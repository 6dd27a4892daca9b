// A burst of 64 files handed to the running editor on real, offscreen windows,
// as varno-open and a drop hand them over: each file opened, its window made
// and the last window's view painted. The recent-file list is kept in a
// settings folder of the benchmark's own. Goal: at most 1.5 ms a file.
#include "app/CVarnoApp.h"
#include "document/CVarnoDoc.h"
#include "document/PropagateCharChange.h"
#include "platform/CFrameWnd.h"
#include "platform/CView.h"
#include "platform/Display.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"

#include <QCoreApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 64;

// Notes the first paint of a widget after it was told to watch for it.
class PaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint) {
            m_painted = true;
        }
        return false;
    }
    void Watch(QWidget* widget)
    {
        m_widget = widget;
        m_painted = false;
        widget->installEventFilter(this);
    }
    bool Painted() const { return m_painted; }

private:
    QWidget* m_widget = nullptr;
    bool m_painted = false;
};

void BM_Open64FilesToFirstPaint(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    VarnoRegisterResources();
    AfxEnsureGuiApplication();
    TempDir settings;
    TempDir files;
    setenv("XDG_CONFIG_HOME", settings.Path().c_str(), 1);
    AfxSetMessageBoxHandler([](const std::string&, UINT) { return IDNO; });
    auto app = std::make_unique<CVarnoApp>();
    if (!app->InitInteractive()) {
        state.SkipWithError("the editor did not start");
        return;
    }
    const samples::Bytes nt = samples::MakeNtCodePageFile({});
    std::vector<std::string> paths;
    char name[32];
    for (int i = 0; i < kFiles; ++i) {
        std::snprintf(name, sizeof name, "c_%02d.nls", i);
        paths.push_back(files.Put(name, nt));
    }
    auto* frame = static_cast<CFrameWnd*>(app->m_pMainWnd);
    PaintWatch watch;
    for (auto _ : state) {
        frame->OnDropFiles(paths);
        const std::vector<CVarnoDoc*> documents = AllOpenDocuments(*app);
        if (documents.size() != kFiles) {
            state.SkipWithError("not every file opened");
            break;
        }
        POSITION position = documents.back()->GetFirstViewPosition();
        watch.Watch(documents.back()->GetNextView(position)->GetWidget());
        while (!watch.Painted()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.PauseTiming();
        app->CloseAllDocuments(FALSE);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    // Files a second: 1.5 ms a file is 667.
    state.SetItemsProcessed(state.iterations() * kFiles);
    app->m_pMainWnd->SendMessage(WM_CLOSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.reset();
    AfxSetMessageBoxHandler(nullptr);
}
BENCHMARK(BM_Open64FilesToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
