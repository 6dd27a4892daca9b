#include "platform/MessageBox.h"

#include "platform/CWinApp.h"

#include <cstdio>

namespace {

// Set at run time only, never while statics are made.
AfxMessageBoxHandler g_handler;

} // namespace

const char* AfxMessageBoxCaption()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pszAppName == nullptr) {
        return "varno";
    }
    return app->m_pszAppName;
}

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

int AfxMessageLine(LPCSTR text, UINT type)
{
    std::fprintf(stderr, "%s: %s\n", AfxMessageBoxCaption(), text);
    return AfxDefaultMessageBoxAnswer(type);
}

int AfxMessageBox(LPCSTR text, UINT type)
{
    if (g_handler) {
        return g_handler(text, type);
    }
    if (CWinApp* app = AfxGetApp()) {
        return app->DoMessageBox(text, type);
    }
    return AfxMessageLine(text, type);
}
