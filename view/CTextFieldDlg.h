#pragma once
// A dialog of one text field (IDC_FIELD) from its template, with a live line under it that says
// what OK would take and enables OK only while it can (DialogLiveLine.h): "Go to Byte" and "Find".
// m_strText gives the field's first text and, after IDOK, the text confirmed.

#include "platform/CDialog.h"
#include "view/DialogLiveLine.h"

#include <QString>

#include <functional>

class CTextFieldDlg : public CDialog {
public:
    CTextFieldDlg(UINT nIDTemplate, std::function<LiveLineState(const QString&)> preview);

    QString m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    // The field's text, which may hold any character (GetWindowText holds bytes).
    QString FieldText() const;

    CWnd m_editField;
    std::function<LiveLineState(const QString&)> m_preview;
};
