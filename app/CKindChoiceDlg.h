#pragma once
// "Undefined format": the question for a file whose name makes no kind. It names the file and
// the rule by which names make kinds, and offers to open it as one of the four kinds; Cancel
// (or Escape) opens nothing. Built from Qt widgets directly: a button per kind.

#include "platform/CDialog.h"

#include <string>

class CKindChoiceDlg : public CDialog {
public:
    // The kind the user chose for the file at path; CVarnoDoc::kindUndefined on Cancel.
    static int Ask(const std::string& path);

    INT_PTR DoModal() override;

private:
    explicit CKindChoiceDlg(const std::string& path);

    std::string m_path;
    int m_kind;
};
