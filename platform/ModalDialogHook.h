#pragma once
// How tests answer modal dialogs.

#include <functional>

class CDialog;

// Lets tests (and only tests) answer modal dialogs, the file and font dialogs
// included, through their real widgets once the dialog is shown, active and
// initialised. A dialog that the hook leaves open is ended with -1, so a faulty
// test fails instead of hanging.
using AfxModalDialogHook = std::function<void(CDialog& dialog)>;
// Returns the previous hook; an empty hook restores normal interaction.
AfxModalDialogHook AfxSetModalDialogHook(AfxModalDialogHook hook);
bool AfxHasModalDialogHook();

// Called by a modal dialog as its loop starts: hands it to the hook once it is shown and active.
void AfxAnswerModalDialogLater(CDialog& dialog);
