#include "platform/CFileDialog.h"

#include "platform/Display.h"
#include "platform/FilePath.h"

#include <QFileDialog>

#include <vector>

namespace {
// The filter in the toolkit's form: "Codepage files (*.nls);;All Files (*)".
std::string ToolkitFilter(LPCSTR lpszFilter)
{
    std::vector<std::string> fields;
    std::string field;
    for (const char* p = lpszFilter != nullptr ? lpszFilter : ""; *p != '\0'; ++p) {
        if (*p == '|') {
            fields.push_back(field);
            field.clear();
        } else {
            field += *p;
        }
    }
    std::string result;
    for (std::size_t i = 0; i + 1 < fields.size() && !fields[i].empty(); i += 2) {
        // The toolkit reads the patterns from the parentheses; "*.*" means every file here.
        std::string description = fields[i].substr(0, fields[i].find(" ("));
        std::string patterns;
        std::string pattern;
        for (char ch : fields[i + 1] + ';') {
            if (ch != ';') {
                pattern += ch;
                continue;
            }
            if (!pattern.empty()) {
                patterns += (patterns.empty() ? "" : " ") + (pattern == "*.*" ? std::string("*") : pattern);
            }
            pattern.clear();
        }
        result += (result.empty() ? "" : ";;") + description + " (" + patterns + ")";
    }
    return result;
}
} // namespace

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_dwFlags(dwFlags),
      m_strDefExt(lpszDefExt != nullptr ? lpszDefExt : ""), m_strFileName(lpszFileName != nullptr ? lpszFileName : ""),
      m_strFilter(lpszFilter != nullptr ? lpszFilter : "")
{
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal()
{
    if (!AfxHasDisplay() && !AfxHasModalDialogHook()) {
        return IDCANCEL;
    }
    auto* dialog = new QFileDialog(ParentWidget());
    // The toolkit's own dialog, the same on every desktop (and answerable by tests).
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setWindowTitle(m_bOpenFileDialog ? QStringLiteral("Open") : QStringLiteral("Save As"));
    dialog->setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(m_bOpenFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, (m_dwFlags & OFN_OVERWRITEPROMPT) == 0);
    if (!m_strDefExt.empty()) {
        dialog->setDefaultSuffix(QString::fromStdString(m_strDefExt));
    }
    const std::string filter = ToolkitFilter(m_strFilter.c_str());
    if (!filter.empty()) {
        dialog->setNameFilter(QString::fromStdString(filter));
    }
    if (!m_strFileName.empty()) {
        dialog->selectFile(QString::fromStdString(m_strFileName));
    }
    INT_PTR result = RunModalWindow(dialog);
    if (result == IDOK) {
        const QStringList files = dialog->selectedFiles();
        if (files.isEmpty()) {
            result = IDCANCEL;
        } else {
            m_strPathName = AfxFullPath(files.front().toStdString().c_str());
        }
    }
    DestroyWindow();
    return result;
}
