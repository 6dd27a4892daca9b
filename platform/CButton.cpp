#include "platform/CButton.h"

#include <QCheckBox>

IMPLEMENT_DYNAMIC(CButton, CWnd)

int CButton::GetCheck() const
{
    const auto* box = qobject_cast<const QCheckBox*>(GetWidget());
    if (box == nullptr) {
        return BST_UNCHECKED;
    }
    switch (box->checkState()) {
    case Qt::Checked: return BST_CHECKED;
    case Qt::PartiallyChecked: return BST_INDETERMINATE;
    default: return BST_UNCHECKED;
    }
}

void CButton::SetCheck(int nCheck)
{
    auto* box = qobject_cast<QCheckBox*>(GetWidget());
    if (box == nullptr) {
        return;
    }
    if (nCheck == BST_INDETERMINATE && box->isTristate()) {
        box->setCheckState(Qt::PartiallyChecked);
    } else {
        box->setCheckState(nCheck != BST_UNCHECKED ? Qt::Checked : Qt::Unchecked);
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
