// varno-table export: the whole table of a code-page file or GDI module as a mapping text.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/CVarnoDoc.h"
#include "document/TableListing.h"

#include <memory>

namespace {

int Export(CVarnoTableApp& app, const std::string& file)
{
    CVarnoDoc* document = app.Open(file);
    if (document == nullptr) {
        return CVarnoTableApp::kExitError;
    }
    if (!CVarnoDoc::IsCodePageKind(document->m_nKind)) {
        app.Error(file, "export takes code-page files and GDI modules; "
                            + KindOrigin(document->m_nKind, document->m_bKindChosen));
        return CVarnoTableApp::kExitError;
    }
    app.Print(FormatMapping(*document));
    return CVarnoTableApp::kExitOk;
}

} // namespace

Command AddExportCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto file = std::make_shared<std::string>();
    CLI::App* exportTable = cli.add_subcommand(
        "export",
        "Print the whole table of a code-page file or GDI module as a mapping text, 0x00-0xFF (0xC0<TAB>0x0410).");
    app.AddTableOption(*exportTable);
    exportTable->add_option("FILE", *file, "Code-page file or GDI module")->required();
    app.AddKindOption(*exportTable);
    exportTable->footer(Example("varno-table export c_1251.nls > CP1251.TXT"));
    return {exportTable, [&app, file] { return Export(app, *file); }};
}
