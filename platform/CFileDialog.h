#pragma once
// The file dialog for Open and Save As over the toolkit's file dialog. The
// filter is given as the window system writes it: pairs of a description and
// its patterns, each followed by "|" ("Codepage files (*.nls)|*.nls|All Files (*.*)|*.*||").

#include "platform/CDialog.h"

#include <string>

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

class CFileDialog : public CDialog {
public:
    // lpszDefExt (without the dot) is added to a name typed without an extension
    // when saving; lpszFileName is the proposed file.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // IDOK with a file chosen, IDCANCEL otherwise. With nobody to answer it (no
    // display and no test hook) it is not shown and gives IDCANCEL.
    INT_PTR DoModal() override;
    // The chosen file's full path, after IDOK.
    std::string GetPathName() const { return m_strPathName; }

private:
    BOOL m_bOpenFileDialog;
    DWORD m_dwFlags;
    std::string m_strDefExt;
    std::string m_strFileName;
    std::string m_strFilter;
    std::string m_strPathName;
};
