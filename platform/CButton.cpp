#include "platform/CButton.h"

#include <QCheckBox>

IMPLEMENT_DYNAMIC(CButton, CWnd)

int CButton::GetCheck() const
{
    const auto* box = qobject_cast<const QCheckBox*>(GetWidget());
    return box != nullptr && box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    if (auto* box = qobject_cast<QCheckBox*>(GetWidget())) {
        box->setChecked(nCheck != BST_UNCHECKED);
    }
}

LRESULT CButton::SendMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case BM_GETCHECK: return GetCheck();
    case BM_SETCHECK: SetCheck(static_cast<int>(wParam)); return 0;
    default: return 0;
    }
}
