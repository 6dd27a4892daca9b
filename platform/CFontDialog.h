#pragma once
// The font selection dialog: starts from a LOGFONT and, after IDOK, holds the
// chosen font in m_lf. Runs the toolkit's own font dialog, which always offers
// the effects (underline, strike-out); colour is not offered.

#include "platform/CDialog.h"
#include "platform/LogFont.h"

class CDC;

// The flags say what the dialog offers; it always offers the same.
enum : DWORD { CF_SCREENFONTS = 0x00000001, CF_EFFECTS = 0x00000100 };

class CFontDialog : public CDialog {
public:
    // The dialog opens with *lplfInitial selected when given (a copy is kept in m_lf).
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK after a font was chosen, IDCANCEL otherwise (m_lf then unchanged).
    INT_PTR DoModal() override;

    // The chosen font; its character set is the initial one, passed through.
    LOGFONT m_lf{};

private:
    bool m_bInitial;
};
