#pragma once
// The file dialog for Open and Save As over the toolkit's file dialog. The
// filter is given as the window system writes it: pairs of a description and
// its patterns (";" between several), each followed by "|"
// ("Codepage files (*.nls)|*.nls|All Files (*.*)|*.*||").

#include "platform/CDialog.h"
#include "platform/Position.h"

#include <string>
#include <vector>

class QFileDialog;
class QString;

// Open lets several files be chosen at once.
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;

class CFileDialog : public CDialog {
public:
    // lpszDefExt (without the dot) is added to a name typed without an extension;
    // lpszFileName is the proposed file; of the flags only OFN_ALLOWMULTISELECT counts.
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                CWnd* pParentWnd);

    // IDOK with a file chosen, IDCANCEL otherwise. Where no window can be shown
    // it gives IDCANCEL at once.
    INT_PTR DoModal() override;
    // The chosen file's full path, after IDOK: the first when there are several.
    std::string GetPathName() const;
    // Every chosen file in turn: GetNextPathName gives the path at the position and moves it on.
    POSITION GetStartPosition() const;
    std::string GetNextPathName(POSITION& pos) const;

protected:
    // The toolkit's dialog that DoModal sets up and runs.
    virtual QFileDialog* CreateFileDialog(QWidget* pParent);
    // The path of a file chosen in that dialog, which names it as text.
    virtual std::string GetChosenPath(const QString& chosen) const;

private:
    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFileName;
    DWORD m_dwFlags;
    std::string m_strFilter;
    std::vector<std::string> m_pathNames;
};
