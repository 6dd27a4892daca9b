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
#include "view/CTakeTableDlg.h"

namespace {

void Tell(const std::string& text, UINT type) { AfxMessageBox(text.c_str(), type); }

// The values of the table that the user chose; false after a message.
bool ReadChosenTable(const TakeTableChoice& choice, TableValues& values)
{
    if (choice.document != nullptr) {
        values = DocumentValues(*choice.document);
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
    std::vector<CVarnoDoc*> sources;
    if (CWinApp* app = AfxGetApp()) {
        for (CVarnoDoc* document : AllOpenDocuments(*app)) {
            if (document != &target && document->m_pHandler != nullptr && CVarnoDoc::IsCodePageKind(document->m_nKind)) {
                sources.push_back(document);
            }
        }
    }
    TakeTableChoice choice;
    TableValues values;
    if (!CTakeTableDlg::Ask(target, sources, choice) || !ReadChosenTable(choice, values)) {
        return;
    }
    const std::string from = choice.document != nullptr ? choice.document->GetTitle() : AfxGetFileName(choice.file);
    TakeResults results;
    ApplicationEditHistory().Record("Take Table From " + from, {&target},
                                    [&] { results = TakeTable({&target}, values, choice.range); });
    if (!results.Taken()) {
        Tell(target.GetTitle() + " was not changed: " + TakeRefusalReason(results.targets.front()) + ".", MB_ICONSTOP);
        return;
    }
    const int changed = results.targets.front().changedEntries;
    const std::string count = changed == 0 ? "No entry" : StringPrintf("%d %s", changed, changed == 1 ? "entry" : "entries");
    Tell(count + " of " + target.GetTitle() + " changed.", MB_ICONINFORMATION);
}
