#pragma once
// Window > Compare Open Tables: where the open tables of one system disagree (ComparisonModel.h),
// with a choice of a built-in code page to compare them with, of all bytes 00-FF instead of
// 80-FF and of the rows that disagree alone, and a line that says how many rows disagree. It is one more view of the documents: it
// reads them again whenever any open table may show otherwise (document/OpenTablesFollowers.h).
// A double-click on a cell of a byte from 80 on, or Enter on it, gives its value to the same byte
// of every other table: "Change char" on that cell with its value, OK (ChangeCharEverywhere), one
// step of Undo. A code page's cell gives its value as a table that holds it nowhere would.

#include <QWidget>

class ComparisonModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;

class CompareTablesWindow : public QWidget {
public:
    explicit CompareTablesWindow(QWidget* parent = nullptr);

    // What a double-click on the cell does.
    void GiveCellValue(const QModelIndex& cell);

    QSize sizeHint() const override;

private:
    // Reads the open documents again, keeping the current cell where it was.
    void Refresh();
    // Refresh, once the moment has passed: a change of several documents reads them once, and a
    // document that is closing has left the list.
    void RefreshSoon();

    ComparisonModel* m_model;
    QTableView* m_table;
    // The built-in code page compared with: its name as the item's data, empty for none.
    QComboBox* m_codePage;
    QCheckBox* m_allBytes;
    QCheckBox* m_onlyDisagreeing;
    QLabel* m_summary;
    bool m_refreshPending = false;
};
