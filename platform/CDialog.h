#pragma once
// A modal dialog built from a registered dialog template (DialogTemplate.h).
// DoModal creates the window and its controls, calls OnInitDialog, runs until
// EndDialog and destroys the window again. The buttons send their control id
// as a command through the message map: IDOK reaches OnOK, IDCANCEL OnCancel;
// Escape and the close box send IDCANCEL, Enter presses the default button.

#include "platform/CDataExchange.h"
#include "platform/CWnd.h"

#include <functional>
#include <memory>

struct AfxDialogTemplate;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // The value given to EndDialog, normally IDOK or IDCANCEL; -1 when the
    // template is not registered or the window could not be run.
    virtual INT_PTR DoModal();
    // Ends the modal loop; DoModal returns nResult. Also valid within OnInitDialog.
    void EndDialog(int nResult);

    // A window object for the control with the id, valid while the dialog's
    // window exists; null when there is no such control.
    CWnd* GetDlgItem(int nID) const;
    // Runs DoDataExchange in the given direction; TRUE when it succeeded.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    // Binds the controls and shows the members (UpdateData(FALSE)). TRUE lets
    // the dialog put the focus on the first tab-stop control in template order.
    virtual BOOL OnInitDialog();
    // Takes the values back (UpdateData(TRUE)) and ends with IDOK.
    virtual void OnOK();
    // Ends with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // Shared by DoModal overrides that build their own window: runs the window
    // modally, calls the test hook, and returns the result of EndDialog (or -1).
    INT_PTR RunModalLoop();
    // Records the result without touching the window; for windows that end themselves.
    void SetModalResult(int nResult);
    CWnd* GetParentWnd() const { return m_pParentWnd; }

    DECLARE_MESSAGE_MAP()

private:
    void BuildControls(const AfxDialogTemplate& dialogTemplate);
    void SetInitialFocus();
    void DestroyDialogWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    struct Controls;
    std::unique_ptr<Controls> m_controls;
    int m_nModalResult = -1;
    bool m_bEnded = false;
};

// Lets tests (and only tests) answer modal dialogs through their real widgets.
// The hook runs once the dialog is shown, active and initialised; it should end
// the dialog (click OK or Cancel, press Enter or Escape). A dialog that it
// leaves open is ended with -1, so a faulty test fails instead of hanging.
// Also called for CFontDialog, whose GetWidget() is a QFontDialog. Returns the
// previous hook; an empty hook restores normal interaction.
using AfxModalDialogHook = std::function<void(CDialog& dialog)>;
AfxModalDialogHook AfxSetModalDialogHook(AfxModalDialogHook hook);
// Whether a test answers modal dialogs.
bool AfxHasModalDialogHook();
