#include "view/CTextFieldDlg.h"

#include "res/Resource.h"

#include <QLineEdit>

CTextFieldDlg::CTextFieldDlg(UINT nIDTemplate, std::function<LiveLineState(const QString&)> preview)
    : CDialog(nIDTemplate), m_preview(std::move(preview))
{
}

void CTextFieldDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIELD, m_editField);
}

QString CTextFieldDlg::FieldText() const
{
    const auto* edit = qobject_cast<const QLineEdit*>(m_editField.GetWidget());
    return edit != nullptr ? edit->text() : QString();
}

BOOL CTextFieldDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* edit = qobject_cast<QLineEdit*>(m_editField.GetWidget())) {
        edit->setText(m_strText);
        edit->selectAll();
    }
    // Room for a character's longest name (83 letters) with what precedes it.
    AddLiveLine(*this, {&m_editField}, 3, [this] { return m_preview(FieldText()); });
    return TRUE;
}

void CTextFieldDlg::OnOK()
{
    m_strText = FieldText();
    CDialog::OnOK();
}
