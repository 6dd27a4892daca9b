#pragma once
// How tests answer modal dialogs.

#include <functional>

class CDialog;

// Lets tests (and only tests) answer modal dialogs through their real widgets.
// The hook runs once the dialog is shown, active and initialised; it should end
// the dialog (click OK or Cancel, press Enter or Escape). A dialog that it
// leaves open is ended with -1, so a faulty test fails instead of hanging.
// Also called for the file and font dialogs, whose GetWidget() is the
// toolkit's own dialog.
using AfxModalDialogHook = std::function<void(CDialog& dialog)>;
// Returns the previous hook; an empty hook restores normal interaction.
AfxModalDialogHook AfxSetModalDialogHook(AfxModalDialogHook hook);
bool AfxHasModalDialogHook();

// Called by a modal dialog as its loop starts: once the window is shown and
// active, hands the dialog to the hook, and ends it with -1 if the hook left it open.
void AfxAnswerModalDialogLater(CDialog& dialog);
