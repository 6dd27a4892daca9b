#include "platform/CButton.h"

#include <QCheckBox>

int CButton::GetCheck() const
{
    auto* box = qobject_cast<QCheckBox*>(GetWidget());
    if (box != nullptr && box->isChecked()) {
        return BST_CHECKED;
    }
    return BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    if (auto* box = qobject_cast<QCheckBox*>(GetWidget())) {
        box->setChecked(nCheck != BST_UNCHECKED);
    }
}
