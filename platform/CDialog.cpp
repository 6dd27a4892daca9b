#include "platform/CDialog.h"

#include "platform/DialogControls.h"
#include "platform/Display.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>

#include <cstdio>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

QWidget* CDialog::ParentWidget() const
{
    AfxEnsureGuiApplication();
    if (m_pParentWnd != nullptr) {
        return m_pParentWnd->GetWidget();
    }
    return QApplication::activeWindow();
}

INT_PTR CDialog::DoModal()
{
    const AfxDialogTemplate* dialogTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr) {
        std::fprintf(stderr, "varno: no dialog template %u\n", m_nIDTemplate);
        return -1;
    }
    auto* window = new QDialog(ParentWidget());
    QWidget* firstTabStop = AfxBuildDialogControls(*window, *dialogTemplate);
    // A button sends its id as a command.
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        const UINT id = static_cast<UINT>(GetDlgCtrlID(button));
        QObject::connect(button, &QAbstractButton::clicked, window, [this, id] { OnCmdMsg(id); });
    }
    Attach(window);
    if (OnInitDialog() && firstTabStop != nullptr) {
        firstTabStop->setFocus(Qt::TabFocusReason);
        // As the window system does for the edit control that gets the focus.
        if (auto* edit = qobject_cast<QLineEdit*>(firstTabStop)) {
            edit->selectAll();
        }
    }
    INT_PTR result = RunModalWindow(window);
    DestroyWindow();
    return result;
}

INT_PTR CDialog::RunModalWindow(QDialog* window)
{
    if (GetWidget() != window) {
        Attach(window);
    }
    // EndDialog's value; Escape and the close box reject, which means IDCANCEL.
    const int result = window->exec();
    if (result == QDialog::Rejected) {
        return IDCANCEL;
    }
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (auto* window = qobject_cast<QDialog*>(GetWidget())) {
        window->done(nResult);
    }
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange exchange{this};
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    const auto children = pDX->m_pDlgWnd->GetWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (CWnd::GetDlgCtrlID(child) == nIDC) {
            rControl.Attach(child);
            return;
        }
    }
    // A template and its class that disagree: a programming error, said where it shows.
    std::fprintf(stderr, "varno: DDX_Control: the dialog has no control %d\n", nIDC);
}
