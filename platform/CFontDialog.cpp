#include "platform/CFontDialog.h"

#include "platform/Display.h"
#include "platform/FontConversion.h"

#include <QFontDialog>

#include <cstring>

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD, CDC*, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bInitial(lplfInitial != nullptr)
{
    if (m_bInitial) {
        m_lf = *lplfInitial;
    }
}

INT_PTR CFontDialog::DoModal()
{
    auto* dialog = new QFontDialog(ParentWidget());
    // The toolkit's own widgets everywhere, so that the dialog looks and behaves the same on every desktop.
    dialog->setOption(QFontDialog::DontUseNativeDialog);
    dialog->setWindowTitle(QStringLiteral("Font"));
    if (m_bInitial) {
        // The dialog works in points; hand it the LOGFONT's pixel size as such.
        QFont initial = LogFontToQFont(m_lf);
        if (initial.pixelSize() > 0) {
            initial.setPointSizeF(initial.pixelSize() * 72.0 / AfxLogicalDpi());
        }
        dialog->setCurrentFont(initial);
    }
    INT_PTR result = RunModalWindow(dialog);
    if (result == IDOK) {
        QFont chosen = dialog->selectedFont();
        // Only what a font describes changes; the character set and the other fields stay.
        const LOGFONT described = QFontToLogFont(chosen, m_lf.lfCharSet);
        m_lf.lfHeight = described.lfHeight;
        m_lf.lfWeight = described.lfWeight;
        m_lf.lfItalic = described.lfItalic;
        m_lf.lfUnderline = described.lfUnderline;
        m_lf.lfStrikeOut = described.lfStrikeOut;
        std::memcpy(m_lf.lfFaceName, described.lfFaceName, sizeof m_lf.lfFaceName);
    }
    DestroyWindow();
    return result;
}
