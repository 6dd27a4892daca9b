#pragma once
// The controls of a dialog template, laid out in dialog units of its font.

#include "platform/DialogTemplate.h"

#include <functional>

class QDialog;
class QWidget;

// Lays the window out from its template: caption, font, and the controls at their
// places in dialog units of that font, in template (tab) order. A click on a button
// calls onClick with its id. Returns the first control that Tab stops at, or null.
QWidget* AfxBuildDialogControls(QDialog& window, const AfxDialogTemplate& dialogTemplate,
                                const std::function<void(UINT id)>& onClick);
