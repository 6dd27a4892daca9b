#include "platform/CDataExchange.h"

#include "platform/CWnd.h"

#include <QWidget>

#include <cstdio>

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    QWidget* dialog = pDX != nullptr && pDX->m_pDlgWnd != nullptr ? pDX->m_pDlgWnd->GetWidget() : nullptr;
    if (dialog == nullptr) {
        return;
    }
    const auto children = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (CWnd::GetDlgCtrlID(child) == nIDC) {
            if (rControl.GetWidget() != child) {
                rControl.Attach(child, false);
            }
            return;
        }
    }
    // A template and its class that disagree: a programming error, said where it shows.
    std::fprintf(stderr, "varno: DDX_Control: the dialog has no control %d\n", nIDC);
}
