#pragma once
// The application object. With text on the command line it runs the batch
// transplant and ends; with an empty command line it starts the editor.

#include "platform/CWinApp.h"

class CVarnoApp : public CWinApp {
public:
    CVarnoApp();

    BOOL InitInstance() override;

    // Copies the entries of the bytes 0x80-0xB6 and 0xB8-0xBF from the table of
    // the source GDI module into the table of the target, in place, and reports
    // the outcome in one message box (none on success when the options hold /q).
    // m_nExitCode is 0 after a successful transplant and 1 after any failure.
    void RunBatch();

    // The editor's start-up: settings, the document template, the main frame,
    // drag and drop, and the (empty) command line carried out. FALSE ends the program.
    BOOL InitInteractive();

protected:
    // Help > About.
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};
