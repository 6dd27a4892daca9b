// varno-table tables: every code-page table of each GDI module, one line each.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/GdiTableLines.h"
#include "cli/OptionChecks.h"
#include "document/CVarnoDoc.h"
#include "document/TableListing.h"
#include "tables/CGdiTableHandler.h"

#include <memory>

namespace {

struct TablesOptions {
    bool json = false;
    std::vector<std::string> files;
};

std::string TablesText(const std::string& file, const CGdiTableHandler& handler)
{
    std::string out;
    for (std::size_t index = 0; index < handler.Tables().size(); ++index) {
        out += file + ": " + GdiTableText(handler, index) + "\n";
    }
    return out;
}

std::string TablesJson(const std::string& file, const CGdiTableHandler& handler)
{
    std::string out = "{\"file\":" + JsonString(file) + ",\"tables\":[";
    for (std::size_t index = 0; index < handler.Tables().size(); ++index) {
        out += (index == 0 ? "" : ",") + GdiTableJson(handler, index);
    }
    return out + "]}\n";
}

int Tables(CVarnoTableApp& app, const TablesOptions& options)
{
    for (const std::string& file : options.files) {
        CVarnoDoc* document = app.Open(file);
        if (document == nullptr) {
            continue;
        }
        if (document->m_nKind != CVarnoDoc::kindGdiModule) {
            app.Error(file, "tables takes GDI modules; " + KindOrigin(document->m_nKind, document->m_bKindChosen));
            continue;
        }
        const auto& handler = static_cast<const CGdiTableHandler&>(*document->m_pHandler);
        app.Print(options.json ? TablesJson(ShownText(file), handler) : TablesText(ShownText(file), handler));
    }
    return app.HadError() ? CVarnoTableApp::kExitError : CVarnoTableApp::kExitOk;
}

} // namespace

Command AddTablesCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto options = std::make_shared<TablesOptions>();
    CLI::App* tables = cli.add_subcommand(
        "tables", "List the code-page tables of each GDI module, one line each: number, offset, the built-in code "
                  "page it matches best, resource number; \"default\" marks the table that the other commands use "
                  "unless told another.");
    tables->add_flag("--json", options->json, "One JSON object per file, one per line");
    tables->add_option("FILE", options->files, "GDI modules")->required();
    app.AddKindOption(*tables);
    tables->footer(Example("varno-table tables gdi.exe"));
    return {tables, [&app, options] { return Tables(app, *options); }};
}
