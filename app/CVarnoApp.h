#pragma once
// The application object. With text on the command line it runs the batch
// transplant and ends (but --help or --version alone prints the usage or the
// version); with an empty command line it starts the editor, when windows can
// be shown. Arguments that the command line cannot carry are refused, with
// exit status 1, and so is the editor without a display. It keeps the edit
// history of the editor's documents, and asks the kind of a file whose name makes none.

#include "document/EditHistory.h"
#include "document/KindChooser.h"
#include "platform/CWindowedApp.h"

#include <string>

class CVarnoApp : public CWindowedApp, public EditHistoryOwner, public KindChooser {
public:
    CVarnoApp();

    BOOL InitInstance() override;

    // The batch transplant of the command line (app/BatchTransplant.h).
    // m_nExitCode is 0 after a successful transplant and 1 after any failure.
    void RunBatch();

    // The editor's start-up: settings, the document template, the main frame,
    // drag and drop, and the (empty) command line carried out. FALSE ends the program.
    BOOL InitInteractive();

    // A file whose name makes no kind: the user is asked which kind to open it as (CKindChoiceDlg.h).
    int ChooseKind(const std::string& path) override;

protected:
    // Help > About.
    void OnAppAbout();
    // File > Open: the files chosen, several at once, opened in turn; those that cannot be
    // opened are reported in one message. The dialog offers
    // every kind of table, then each kind (code-page files as the document type names
    // them), then all files; it takes names that are not UTF-8 (COpenFileDialog.h).
    void OnFileOpen();
    // File > Open Reference: one file opened and marked as a reference.
    void OnFileOpenReference();
    // File > Save All: every modified document saved as File > Save saves it; the saves that
    // failed are reported in one message.
    void OnFileSaveAll();
    // File > Close All: the question of quitting (Yes to All, No to All), then every document closes;
    // Cancel, or a save that failed, keeps them all open.
    void OnFileCloseAll();

    DECLARE_MESSAGE_MAP()

private:
    // "Codepage files (*.nls)|*.nls|": the document type's files as a file dialog's filter; extension
    // receives the type's extension (".nls").
    std::string DocumentTypeFilter(std::string& extension) const;

    CDocTemplate* m_pDocTemplate = nullptr;
};
