#include "app/COpenFileDialog.h"

#include <QFile>
#include <QFileDialog>

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

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
    std::string opened = folder;
    if (opened.empty()) {
        opened = "/";
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(opened.c_str()), ::closedir);
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
    if (matches != 1) {
        return {};
    }
    return found;
}

// Each step of the chosen path is taken as it is where it exists, else as the one entry
// of its folder that shows as it.
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

// The toolkit's dialog, which would report a file whose name is not UTF-8 as missing: files
// found as FileSystemPath finds them are taken as they are.
class ByteNameFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        const bool found =
            std::ranges::all_of(chosen, [](const QString& file) { return IsFile(FileSystemPath(file)); });
        if (!chosen.isEmpty() && found) {
            QDialog::accept();
            return;
        }
        // Folders are entered and missing files reported as the toolkit does.
        QFileDialog::accept();
    }
};

} // namespace

COpenFileDialog::COpenFileDialog(LPCSTR lpszDefExt, DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(TRUE, lpszDefExt, nullptr, dwFlags, lpszFilter, pParentWnd)
{
}

QFileDialog* COpenFileDialog::CreateFileDialog(QWidget* pParent) { return new ByteNameFileDialog(pParent); }

std::string COpenFileDialog::GetChosenPath(const QString& chosen) const { return FileSystemPath(chosen); }
