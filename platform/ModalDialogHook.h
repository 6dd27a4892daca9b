#pragma once
// Lets tests (and only tests) answer modal dialogs through their real widgets.
// The hook runs once the dialog is shown, active and initialised; it should end
// the dialog (click OK or Cancel, press Enter or Escape). A dialog that it
// leaves open is ended with -1, so a faulty test fails instead of hanging.
// Also called for the file and font dialogs, whose GetWidget() is the
// toolkit's own dialog.

#include <functional>

class CDialog;

using AfxModalDialogHook = std::function<void(CDialog& dialog)>;

// Returns the previous hook; an empty hook restores normal interaction.
AfxModalDialogHook AfxSetModalDialogHook(AfxModalDialogHook hook);
// Whether a test answers modal dialogs.
bool AfxHasModalDialogHook();

// For CDialog: once the modal loop runs, hands the dialog to the hook and ends
// it with -1 if the hook left it open.
void AfxAnswerModalDialogLater(CDialog& dialog);
