#include "view/TakeTableCommand.h"

#include "document/CVarnoDoc.h"
#include "document/EditHistory.h"
#include "document/PropagateCharChange.h"
#include "document/SourceTable.h"
#include "document/StringPrintf.h"
#include "document/TableTake.h"
#include "platform/CWinApp.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"
#include "tables/BuiltInCodePages.h"
#include "view/CTakeTableDlg.h"

#include <cctype>

namespace {

void Tell(const std::string& text, UINT type) { AfxMessageBox(text.c_str(), type); }

// The values of the table that the user chose; false after a message.
bool ReadChosenTable(const TakeTableChoice& choice, TableValues& values)
{
    if (choice.document != nullptr) {
        values = DocumentValues(*choice.document);
        return true;
    }
    if (choice.codePage != nullptr) {
        values = CodePageValues(*choice.codePage);
        return true;
    }
    const SourceTable source = ReadSourceTable(choice.file);
    if (source.outcome == SourceTable::notCodePage) {
        Tell(choice.file + " is a keyboard layout. A table is taken from a code-page file, a GDI module or a mapping text.",
             MB_ICONSTOP);
    } else if (!source.error.empty()) {
        Tell("Cannot read the table " + choice.file + ":\n" + source.error + ".", MB_ICONSTOP);
    }
    values = source.values;
    return source.outcome == SourceTable::read;
}

std::string SourceName(const TakeTableChoice& choice)
{
    if (choice.document != nullptr) {
        return choice.document->GetTitle();
    }
    return choice.codePage != nullptr ? choice.codePage->name : AfxGetFileName(choice.file);
}

// The open code-page files and GDI modules, but not source.
std::vector<CVarnoDoc*> OpenTablesBut(const CVarnoDoc* source)
{
    std::vector<CVarnoDoc*> tables;
    if (CWinApp* app = AfxGetApp()) {
        for (CVarnoDoc* document : AllOpenDocuments(*app)) {
            if (document != source && document->m_pHandler != nullptr && CVarnoDoc::IsCodePageKind(document->m_nKind)) {
                tables.push_back(document);
            }
        }
    }
    return tables;
}

// "128 entries of c_1252.nls and no entry of gdi.exe changed."
std::string ChangedEntries(const std::vector<CVarnoDoc*>& targets, const TakeResults& results)
{
    std::string text;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const int changed = results.targets[i].changedEntries;
        const std::string count = changed == 0 ? "no entry" : StringPrintf("%d %s", changed, changed == 1 ? "entry" : "entries");
        const char* separator = i == 0 ? "" : i + 1 == targets.size() ? " and " : ", ";
        text += separator + count + " of " + targets[i]->GetTitle();
    }
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + " changed.";
}

} // namespace

void TakeTableInto(CVarnoDoc& target)
{
    if (!CVarnoDoc::IsCodePageKind(target.m_nKind) || target.m_pHandler == nullptr) {
        const char* what = target.m_nKind == CVarnoDoc::kindKeyboard ? " is a keyboard layout." : " holds no table.";
        Tell("Only code-page files and GDI modules take a table; " + target.GetTitle() + what, MB_ICONSTOP);
        return;
    }
    // A table kept for reference changes by no edit.
    if (target.m_bReferenceOnly) {
        Tell(AfxGetFileName(target.GetPathName()) + " is open for reference only; Edit > Reference Only lets it change.",
             MB_ICONSTOP);
        return;
    }
    TakeTableChoice choice;
    TableValues values;
    if (!CTakeTableDlg::Ask(target, OpenTablesBut(&target), choice) || !ReadChosenTable(choice, values)) {
        return;
    }
    std::vector<CVarnoDoc*> targets = {&target};
    if (choice.everyOpenTable) {
        targets = OpenTablesBut(choice.document);
        std::erase_if(targets, [](const CVarnoDoc* document) { return document->m_bReferenceOnly; });
    }
    TakeResults results;
    ApplicationEditHistory().Record("Take Table From " + SourceName(choice), targets,
                                    [&] { results = TakeTable(targets, values, choice.range); });
    if (!results.Taken()) {
        const std::string others = targets.size() > 1 ? "\nNo other open file was changed either." : "";
        Tell(targets[*results.refused]->GetTitle() + " was not changed: " + TakeRefusalReason(results.targets[*results.refused])
                 + "." + others,
             MB_ICONSTOP);
        return;
    }
    Tell(ChangedEntries(targets, results), MB_ICONINFORMATION);
}
