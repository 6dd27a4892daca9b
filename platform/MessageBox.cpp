#include "platform/MessageBox.h"

#include "platform/CWinApp.h"
#include "platform/Display.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

// Set at run time only, never while statics are made.
AfxMessageBoxHandler g_handler;

const char* Caption()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pszAppName == nullptr) {
        return "varno";
    }
    return app->m_pszAppName;
}

int ShowModal(const char* text, UINT type)
{
    AfxEnsureGuiApplication();
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromLocal8Bit(Caption()));
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

int AfxDefaultMessageBoxAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNOCANCEL: return IDCANCEL;
    case MB_YESNOCANCELALL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

void AfxSetMessageBoxHandler(AfxMessageBoxHandler handler) { g_handler = std::move(handler); }

int AfxMessageBox(LPCSTR text, UINT type)
{
    if (g_handler) {
        return g_handler(text, type);
    }
    if (!AfxHasDisplay()) {
        std::fprintf(stderr, "%s: %s\n", Caption(), text);
        return AfxDefaultMessageBoxAnswer(type);
    }
    return ShowModal(text, type);
}
