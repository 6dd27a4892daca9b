#pragma once
// Window > More Windows: every document window of the client area in a list, for the windows
// beyond the nine that the Window menu numbers. Enter, a double click or OK takes the window
// chosen; the active one is chosen as the list opens.

#include "platform/CDialog.h"

#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

class CMoreWindowsDialog : public CDialog {
public:
    CMoreWindowsDialog(QMdiArea* area, CWnd* pParentWnd);

    // IDOK once a window was chosen (m_pChosen), else IDCANCEL.
    INT_PTR DoModal() override;

    // The window chosen; null when it has gone meanwhile.
    QPointer<QMdiSubWindow> m_pChosen;

private:
    QMdiArea* m_area;
};
