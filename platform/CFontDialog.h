#pragma once
// The font selection dialog: starts from a LOGFONT and, after IDOK, holds the
// chosen font in m_lf. Runs the toolkit's own font dialog, which always offers
// the effects (underline, strike-out); colour is not offered.

#include "platform/CDialog.h"
#include "platform/LogFont.h"

class CFontDialog : public CDialog {
public:
    // The dialog opens with *lplfInitial selected.
    explicit CFontDialog(LPLOGFONT lplfInitial);

    // IDOK after a font was chosen, IDCANCEL otherwise (m_lf then unchanged).
    INT_PTR DoModal() override;

    // The chosen font; its character set is the initial one, passed through.
    LOGFONT m_lf;
};
