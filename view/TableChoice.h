#pragma once
// The choice above a GDI module's table: which of the module's tables its
// windows show. One file is one document, with one save, one modified state
// and one Undo history, so the table shown is the document's: choosing one
// shows it in every window of the module. A module with one table, and every
// other kind of file, shows no choice. The keyboard reaches it by Alt+T, the
// mnemonic of its label, or by Shift+Tab from the table.

#include <QPointer>
#include <QWidget>

class CVarnoDoc;
class QComboBox;

class TableChoice : public QWidget {
public:
    // The view's window, whose document the choice shows.
    explicit TableChoice(QWidget* viewWindow);

    // Lists the document's tables as they now are, the shown one chosen; hidden with fewer than two.
    void Refresh(CVarnoDoc& document);

private:
    void OnActivated(int index);

    QPointer<QWidget> m_viewWindow;
    QComboBox* m_tables;
};
