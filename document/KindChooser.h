#pragma once
// A file whose name makes no kind is opened as the kind that the application chooses: its
// application object derives from this besides CWinApp. The editor asks the user; varno-table
// takes its --kind. Without a chooser such a file is refused with the message
// CVarnoDoc::UndefinedFormatText.

#include <string>

class KindChooser {
public:
    // The kind (CVarnoDoc::Kind) to open the file at path as; kindUndefined refuses the file
    // without a further word, the chooser having said why, or the user having cancelled.
    virtual int ChooseKind(const std::string& path) = 0;

protected:
    ~KindChooser() = default;
};
