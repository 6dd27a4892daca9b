// varno-table check: the entries of NT and 9x files that do not map back to their byte.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/CVarnoDoc.h"
#include "document/StringPrintf.h"
#include "document/TableListing.h"

#include <memory>

namespace {

int Check(CVarnoTableApp& app, const std::vector<std::string>& files)
{
    bool inconsistent = false;
    for (const std::string& file : files) {
        CVarnoDoc* document = app.Open(file);
        if (document == nullptr) {
            continue;
        }
        if (!HasReverseTable(document->m_nKind)) {
            app.Error(file, "check takes NT and 9x code-page files; "
                                + KindOrigin(document->m_nKind, document->m_bKindChosen));
            continue;
        }
        for (const CharEntry& entry : InconsistentEntries(ListTable(*document))) {
            app.Print(ShownText(file)
                      + StringPrintf(": %02X %04X maps back to %02X\n", entry.byte, entry.unicode, entry.back));
            inconsistent = true;
        }
    }
    if (app.HadError()) {
        return CVarnoTableApp::kExitError;
    }
    return inconsistent ? CVarnoTableApp::kExitInconsistent : CVarnoTableApp::kExitOk;
}

} // namespace

Command AddCheckCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto files = std::make_shared<std::vector<std::string>>();
    CLI::App* check = cli.add_subcommand(
        "check", "List the entries 80-FF of NT and 9x code-page files that do not map back to their byte.\n"
                 "Exit status 0 when none, 1 when some, 2 on an error.");
    check->add_option("FILE", *files, "NT or 9x code-page files")->required();
    app.AddKindOption(*check);
    check->footer(Example("varno-table check /srv/nls/c_*.nls /srv/nls/cp_*.nls"));
    return {check, [&app, files] { return Check(app, *files); }};
}
