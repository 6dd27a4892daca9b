#include "frames/HelpWindow.h"

#include <QDialog>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// How the main window finds its help window again.
const QString kObjectName = QStringLiteral("helpWindow");

QString Guide()
{
    QFile guide(QStringLiteral(":/varno/editor-guide.md"));
    guide.open(QIODevice::ReadOnly);
    return QString::fromUtf8(guide.readAll());
}

QDialog* CreateHelpWindow(QWidget* mainWindow)
{
    // A dialog for Escape, shown without a modal loop.
    auto* window = new QDialog(mainWindow);
    window->setObjectName(kObjectName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("varno Help"));
    auto* text = new QTextBrowser(window);
    text->document()->setDocumentMargin(12);
    text->setMarkdown(Guide());
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    // Wide enough for the status bar's line that the guide quotes.
    const int em = text->fontMetrics().horizontalAdvance(QLatin1Char('m'));
    window->resize(em * 58, em * 44);
    return window;
}

} // namespace

void ShowHelpWindow(QWidget* mainWindow)
{
    auto* window = mainWindow->findChild<QDialog*>(kObjectName, Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = CreateHelpWindow(mainWindow);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
