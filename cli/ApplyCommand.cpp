// varno-table apply: a range of bytes in every file takes the values of a reference table.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "document/SourceTable.h"
#include "document/StringPrintf.h"
#include "document/TableListing.h"
#include "document/TableTake.h"
#include "tables/BuiltInCodePages.h"

#include <algorithm>
#include <memory>

namespace {

struct ApplyOptions {
    std::string source;
    std::string codePage;
    // Given on the command line, even as an empty text: exactly one of the two.
    const CLI::Option* from = nullptr;
    const CLI::Option* builtIn = nullptr;
    std::string range = "80-FF";
    bool dryRun = false;
    std::vector<std::string> files;
};

// "80-FF": two hexadecimal bytes, the ends of the range.
std::optional<ByteRange> ParseByteRange(const std::string& text)
{
    std::size_t dash = text.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    std::optional<unsigned> first = ParseHexArgument(text.substr(0, dash), 0xFF);
    std::optional<unsigned> last = ParseHexArgument(text.substr(dash + 1), 0xFF);
    if (!first || !last) {
        return std::nullopt;
    }
    return ByteRange{*first, *last};
}

// The reference table that --from or --codepage names; false after an error (reported).
bool ReadReference(CVarnoTableApp& app, const ApplyOptions& options, TableValues& values)
{
    if ((options.from->count() > 0) == (options.builtIn->count() > 0)) {
        app.Error({}, "name the reference table with either --from TABLE or --codepage NAME");
        return false;
    }
    if (options.from->count() > 0) {
        return app.ReadTableValues(options.source, "apply --from", values, false);
    }
    const BuiltInCodePage* codePage = FindBuiltInCodePage(options.codePage);
    if (codePage == nullptr) {
        app.Error({}, "--codepage: no built-in code page is named '" + options.codePage
                          + "'; varno-table apply --help lists them");
        return false;
    }
    values = CodePageValues(*codePage);
    return true;
}

int Apply(CVarnoTableApp& app, const ApplyOptions& options)
{
    const std::string& rangeText = options.range;
    std::optional<ByteRange> range = ParseByteRange(rangeText);
    if (!range) {
        app.Error({}, "--range: expected two hexadecimal bytes such as 80-FF, got '" + rangeText + "'");
        return CVarnoTableApp::kExitError;
    }
    if (range->first > range->last) {
        app.Error({}, "--range: the ends of '" + rangeText + "' are reversed; "
                          + StringPrintf("write %02X-%02X", range->last, range->first));
        return CVarnoTableApp::kExitError;
    }
    TableValues values;
    if (!ReadReference(app, options, values)) {
        return CVarnoTableApp::kExitError;
    }
    // Every file opened first: one that cannot be opened stops the change before anything is touched.
    std::vector<CVarnoDoc*> documents;
    std::vector<std::string> names;
    for (const std::string& file : options.files) {
        CVarnoDoc* document = app.Open(file);
        if (document != nullptr && !CVarnoDoc::IsCodePageKind(document->m_nKind)) {
            app.Error(file, "apply takes code-page files and GDI modules; "
                                + KindOrigin(document->m_nKind, document->m_bKindChosen));
        } else if (document != nullptr && std::find(documents.begin(), documents.end(), document) == documents.end()) {
            documents.push_back(document); // a file named twice is open once
            names.push_back(file);
        }
    }
    if (app.HadError()) {
        return CVarnoTableApp::kExitError;
    }

    return app.EditAndWrite(documents, names, options.dryRun, [&] {
        const TakeResults results = TakeTable(documents, values, *range);
        if (results.refused) {
            app.Error(names[*results.refused], TakeRefusalReason(results.targets[*results.refused]) + "; no file was changed");
        }
        return results.Taken();
    });
}

} // namespace

Command AddApplyCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto options = std::make_shared<ApplyOptions>();
    CLI::App* apply = cli.add_subcommand(
        "apply", "Give the bytes of a range of each file the values of a reference table: a mapping text as export "
                 "prints it (- for standard input), a code-page file or GDI module, or a built-in code page. A byte "
                 "that the table leaves undefined keeps its value. All files are written, or none.");
    options->from = apply->add_option("--from", options->source, "The reference table, always a file (- for standard input)")
                        ->type_name("TABLE");
    options->builtIn = apply->add_option("--codepage", options->codePage,
                                         "Instead of --from, a built-in code page with the values of its published mapping "
                                         "table, by name (or alias: cp1251, latin-2, koi8r) in any case: "
                                             + CodePageNames())
                           ->type_name("NAME");
    apply->add_option("--range", options->range, "The bytes to take, LO-HI in hexadecimal")->capture_default_str();
    app.AddTableOption(*apply);
    apply->add_flag("--dry-run", options->dryRun, "Tell what would change, write nothing");
    apply->add_option("FILE", options->files, "NT and 9x code-page files and GDI modules")->required();
    app.AddKindOption(*apply);
    apply->footer(Example("varno-table apply --codepage windows-1251 --dry-run c_1252.nls cp_1252.nls"));
    return {apply, [&app, options] { return Apply(app, *options); }};
}
