#pragma once
// What the Compare window shows, as a table model: one row per byte (80-FF, or 00-FF), one column
// per open code-page file and GDI module in opening order, after a built-in code page when one is
// chosen. A cell shows the table's character as a grid cell does (CellCharacter) and its value;
// a row whose tables disagree (document/TableComparison.h) is tinted and marked "≠" beside its
// byte, and a cell that differs from the row's first value compared is coloured and bold.

#include "document/TableComparison.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <vector>

class CVarnoDoc;
struct BuiltInCodePage;

class ComparisonModel : public QAbstractTableModel {
public:
    static inline const QColor kDisagreeingRow{255, 244, 200};
    static inline const QColor kDifferingCell{255, 176, 96};

    // Reads the tables of the documents that hold one again, after the code page when there is
    // one, for the bytes from firstByte to FF, or only those of them that disagree. The rows and
    // columns stay where they are when their bytes and documents do.
    void Read(const std::vector<CVarnoDoc*>& documents, const BuiltInCodePage* codePage, int firstByte,
              bool onlyDisagreeing);

    // The byte of the row.
    std::uint8_t ByteAt(int row) const { return m_bytes.at(static_cast<std::size_t>(row)); }
    // How many bytes were compared, shown or not.
    int ComparedBytes() const { return m_comparedBytes; }
    // The column's document; null for the code page's column.
    CVarnoDoc* DocumentAt(int column) const { return m_documents.at(static_cast<std::size_t>(column)); }
    // The value of the cell; none where a code page leaves the byte undefined.
    std::optional<std::uint16_t> ValueAt(const QModelIndex& cell) const;
    // How many of the bytes compared disagree.
    int DisagreeingBytes() const { return m_disagreeingBytes; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool RowDisagrees(int row) const;

    std::vector<std::uint8_t> m_bytes;
    std::vector<CVarnoDoc*> m_documents;
    std::vector<QString> m_titles;
    std::vector<ComparedTable> m_tables;
    // For each row, the tables that differ from its first value compared.
    std::vector<std::vector<bool>> m_differs;
    int m_comparedBytes = 0;
    int m_disagreeingBytes = 0;
};
