#include "platform/ModalDialogHook.h"

#include "platform/CDialog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
AfxModalDialogHook& Hook()
{
    static AfxModalDialogHook hook;
    return hook;
}
} // namespace

AfxModalDialogHook AfxSetModalDialogHook(AfxModalDialogHook hook)
{
    AfxModalDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool AfxHasModalDialogHook() { return static_cast<bool>(Hook()); }

void AfxAnswerModalDialogLater(CDialog& dialog)
{
    QWidget* window = dialog.GetWidget();
    if (!Hook() || window == nullptr) {
        return;
    }
    QTimer::singleShot(0, window, [&dialog, window = QPointer<QWidget>(window)] {
        // The window shown and active first, so that the hook sees the dialog as a user
        // would. Bounded: a platform that never activates windows still runs the hook.
        for (QDeadlineTimer deadline(5000); !window->isActiveWindow() && !deadline.hasExpired();) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        // A copy: the hook may replace itself while it runs.
        AfxModalDialogHook hook = Hook();
        if (hook) {
            hook(dialog);
        }
        if (window != nullptr && window->isVisible()) {
            std::fprintf(stderr, "varno: the modal dialog hook left a dialog open\n");
            dialog.EndDialog(-1);
        }
    });
}
