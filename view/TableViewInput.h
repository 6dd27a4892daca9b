#pragma once
// The keyboard and the mouse in a table view, beside the click that edits.
// The arrow keys and their kin move a cell cursor (GridNavigation.h), framed
// while the view has the focus; Enter and F2 edit the cursor's cell by the
// click's own path (ClickEditing.h). The status bar describes the cell under
// the mouse, else the cursor's, and a tooltip the cell under the mouse
// (EntryDescription.h). A cursor moved out of view scrolls into it. The cells
// that hold what Find seeks are marked (MatchMarks.h). A click that brings the
// window to the front only does that: it neither moves the cursor nor edits. It
// filters the events of the view's window, which owns it, and of its client area.

#include <QObject>
#include <QString>

class CellFocusFrame;
class MatchMarks;
class QHelpEvent;
class QKeyEvent;
class QMouseEvent;

class TableViewInput : public QObject {
public:
    // Also lets the window take the focus by click and by Tab, and follow the mouse. The client is
    // the window's part inside its scroll bars, a widget of its own.
    TableViewInput(QWidget* window, QWidget* client);

    // The table changed: the status bar says afresh what this view shows there, and the marks
    // show where the table now holds what Find seeks.
    void Refresh();

    // The cursor's entry: a byte of the grid or a key number.
    int CursorEntry() const;
    // Moves the cursor to the entry's cell, scrolled into view and described.
    void MoveCursorTo(int entry);
    // What Find seeks in this view and where it found it.
    MatchMarks& Marks() const { return *m_marks; }
    // The status bar says the text for this view in place of the cursor cell's description, until
    // the cursor moves or the table changes.
    void Say(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The keys and the focus come to the window; the mouse, the tooltips and the size to its client.
    bool OnWindowEvent(QEvent& event);
    bool OnClientEvent(QEvent& event);
    bool OnKeyPress(const QKeyEvent& key);
    // False for the press that made the window the active one.
    bool OnMousePress(const QMouseEvent& press);
    void ShowToolTip(QHelpEvent& help);
    // Lays the frame over the cursor's cell, shown while the window has the focus, and the marks
    // over the matches.
    void PlaceFrame();
    // Whether the window is the current one of the main window's document windows.
    bool IsCurrentWindow() const;
    // The hovered cell, else the cursor's while the window holds its main window's focus (also while a
    // dialog is over it), else what the view with the focus has to say.
    void Describe();
    void ShowInStatusBar(const QString& text);
    bool HoldsWindowFocus() const;

    QWidget* m_window;
    // Where the table is drawn and the frame lies.
    QWidget* m_client;
    CellFocusFrame* m_frame;
    MatchMarks* m_marks;
    // Set as a click gives the focus to the window that was not the current one.
    bool m_activatingClick = false;
    // Cells are numbered from 0 in reading order; -1 for none.
    int m_cursor = 0;
    int m_hovered = -1;
    // What Say gave for the cursor's cell; empty for its description.
    QString m_note;
};
