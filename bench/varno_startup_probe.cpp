// The editor's start-up to its first painted main window: the program's own
// application object and start-up, ending once the main window has been
// painted and the paint has reached the screen. Timed from outside, as a whole
// process, beside bare_qt_probe.
#include "app/CVarnoApp.h"
#include "platform/CWnd.h"
#include "platform/Display.h"
#include "res/Resource.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Ends the program after the first paint of the main window.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        CWnd* main = AfxGetMainWnd();
        if (!m_seen && event->type() == QEvent::Paint && main != nullptr && watched == main->GetWidget()) {
            m_seen = true;
            // Once the paint is flushed: the next turn of the event loop.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    bool m_seen = false;
};

class CStartupProbeApp : public CVarnoApp {
public:
    BOOL InitInstance() override
    {
        AfxEnsureGuiApplication()->installEventFilter(&m_firstPaint);
        return CVarnoApp::InitInstance();
    }

    // The main window is left to the process's end, as when the program is killed.
    int Run() override
    {
        QCoreApplication::exec();
        return 0;
    }

private:
    FirstPaint m_firstPaint;
};

CStartupProbeApp theApp;

} // namespace

int main(int argc, char** argv)
{
    VarnoRegisterResources();
    return AfxWinMain(argc > 0 ? 1 : 0, argv);
}
