#pragma once
// The controls of a dialog template, laid out in dialog units of its font.

#include "platform/DialogTemplate.h"

class QDialog;
class QWidget;

// Lays the window out from its template: caption, font, and the controls at their
// places in dialog units of that font, in template (tab) order, each with its id
// (CWnd::GetDlgCtrlID). Returns the first control that Tab stops at, or null.
QWidget* AfxBuildDialogControls(QDialog& window, const AfxDialogTemplate& dialogTemplate);
