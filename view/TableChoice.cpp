#include "view/TableChoice.h"

#include "document/CVarnoDoc.h"
#include "document/GdiTableNames.h"
#include "tables/CGdiTableHandler.h"
#include "view/CVarnoView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

TableChoice::TableChoice(QWidget* viewWindow) : m_viewWindow(viewWindow), m_tables(new QComboBox(this))
{
    auto* label = new QLabel(QStringLiteral("&Table:"), this);
    label->setBuddy(m_tables);
    m_tables->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_tables->setToolTip(QStringLiteral("The table of the module that its windows show and edit (Alt+T)"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(label);
    layout->addWidget(m_tables);
    layout->addStretch();
    connect(m_tables, &QComboBox::activated, this, &TableChoice::OnActivated);
    hide();
}

void TableChoice::Refresh(CVarnoDoc& document)
{
    const CGdiTableHandler* gdi = document.GdiModule();
    const std::size_t count = gdi != nullptr ? gdi->Tables().size() : 0;
    setVisible(count > 1);
    if (count < 2) {
        return;
    }
    QStringList texts;
    for (std::size_t index = 0; index < count; ++index) {
        texts << QString::fromStdString(GdiTableChoiceText(*gdi, index));
    }
    // The names follow the edits; set in place, an open list keeps its place.
    if (m_tables->count() != texts.size()) {
        m_tables->clear();
        m_tables->addItems(texts);
    }
    for (int row = 0; row < texts.size(); ++row) {
        m_tables->setItemText(row, texts[row]);
    }
    m_tables->setCurrentIndex(static_cast<int>(gdi->SelectedTable()));
}

void TableChoice::OnActivated(int index)
{
    auto* view = DYNAMIC_DOWNCAST(CVarnoView, CWnd::FromHandle(m_viewWindow));
    CVarnoDoc* document = view != nullptr ? view->GetDocument() : nullptr;
    if (document != nullptr && index >= 0) {
        document->ShowTable(static_cast<std::size_t>(index));
    }
}
