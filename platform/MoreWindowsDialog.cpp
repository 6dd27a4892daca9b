#include "platform/MoreWindowsDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

CMoreWindowsDialog::CMoreWindowsDialog(QMdiArea* area, CWnd* pParentWnd) : CDialog(0, pParentWnd), m_area(area) {}

INT_PTR CMoreWindowsDialog::DoModal()
{
    auto* window = new QDialog(ParentWidget());
    window->setWindowTitle(QStringLiteral("Select Window"));
    auto* list = new QListWidget(window);
    // Guarded, so that a window that closed while the list showed is never chosen.
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow* sub : m_area->subWindowList(QMdiArea::CreationOrder)) {
        windows.append(sub);
        list->addItem(sub->windowTitle());
        if (sub == m_area->currentSubWindow()) {
            list->setCurrentRow(list->count() - 1);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, window);
    QObject::connect(buttons, &QDialogButtonBox::accepted, window, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::reject);
    // Enter in the list, or a double click, takes the window at once.
    QObject::connect(list, &QListWidget::itemActivated, window, &QDialog::accept);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(list);
    layout->addWidget(buttons);
    list->setFocus();
    INT_PTR result = RunModalWindow(window);
    const int row = list->currentRow();
    if (result == IDOK && row >= 0) {
        m_pChosen = windows[row];
    }
    DestroyWindow();
    return m_pChosen != nullptr ? IDOK : IDCANCEL;
}
