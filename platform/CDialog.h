#pragma once
// A modal dialog built from a registered dialog template (DialogTemplate.h).
// DoModal creates the window and its controls, calls OnInitDialog, runs until
// EndDialog and destroys the window again. The buttons send their control id
// as a command through the message map: IDOK reaches OnOK, IDCANCEL OnCancel.
// Enter presses the default button; Escape and the close box end with IDCANCEL.

#include "platform/CWnd.h"

class QDialog;

// What DoDataExchange receives: the dialog whose controls DDX_Control binds.
struct CDataExchange {
    CWnd* m_pDlgWnd;
};

// Binds the control object to the dialog's control with the id, which goes with the dialog's window.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // The value given to EndDialog, normally IDOK or IDCANCEL; -1 without a registered template.
    virtual INT_PTR DoModal();
    // Ends the modal loop; DoModal returns nResult.
    void EndDialog(int nResult);

protected:
    // Binds the controls (DoDataExchange). TRUE lets the dialog put the focus
    // on the first tab-stop control in template order.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // The widget that the dialog's window belongs to; starts the GUI.
    QWidget* ParentWidget() const;
    // Runs the window, bound to the dialog from now on, modally.
    INT_PTR RunModalWindow(QDialog* window);

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
