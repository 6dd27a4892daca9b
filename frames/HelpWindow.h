#pragma once
// Help > Contents: the editor's guide (docs/editor-guide.md, which the manual page varno(1)
// holds as well) in a window of its own beside the main window. It is not modal: the tables
// stay at hand while it shows. Escape closes it; asked again, the open one comes to the front.

class QWidget;

// Shows the help window of the main window, creating it when there is none.
void ShowHelpWindow(QWidget* mainWindow);
