#pragma once
// The application object of a program with windows: its messages are message boxes
// (one line on standard error while there is no display), Save As asks for a name in
// the file dialog, and File > Exit closes the main window.

#include "platform/CWinApp.h"

class CWindowedApp : public CWinApp {
public:
    using CWinApp::CWinApp;

    // The file dialog for Open (bOpenFileDialog) or Save As, filtered by the document
    // type of the template, when there is one, and all files.
    BOOL DoPromptFileName(std::string& fileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate) override;
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType) override;
    // File > Exit: closes the main window, which asks to save modified documents first.
    void OnAppExit();

protected:
    DECLARE_MESSAGE_MAP()
};
