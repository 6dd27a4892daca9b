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
        // The toolkit reads the patterns from the parentheses, apart; "*.*" means every file here.
        QString patterns = fields[i + 1];
        if (patterns == QStringLiteral("*.*")) {
            patterns = QStringLiteral("*");
        }
        patterns.replace(u';', u' ');
        result << fields[i].section(QStringLiteral(" ("), 0, 0) + QStringLiteral(" (") + patterns + u')';
    }
    return result;
}

std::string TextOrEmpty(LPCSTR text)
{
    if (text == nullptr) {
        return {};
    }
    return text;
}
} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(TextOrEmpty(lpszDefExt)),
      m_strFileName(TextOrEmpty(lpszFileName)), m_dwFlags(dwFlags), m_strFilter(TextOrEmpty(lpszFilter))
{
}

QFileDialog* CFileDialog::CreateFileDialog(QWidget* pParent) { return new QFileDialog(pParent); }

std::string CFileDialog::GetChosenPath(const QString& chosen) const { return QFile::encodeName(chosen).toStdString(); }

INT_PTR CFileDialog::DoModal()
{
    if (!AfxCanCreateWindows()) {
        return IDCANCEL;
    }
    QFileDialog* dialog = CreateFileDialog(ParentWidget());
    // The toolkit's own dialog, the same on every desktop (and answerable by tests).
    // Save As takes any name, as the toolkit's dialog does from the start, and asks before it replaces a file.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (m_bOpenFileDialog) {
        dialog->setWindowTitle(QStringLiteral("Open"));
        dialog->setFileMode(QFileDialog::ExistingFile);
        if ((m_dwFlags & OFN_ALLOWMULTISELECT) != 0) {
            dialog->setFileMode(QFileDialog::ExistingFiles);
        }
    } else {
        dialog->setWindowTitle(QStringLiteral("Save As"));
        dialog->setAcceptMode(QFileDialog::AcceptSave);
    }
    dialog->setDefaultSuffix(QString::fromStdString(m_strDefExt));
    dialog->setNameFilters(NameFilters(m_strFilter));
    dialog->selectFile(QString::fromStdString(m_strFileName));
    INT_PTR result = RunModalWindow(dialog);
    m_pathNames.clear();
    if (result == IDOK) {
        // An accepted dialog has a file chosen.
        for (const QString& chosen : dialog->selectedFiles()) {
            m_pathNames.push_back(AfxFullPath(GetChosenPath(chosen).c_str()));
        }
    }
    DestroyWindow();
    return result;
}

std::string CFileDialog::GetPathName() const
{
    if (m_pathNames.empty()) {
        return {};
    }
    return m_pathNames.front();
}

POSITION CFileDialog::GetStartPosition() const
{
    // A position is the number of the next path, counted from 1.
    if (m_pathNames.empty()) {
        return nullptr;
    }
    return reinterpret_cast<POSITION>(std::uintptr_t{1});
}

std::string CFileDialog::GetNextPathName(POSITION& pos) const
{
    // A null position wraps round to an index past the end.
    const auto index = reinterpret_cast<std::uintptr_t>(pos) - 1;
    pos = nullptr;
    if (index >= m_pathNames.size()) {
        return {};
    }
    if (index + 1 < m_pathNames.size()) {
        pos = reinterpret_cast<POSITION>(index + 2);
    }
    return m_pathNames[index];
}
