#include "platform/CFontDialog.h"

#include "platform/Display.h"
#include "platform/FontConversion.h"

#include <QFontDialog>

CFontDialog::CFontDialog(LPLOGFONT lplfInitial) : CDialog(0), m_lf(*lplfInitial) {}

INT_PTR CFontDialog::DoModal()
{
    auto* dialog = new QFontDialog(ParentWidget());
    // The toolkit's own widgets everywhere, so that the dialog looks and behaves the same on every desktop.
    dialog->setOption(QFontDialog::DontUseNativeDialog);
    dialog->setWindowTitle(QStringLiteral("Font"));
    // The dialog works in points; hand it the LOGFONT's pixel size as such.
    QFont initial = LogFontToQFont(m_lf);
    if (initial.pixelSize() > 0) {
        initial.setPointSizeF(initial.pixelSize() * 72.0 / AfxLogicalDpi());
    }
    dialog->setCurrentFont(initial);
    INT_PTR result = RunModalWindow(dialog);
    if (result == IDOK) {
        // The character set is not the dialog's to choose: it passes through.
        m_lf = QFontToLogFont(dialog->selectedFont(), m_lf.lfCharSet);
    }
    DestroyWindow();
    return result;
}
