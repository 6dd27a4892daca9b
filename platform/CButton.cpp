#include "platform/CButton.h"

#include <QCheckBox>

int CButton::GetCheck() const
{
    auto* box = qobject_cast<QCheckBox*>(GetWidget());
    return box != nullptr && box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    if (auto* box = qobject_cast<QCheckBox*>(GetWidget())) {
        box->setChecked(nCheck != BST_UNCHECKED);
    }
}
