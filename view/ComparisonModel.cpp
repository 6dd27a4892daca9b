#include "view/ComparisonModel.h"

#include "document/CVarnoDoc.h"
#include "tables/BuiltInCodePages.h"
#include "view/CharacterNames.h"

#include <QFont>

#include <algorithm>

void ComparisonModel::Read(const std::vector<CVarnoDoc*>& documents, const BuiltInCodePage* codePage, int firstByte,
                           bool onlyDisagreeing)
{
    std::vector<CVarnoDoc*> columns;
    std::vector<QString> titles;
    std::vector<ComparedTable> tables;
    if (codePage != nullptr) {
        columns.push_back(nullptr);
        titles.push_back(QString::fromLatin1(codePage->name));
        tables.push_back(CodePageTable(*codePage));
    }
    for (CVarnoDoc* document : documents) {
        if (document->m_pHandler != nullptr && CVarnoDoc::IsCodePageKind(document->m_nKind)) {
            columns.push_back(document);
            titles.push_back(QString::fromStdString(document->GetTitle()));
            tables.push_back({DocumentValues(*document)});
        }
    }
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<bool>> differs;
    m_disagreeingBytes = 0;
    for (int byte = firstByte; byte <= 0xFF; ++byte) {
        std::vector<bool> row = DifferingTables(tables, static_cast<std::uint8_t>(byte));
        const bool disagrees = std::ranges::any_of(row, [](bool cell) { return cell; });
        m_disagreeingBytes += disagrees ? 1 : 0;
        if (disagrees || !onlyDisagreeing) {
            bytes.push_back(static_cast<std::uint8_t>(byte));
            differs.push_back(std::move(row));
        }
    }
    m_comparedBytes = 0x100 - firstByte;

    const bool sameShape = columns == m_documents && bytes == m_bytes;
    if (!sameShape) {
        beginResetModel();
    }
    m_documents = std::move(columns);
    m_titles = std::move(titles);
    m_tables = std::move(tables);
    m_differs = std::move(differs);
    m_bytes = std::move(bytes);
    if (!sameShape) {
        endResetModel();
    } else if (rowCount() > 0 && columnCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
}

std::optional<std::uint16_t> ComparisonModel::ValueAt(const QModelIndex& cell) const
{
    return m_tables.at(static_cast<std::size_t>(cell.column())).values[ByteAt(cell.row())];
}

bool ComparisonModel::RowDisagrees(int row) const
{
    const std::vector<bool>& differs = m_differs.at(static_cast<std::size_t>(row));
    return std::ranges::any_of(differs, [](bool cell) { return cell; });
}

int ComparisonModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_differs.size());
}

int ComparisonModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_tables.size());
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const std::optional<std::uint16_t> value = ValueAt(index);
    const bool differs = m_differs.at(static_cast<std::size_t>(index.row())).at(static_cast<std::size_t>(index.column()));
    switch (role) {
    case Qt::DisplayRole:
        return value ? CellCharacter(*value) + QLatin1Char(' ') + HexText(*value, 4) : QStringLiteral("----");
    case Qt::ToolTipRole:
        return value ? DescribeUnicode(*value) : QStringLiteral("Undefined in this code page: not compared");
    case Qt::BackgroundRole:
        if (differs) {
            return kDifferingCell;
        }
        return RowDisagrees(index.row()) ? QVariant(kDisagreeingRow) : QVariant();
    case Qt::FontRole: {
        QFont font;
        font.setBold(differs);
        return differs ? QVariant(font) : QVariant();
    }
    default: return {};
    }
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return m_titles.at(static_cast<std::size_t>(section));
    }
    const QString byte = HexText(ByteAt(section), 2);
    return RowDisagrees(section) ? byte + QStringLiteral(" \u2260") : byte;
}
