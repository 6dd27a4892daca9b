#pragma once
// A dialog's live line: a text under its controls that follows what is typed
// into its fields, with an OK button that is enabled only while the fields
// hold what OK can take. Qt's own parts, laid on the window that the dialog's
// template made.

#include <QString>

#include <functional>
#include <initializer_list>

class CDialog;
class CWnd;

// What the fields hold now: the line's text, and whether OK may take them.
struct LiveLineState {
    QString text;
    bool acceptable;
};

// Adds a line of that many text lines' height under the dialog's controls,
// as wide as they are, and grows the window by as much. update() fills it at
// once and at every change of one of the fields, and decides about OK.
void AddLiveLine(CDialog& dialog, std::initializer_list<const CWnd*> fields, int lines,
                 std::function<LiveLineState()> update);
