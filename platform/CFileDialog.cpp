#include "platform/CFileDialog.h"

#include "platform/Display.h"
#include "platform/FilePath.h"

#include <QFile>
#include <QFileDialog>

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {
// The filter in the toolkit's form: "Codepage files (*.nls)", "All Files (*)".
QStringList NameFilters(const std::string& filter)
{
    const QStringList fields = QString::fromStdString(filter).split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < fields.size() && !fields[i].isEmpty(); i += 2) {
        // The toolkit reads the patterns from the parentheses, apart; "*.*" means every file here.
        QString patterns = fields[i + 1] == QStringLiteral("*.*") ? QStringLiteral("*") : fields[i + 1];
        patterns.replace(u';', u' ');
        result << fields[i].section(QStringLiteral(" ("), 0, 0) + QStringLiteral(" (") + patterns + u')';
    }
    return result;
}

bool Exists(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool IsFile(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

// The entry of the folder whose name the toolkit shows as name; empty unless exactly one does.
std::string EntryShownAs(const std::string& folder, const QString& name)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(folder.empty() ? "/" : folder.c_str()), ::closedir);
    std::string found;
    int matches = 0;
    while (entries != nullptr) {
        const dirent* entry = ::readdir(entries.get());
        if (entry == nullptr) {
            break;
        }
        if (QFile::decodeName(entry->d_name) == name) {
            found = entry->d_name;
            ++matches;
        }
    }
    return matches == 1 ? found : std::string();
}

// The toolkit decodes file names as UTF-8 and cannot give back bytes that are not: each
// step of the chosen path is taken as it is where it exists, else as the one entry of its
// folder that shows as it.
std::string FileSystemPath(const QString& chosen)
{
    std::string path;
    for (const QString& step : chosen.split(u'/', Qt::SkipEmptyParts)) {
        std::string next = path + "/" + QFile::encodeName(step).toStdString();
        if (!Exists(next)) {
            if (const std::string entry = EntryShownAs(path, step); !entry.empty()) {
                next = path + "/" + entry;
            }
        }
        path = next;
    }
    return path;
}

// The toolkit's dialog, which would report a file whose name is not UTF-8 as missing: for
// Open, files found as FileSystemPath finds them are taken as they are.
class OpenFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        const bool found =
            std::ranges::all_of(chosen, [](const QString& file) { return IsFile(FileSystemPath(file)); });
        if (acceptMode() == AcceptOpen && !chosen.isEmpty() && found) {
            QDialog::accept();
            return;
        }
        // Folders are entered and missing files reported as the toolkit does.
        QFileDialog::accept();
    }
};
} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt != nullptr ? lpszDefExt : ""),
      m_strFileName(lpszFileName != nullptr ? lpszFileName : ""), m_dwFlags(dwFlags),
      m_strFilter(lpszFilter != nullptr ? lpszFilter : "")
{
}

INT_PTR CFileDialog::DoModal()
{
    if (!AfxCanCreateWindows()) {
        return IDCANCEL;
    }
    auto* dialog = new OpenFileDialog(ParentWidget());
    // The toolkit's own dialog, the same on every desktop (and answerable by tests).
    // Save As asks before it replaces a file.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setWindowTitle(m_bOpenFileDialog ? QStringLiteral("Open") : QStringLiteral("Save As"));
    dialog->setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    if (m_bOpenFileDialog) {
        mode = (m_dwFlags & OFN_ALLOWMULTISELECT) != 0 ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile;
    }
    dialog->setFileMode(mode);
    dialog->setDefaultSuffix(QString::fromStdString(m_strDefExt));
    dialog->setNameFilters(NameFilters(m_strFilter));
    if (!m_strFileName.empty()) {
        dialog->selectFile(QString::fromStdString(m_strFileName));
    }
    INT_PTR result = RunModalWindow(dialog);
    m_pathNames.clear();
    if (result == IDOK) {
        // An accepted dialog has a file chosen.
        for (const QString& chosen : dialog->selectedFiles()) {
            const std::string path = m_bOpenFileDialog ? FileSystemPath(chosen) : chosen.toStdString();
            m_pathNames.push_back(AfxFullPath(path.c_str()));
        }
    }
    DestroyWindow();
    return result;
}

POSITION CFileDialog::GetStartPosition() const
{
    // A position is the number of the next path, counted from 1.
    return m_pathNames.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

std::string CFileDialog::GetNextPathName(POSITION& pos) const
{
    const auto index = reinterpret_cast<std::uintptr_t>(pos) - 1;
    if (pos == nullptr || index >= m_pathNames.size()) {
        pos = nullptr;
        return {};
    }
    pos = index + 1 < m_pathNames.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    return m_pathNames[index];
}
