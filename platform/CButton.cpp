#include "platform/CButton.h"

#include <QCheckBox>

IMPLEMENT_DYNAMIC(CButton, CWnd)

LRESULT CButton::SendMessage(UINT message, WPARAM wParam, LPARAM)
{
    auto* box = qobject_cast<QCheckBox*>(GetWidget());
    if (box != nullptr && message == BM_GETCHECK) {
        return box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    }
    if (box != nullptr && message == BM_SETCHECK) {
        box->setChecked(wParam != BST_UNCHECKED);
    }
    return 0;
}
