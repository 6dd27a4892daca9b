#include "platform/MessageBox.h"

#include "platform/CWinApp.h"
#include "platform/Display.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

AfxMessageBoxHandler& Handler()
{
    static AfxMessageBoxHandler handler;
    return handler;
}

const char* Caption()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : "varno";
}

// The answer of a user who presses Enter: OK where there is one; for a
// question, Cancel, which keeps everything as it is.
int DefaultAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNOCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
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
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Cancel: return IDCANCEL;
    default: return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
}

} // namespace

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    AfxMessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

int AfxMessageBox(LPCSTR text, UINT type)
{
    if (text == nullptr) {
        text = "";
    }
    if (Handler()) {
        return Handler()(text, type);
    }
    if (!AfxHasDisplay()) {
        std::fprintf(stderr, "%s: %s\n", Caption(), text);
        std::fflush(stderr);
        return DefaultAnswer(type);
    }
    return ShowModal(text, type);
}
