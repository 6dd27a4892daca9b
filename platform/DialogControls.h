#pragma once
// A dialog window laid out from its template: caption, font, and the controls
// at their places in dialog units of that font, in template (tab) order.

#include "platform/DialogTemplate.h"

#include <functional>

class QDialog;
class QWidget;

// Builds the controls into the window; a click on a button calls onClick with its id.
// Returns the first control that Tab stops at, or null.
QWidget* AfxBuildDialogControls(QDialog& window, const AfxDialogTemplate& dialogTemplate,
                                const std::function<void(UINT id)>& onClick);
