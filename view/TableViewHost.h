#pragma once
// What the table views need of the main window that holds them: the display font they draw
// in, the letters their cells show, and the status bar that describes their cells. The main frame is one; the views know it
// by this alone.

#include "platform/LogFont.h"
#include "view/DisplayFont.h"

class QObject;
class QString;

class TableViewHost {
public:
    // The display font of every table view.
    virtual LOGFONT DisplayFont() const = 0;
    // What the cells of every code-page table show (View > Letters).
    virtual Letters CellLetters() const = 0;
    // The status bar's text from the source (a view's window); empty for the idle prompt.
    virtual void SetMessageText(const QString& text, const QObject* source) = 0;

    // The main window, while there is one.
    static TableViewHost* OfMainWindow();

protected:
    ~TableViewHost() = default;
};
