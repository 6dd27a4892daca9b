#include "platform/CFontDialog.h"

#include "platform/FontConversion.h"

#include <QFontDialog>

CFontDialog::CFontDialog(LPLOGFONT lplfInitial) : CDialog(0), m_lf(*lplfInitial) {}

INT_PTR CFontDialog::DoModal()
{
    auto* dialog = new QFontDialog(ParentWidget());
    // The toolkit's own widgets everywhere, so that the dialog looks and behaves the same on every desktop.
    dialog->setOption(QFontDialog::DontUseNativeDialog);
    dialog->setWindowTitle(QStringLiteral("Font"));
    // The dialog works in points and turns the pixel size of the LOGFONT's font into them itself.
    dialog->setCurrentFont(LogFontToQFont(m_lf));
    INT_PTR result = RunModalWindow(dialog);
    if (result == IDOK) {
        // The character set is not the dialog's to choose: it passes through.
        m_lf = QFontToLogFont(dialog->selectedFont(), m_lf.lfCharSet);
    }
    DestroyWindow();
    return result;
}
