#pragma once
// "Take Table From": which table the active document, or every open table,
// takes its values from, another open document, a file (a code-page file, a
// GDI module or a mapping text) or a built-in code page, and for which bytes:
// 80-FF unless the user narrows them. Built from Qt widgets directly, since it
// needs lists and choices that the dialog templates do not have.

#include "document/TableTake.h"
#include "platform/CDialog.h"

#include <string>
#include <vector>

class CVarnoDoc;
class QCheckBox;
class QComboBox;
class QDialog;
class QGridLayout;
class QLineEdit;
class QRadioButton;
struct BuiltInCodePage;

struct TakeTableChoice {
    // The open document to take from; null when codePage or file names the table instead.
    CVarnoDoc* document = nullptr;
    // The built-in code page to take from; null when document or file names the table.
    const BuiltInCodePage* codePage = nullptr;
    // The file's full path.
    std::string file;
    ByteRange range;
    // Every open code-page file and GDI module takes the table, not only the active one.
    bool everyOpenTable = false;
};

class CTakeTableDlg : public CDialog {
public:
    // Asks what the target takes, offering the open documents given; false on Cancel.
    static bool Ask(const CVarnoDoc& target, const std::vector<CVarnoDoc*>& openDocuments, TakeTableChoice& choice);

    INT_PTR DoModal() override;

protected:
    // Takes the fields when they name a source and a range; otherwise says what is missing and stays open.
    void OnOK() override;

private:
    CTakeTableDlg(const CVarnoDoc& target, const std::vector<CVarnoDoc*>& openDocuments);
    // The three kinds of source, each a choice with its list or field, in rows 1 to 3.
    void AddSources(QDialog& window, QGridLayout& grid);
    void Browse();

    const CVarnoDoc& m_target;
    std::vector<CVarnoDoc*> m_openDocuments;
    TakeTableChoice m_choice;
    // The window's controls, while it is shown.
    QRadioButton* m_fromOpen = nullptr;
    QComboBox* m_document = nullptr;
    QRadioButton* m_fromFile = nullptr;
    QLineEdit* m_file = nullptr;
    QRadioButton* m_fromCodePage = nullptr;
    QComboBox* m_codePage = nullptr;
    QCheckBox* m_everyOpen = nullptr;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_last = nullptr;
};
