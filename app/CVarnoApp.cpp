#include "app/CVarnoApp.h"

CVarnoApp::CVarnoApp() : CWinApp(nullptr) {}

BOOL CVarnoApp::InitInstance()
{
    if (m_lpCmdLine[0] != '\0') {
        RunBatch();
        return FALSE;
    }
    return InitInteractive();
}

// The editor's windows arrive with the frames; until then an empty command line ends at once.
BOOL CVarnoApp::InitInteractive() { return FALSE; }
