#include "platform/CWindowedApp.h"

#include "platform/AfxRes.h"
#include "platform/CDocTemplate.h"
#include "platform/CFileDialog.h"
#include "platform/CWnd.h"
#include "platform/Display.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

int ShowModal(const char* text, UINT type)
{
    AfxEnsureGuiApplication();
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromLocal8Bit(AfxMessageBoxCaption()));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromLocal8Bit(text));
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (type & MB_TYPEMASK) {
    case MB_YESNOCANCELALL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll
                               | QMessageBox::Cancel);
        break;
    case MB_YESNOCANCEL: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    // Yes where the box asks; a lone OK is the default of its box by itself.
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box presses its Cancel, its No or its lone OK.
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::YesToAll: return IDYESTOALL;
    case QMessageBox::No: return IDNO;
    case QMessageBox::NoToAll: return IDNOTOALL;
    default: return IDCANCEL;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CWindowedApp, CWinApp)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

int CWindowedApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType)
{
    if (!AfxHasDisplay()) {
        return CWinApp::DoMessageBox(lpszPrompt, nType);
    }
    return ShowModal(lpszPrompt, nType);
}

void CWindowedApp::OnAppExit()
{
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->SendMessage(WM_CLOSE);
    }
}

BOOL CWindowedApp::DoPromptFileName(std::string& fileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    std::string name;
    std::string extension;
    std::string filter;
    if (pTemplate != nullptr && pTemplate->GetDocString(name, CDocTemplate::filterName)
        && pTemplate->GetDocString(extension, CDocTemplate::filterExt)) {
        filter = name + "|*" + extension + "|";
    }
    filter += "All Files (*.*)|*.*||";
    // The extension without its dot.
    std::string defaultExtension;
    if (extension.size() > 1) {
        defaultExtension = extension.substr(1);
    }
    CFileDialog dialog(bOpenFileDialog, defaultExtension.c_str(), fileName.c_str(), 0, filter.c_str(), m_pMainWnd);
    if (dialog.DoModal() != IDOK) {
        return FALSE;
    }
    fileName = dialog.GetPathName();
    return TRUE;
}
