// varno-table show: the upper half of each table, or the keys of a layout.

#include "cli/CVarnoTableApp.h"
#include "cli/CharsetDecoding.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/CVarnoDoc.h"
#include "document/TableListing.h"

#include <memory>

namespace {

struct ShowOptions {
    bool json = false;
    std::string charset = "windows-1251";
    CLI::Option* charsetOption = nullptr; // given: the bytes' characters in it replace the table's own
    std::vector<std::string> files;
};

int Show(CVarnoTableApp& app, const ShowOptions& options)
{
    if (!IsSingleByteCharset(options.charset)) {
        app.Error({}, "'" + options.charset
                          + "' is no single-byte character set known here (such as windows-1251, KOI8-R, IBM866)");
        return CVarnoTableApp::kExitError;
    }
    const ByteCharacters chars = DecodeByteCharacters(options.charset.c_str());
    bool first = true;
    for (const std::string& file : options.files) {
        CVarnoDoc* document = app.Open(file);
        if (document == nullptr) {
            continue;
        }
        TableListing listing = ListTable(*document);
        if (options.json) {
            app.Print(FormatJson(ShownText(file), listing, chars));
        } else {
            app.Print((first ? "" : "\n") + FormatText(ShownText(file), listing, chars, options.charsetOption->count() > 0));
        }
        first = false;
    }
    return app.HadError() ? CVarnoTableApp::kExitError : CVarnoTableApp::kExitOk;
}

} // namespace

Command AddShowCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App* show = cli.add_subcommand("show", "Show the upper half of each table (bytes 80-FF) or the keys of a layout.");
    show->add_flag("--json", options->json, "One JSON object per file, one per line");
    options->charsetOption =
        show->add_option("--charset", options->charset, "Code page that shows the bytes as characters")
            ->capture_default_str();
    app.AddTableOption(*show);
    show->add_option("FILE", options->files, "Files to show")->required();
    app.AddKindOption(*show);
    show->footer(Example("varno-table show --charset KOI8-R c_20866.nls") + "\n  varno-table show --kind nt backup/1251.nls");
    return {show, [&app, options] { return Show(app, *options); }};
}
