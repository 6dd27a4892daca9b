#pragma once
// A dialog window laid out from its template: caption, font, and the controls
// at their places in dialog units of that font, in template (tab) order.

#include "platform/DialogTemplate.h"

#include <functional>
#include <vector>

class QDialog;
class QWidget;

// Builds the controls into the window; a click on a button calls onClick with its id.
// Returns the visible controls that Tab stops at, in template order.
std::vector<QWidget*> AfxBuildDialogControls(QDialog& window, const AfxDialogTemplate& dialogTemplate,
                                             const std::function<void(UINT id)>& onClick);
