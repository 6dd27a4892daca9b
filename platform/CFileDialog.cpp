#include "platform/CFileDialog.h"

#include "platform/Display.h"
#include "platform/FilePath.h"

#include <QFileDialog>

namespace {
// The filter in the toolkit's form: "Codepage files (*.nls)", "All Files (*)".
QStringList NameFilters(const std::string& filter)
{
    const QStringList fields = QString::fromStdString(filter).split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < fields.size() && !fields[i].isEmpty(); i += 2) {
        // The toolkit reads the pattern from the parentheses; "*.*" means every file here.
        const QString pattern = fields[i + 1] == QStringLiteral("*.*") ? QStringLiteral("*") : fields[i + 1];
        result << fields[i].section(QStringLiteral(" ("), 0, 0) + QStringLiteral(" (") + pattern + u')';
    }
    return result;
}
} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, LPCSTR lpszFilter,
                         CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt != nullptr ? lpszDefExt : ""),
      m_strFileName(lpszFileName != nullptr ? lpszFileName : ""), m_strFilter(lpszFilter != nullptr ? lpszFilter : "")
{
}

INT_PTR CFileDialog::DoModal()
{
    if (!AfxCanCreateWindows()) {
        return IDCANCEL;
    }
    auto* dialog = new QFileDialog(ParentWidget());
    // The toolkit's own dialog, the same on every desktop (and answerable by tests).
    // Save As asks before it replaces a file.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setWindowTitle(m_bOpenFileDialog ? QStringLiteral("Open") : QStringLiteral("Save As"));
    dialog->setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(m_bOpenFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QString::fromStdString(m_strDefExt));
    dialog->setNameFilters(NameFilters(m_strFilter));
    if (!m_strFileName.empty()) {
        dialog->selectFile(QString::fromStdString(m_strFileName));
    }
    INT_PTR result = RunModalWindow(dialog);
    if (result == IDOK) {
        // An accepted dialog has a file chosen.
        m_strPathName = AfxFullPath(dialog->selectedFiles().value(0).toStdString().c_str());
    }
    DestroyWindow();
    return result;
}
