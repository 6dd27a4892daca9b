#include "view/CompareTablesWindow.h"

#include "document/CVarnoDoc.h"
#include "document/OpenTablesFollowers.h"
#include "document/PropagateCharChange.h"
#include "platform/CWinApp.h"
#include "tables/BuiltInCodePages.h"
#include "view/ClickEditing.h"
#include "view/ComparisonModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

// The table, whose Enter does what a double-click does (the toolkit's own "activated" may come
// from a single click, by the desktop's choice).
class CompareTableView : public QTableView {
public:
    std::function<void(const QModelIndex&)> onEnter;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && currentIndex().isValid() && onEnter) {
            onEnter(currentIndex());
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

std::vector<CVarnoDoc*> OpenDocuments()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? AllOpenDocuments(*app) : std::vector<CVarnoDoc*>{};
}

} // namespace

CompareTablesWindow::CompareTablesWindow(QWidget* parent)
    : QWidget(parent), m_model(new ComparisonModel), m_codePage(new QComboBox), m_allBytes(new QCheckBox),
      m_onlyDisagreeing(new QCheckBox), m_summary(new QLabel)
{
    m_model->setParent(this);
    auto* table = new CompareTableView;
    m_table = table;
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // One line of text a row, as in the grid, rather than the style's roomy default.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().lineSpacing() + 6);
    table->onEnter = [this](const QModelIndex& cell) { GiveCellValue(cell); };
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& cell) { GiveCellValue(cell); });

    m_codePage->addItem(QStringLiteral("no code page"), QString());
    for (const BuiltInCodePage& codePage : BuiltInCodePages()) {
        m_codePage->addItem(QStringLiteral("%1 (%2)").arg(QLatin1String(codePage.name), QLatin1String(codePage.script)),
                            QString::fromLatin1(codePage.name));
    }
    auto* codePageLabel = new QLabel(QStringLiteral("Compare with &code page:"));
    codePageLabel->setBuddy(m_codePage);
    m_allBytes->setText(QStringLiteral("&All bytes 00-FF"));
    connect(m_codePage, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    m_onlyDisagreeing->setText(QStringLiteral("Only rows that &disagree"));
    connect(m_allBytes, &QCheckBox::toggled, this, [this] { Refresh(); });
    connect(m_onlyDisagreeing, &QCheckBox::toggled, this, [this] { Refresh(); });

    auto* choices = new QHBoxLayout;
    choices->addWidget(codePageLabel);
    choices->addWidget(m_codePage);
    choices->addSpacing(16);
    choices->addWidget(m_allBytes);
    choices->addWidget(m_onlyDisagreeing);
    choices->addStretch();
    auto* hint = new QLabel(QStringLiteral("Double-click a cell of 80-FF, or press Enter on it, to give its value to "
                                           "every other table (as Change char; one step of Undo)."));
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(hint);
    setFocusProxy(m_table);

    FollowOpenTables(this, [this] { RefreshSoon(); });
    Refresh();
    m_table->setCurrentIndex(m_model->index(0, 0));
}

void CompareTablesWindow::RefreshSoon()
{
    if (m_refreshPending) {
        return;
    }
    m_refreshPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshPending = false;
            Refresh();
        },
        Qt::QueuedConnection);
}

void CompareTablesWindow::Refresh()
{
    const QModelIndex current = m_table->currentIndex();
    const int byte = current.isValid() ? m_model->ByteAt(current.row()) : -1;
    const BuiltInCodePage* codePage = FindBuiltInCodePage(m_codePage->currentData().toString().toStdString());
    m_model->Read(OpenDocuments(), codePage, m_allBytes->isChecked() ? 0x00 : 0x80, m_onlyDisagreeing->isChecked());
    m_table->resizeColumnsToContents();
    // The same byte, or the next one shown, in the same column where they still are.
    if (current.isValid() && !m_table->currentIndex().isValid() && m_model->rowCount() > 0) {
        int row = 0;
        while (row + 1 < m_model->rowCount() && m_model->ByteAt(row) < byte) {
            ++row;
        }
        m_table->setCurrentIndex(m_model->index(row, std::min(current.column(), m_model->columnCount() - 1)));
    }

    const int disagreeing = m_model->DisagreeingBytes();
    const int compared = m_model->ComparedBytes();
    const int documents = m_model->columnCount() - (codePage != nullptr ? 1 : 0);
    if (documents == 0) {
        m_summary->setText(QStringLiteral("No code-page file or GDI module is open."));
    } else if (disagreeing == 0) {
        m_summary->setText(QStringLiteral("All %1 rows agree.").arg(compared));
    } else {
        m_summary->setText(QStringLiteral("%1 of %2 rows disagree.").arg(disagreeing).arg(compared));
    }
}

void CompareTablesWindow::GiveCellValue(const QModelIndex& cell)
{
    if (!cell.isValid()) {
        return;
    }
    const std::uint8_t b = m_model->ByteAt(cell.row());
    const std::optional<std::uint16_t> u = m_model->ValueAt(cell);
    // Change char edits 80-FF alone; a code page may leave the byte undefined.
    if (b < 0x80 || !u) {
        return;
    }
    CVarnoDoc* document = m_model->DocumentAt(cell.column());
    if (document == nullptr) {
        ChangeCharEverywhere(b, b, *u, kUnmappedByte, *u);
        return;
    }
    // The model may still name a document that has just closed.
    const std::vector<CVarnoDoc*> open = OpenDocuments();
    if (std::ranges::find(open, document) == open.end() || document->m_pHandler == nullptr) {
        return;
    }
    ChangeCharEverywhere(b, b, *u, PreviousHolder(*document->m_pHandler, *u), document->m_pHandler->Lookup(b));
}

QSize CompareTablesWindow::sizeHint() const
{
    const int columns = m_table->verticalHeader()->width() + m_table->horizontalHeader()->length();
    const int width = columns + 2 * m_table->frameWidth() + 40;
    return QSize(std::clamp(width, 480, 1100), 640);
}
