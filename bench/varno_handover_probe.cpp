// The editor as varno-open starts it, ending once every file handed over has
// its window and the newest window's view has been painted. It expects
// VARNO_PROBE_FILES files and, on ending, writes one line into the FIFO named
// by VARNO_PROBE_DONE, for which bench/handover-burst.sh waits. Timed from
// outside, as a whole process, by that script.
#include "app/CVarnoApp.h"
#include "document/CVarnoDoc.h"
#include "document/PropagateCharChange.h"
#include "platform/CView.h"
#include "platform/Display.h"
#include "res/Resource.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

class NewestViewPainted : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || m_done) {
            return false;
        }
        m_painted.insert(watched);
        const std::vector<CVarnoDoc*> documents = AllOpenDocuments(*AfxGetApp());
        if (documents.size() != static_cast<std::size_t>(m_expected)) {
            return false;
        }
        POSITION position = documents.back()->GetFirstViewPosition();
        CView* view = position != nullptr ? documents.back()->GetNextView(position) : nullptr;
        if (view != nullptr && m_painted.count(view->GetWidget()) > 0) {
            m_done = true;
            // Once the paint is flushed: the next turn of the event loop.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    int m_expected = std::atoi(std::getenv("VARNO_PROBE_FILES") != nullptr ? std::getenv("VARNO_PROBE_FILES") : "1");
    std::set<QObject*> m_painted;
    bool m_done = false;
};

class CHandOverProbeApp : public CVarnoApp {
public:
    BOOL InitInstance() override
    {
        AfxEnsureGuiApplication()->installEventFilter(&m_newestPainted);
        // Never left behind: a run that goes wrong ends after a minute.
        QTimer::singleShot(60000, qApp, [] { std::_Exit(1); });
        return CVarnoApp::InitInstance();
    }

    // The windows are left to the process's end, as when the program is killed.
    int Run() override
    {
        QCoreApplication::exec();
        if (const char* done = std::getenv("VARNO_PROBE_DONE")) {
            if (std::FILE* fifo = std::fopen(done, "w")) {
                std::fputs("painted\n", fifo);
                std::fclose(fifo);
            }
        }
        std::_Exit(0);
    }

private:
    NewestViewPainted m_newestPainted;
};

CHandOverProbeApp theApp;

} // namespace

int main(int argc, char** argv)
{
    VarnoRegisterResources();
    return AfxWinMain(argc > 0 ? 1 : 0, argv);
}
