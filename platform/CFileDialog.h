#pragma once
// The file dialog for Open and Save As over the toolkit's file dialog. The
// filter is given as the window system writes it: pairs of a description and
// its patterns, each followed by "|" ("Codepage files (*.nls)|*.nls|All Files (*.*)|*.*||").

#include "platform/CDialog.h"

#include <string>

class CFileDialog : public CDialog {
public:
    // lpszDefExt (without the dot) is added to a name typed without an extension
    // when saving; lpszFileName is the proposed file.
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, LPCSTR lpszFilter, CWnd* pParentWnd);

    // IDOK with a file chosen, IDCANCEL otherwise. Where no window can be shown
    // it gives IDCANCEL at once.
    INT_PTR DoModal() override;
    // The chosen file's full path, after IDOK.
    std::string GetPathName() const { return m_strPathName; }

private:
    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFileName;
    std::string m_strFilter;
    std::string m_strPathName;
};
