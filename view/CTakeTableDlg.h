#pragma once
// "Take Table From": which table the active document takes its values from,
// another open document or a file (a code-page file, a GDI module or a mapping
// text), and for which bytes: 80-FF unless the user narrows them. Built from
// Qt widgets directly, since it needs a list and two choices that the dialog
// templates do not have.

#include "document/TableTake.h"
#include "platform/CDialog.h"

#include <string>
#include <vector>

class CVarnoDoc;
class QComboBox;
class QLineEdit;
class QRadioButton;

struct TakeTableChoice {
    // The open document to take from; null when file names the table instead.
    CVarnoDoc* document = nullptr;
    // The file's full path.
    std::string file;
    ByteRange range;
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
    void Browse();

    const CVarnoDoc& m_target;
    std::vector<CVarnoDoc*> m_openDocuments;
    TakeTableChoice m_choice;
    // The window's controls, while it is shown.
    QRadioButton* m_fromOpen = nullptr;
    QComboBox* m_document = nullptr;
    QRadioButton* m_fromFile = nullptr;
    QLineEdit* m_file = nullptr;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_last = nullptr;
};
