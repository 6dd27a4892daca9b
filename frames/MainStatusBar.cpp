#include "frames/MainStatusBar.h"

#include "platform/ResourceStrings.h"
#include "res/Resource.h"

#include <QLabel>

namespace {
// A sample of a cell's background as the views draw it, with what it means.
QLabel* LegendEntry(const QString& meaning, Qt::GlobalColor colour, QWidget* parent)
{
    auto* label = new QLabel(meaning, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}
} // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    // Shown whenever no message is: the described cell is a message over it.
    auto* idle = new QLabel(QString::fromUtf8(AfxLoadString(AFX_IDS_IDLEMESSAGE)), this);
    idle->setTextFormat(Qt::PlainText);
    addWidget(idle, 1);
    addPermanentWidget(LegendEntry(QStringLiteral("green: changed since opened"), Qt::green, this));
    addPermanentWidget(LegendEntry(QStringLiteral("red: does not map back to its byte"), Qt::red, this));
}

void MainStatusBar::Describe(const QString& text, const QObject* source)
{
    if (source != m_source && source != nullptr) {
        connect(source, &QObject::destroyed, this, &MainStatusBar::OnSourceDestroyed, Qt::UniqueConnection);
    }
    m_source = source;
    if (text.isEmpty()) {
        clearMessage();
        return;
    }
    showMessage(text);
}

void MainStatusBar::OnSourceDestroyed(QObject* source)
{
    if (source == m_source) {
        m_source = nullptr;
        clearMessage();
    }
}
