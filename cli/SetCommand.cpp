// varno-table set: one character changed as the Change char dialog does, in every file at once.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "document/PropagateCharChange.h"
#include "document/TableListing.h"

#include <algorithm>
#include <memory>

namespace {

struct SetOptions {
    std::string byte;
    std::string unicode;
    std::string asByte;
    bool dryRun = false;
    std::vector<std::string> files;
};

// Every file opened first: one that cannot be opened stops the change before anything is touched.
std::vector<CVarnoDoc*> OpenAll(CVarnoTableApp& app, const std::vector<std::string>& files)
{
    std::vector<CVarnoDoc*> opened;
    for (const std::string& file : files) {
        opened.push_back(app.Open(file));
    }
    if (app.HadError() || std::find(opened.begin(), opened.end(), nullptr) != opened.end()) {
        return {};
    }
    return opened;
}

// The document's name as the command line gave it.
std::string NameOf(const CVarnoDoc* document, const std::vector<CVarnoDoc*>& opened,
                   const std::vector<std::string>& files)
{
    for (std::size_t i = 0; i < opened.size(); ++i) {
        if (opened[i] == document) {
            return files[i];
        }
    }
    return document->GetPathName();
}

int Set(CVarnoTableApp& app, const SetOptions& options)
{
    const std::vector<CVarnoDoc*> opened = OpenAll(app, options.files);
    if (opened.empty()) {
        return CVarnoTableApp::kExitError;
    }
    CVarnoDoc& clicked = *opened.front();
    if (!CVarnoDoc::IsCodePageKind(clicked.m_nKind)) {
        app.Error(options.files.front(), "set takes a code-page file or GDI module first, the table clicked in; "
                                         + KindOrigin(clicked.m_nKind, clicked.m_bKindChosen));
        return CVarnoTableApp::kExitError;
    }
    // The open documents as the editor visits them; a file named twice is open once.
    const std::vector<CVarnoDoc*> documents = AllOpenDocuments(app);
    std::vector<std::string> names;
    for (const CVarnoDoc* document : documents) {
        names.push_back(NameOf(document, opened, options.files));
    }
    // What the click does after OK: the previous holder of the value and the byte's old value come from the clicked table.
    const std::uint8_t byte = ParsedByte(options.byte);
    const auto unicode = static_cast<std::uint16_t>(*ParseHexArgument(options.unicode, 0xFFFF));
    const std::uint8_t n = ParsedOptionalByte(options.asByte).value_or(byte);
    const std::uint8_t p = PreviousHolder(*clicked.m_pHandler, unicode);
    const std::uint16_t o = clicked.m_pHandler->Lookup(byte);
    return app.EditAndWrite(documents, names, options.dryRun, [&] {
        const CharChangeResult result = PropagateCharChange(documents, byte, n, unicode, p, o);
        if (!result.Applied()) {
            app.Error(NameOf(result.pRefused, opened, options.files), RefusalMessage(result));
        }
        return result.Applied();
    });
}

} // namespace

Command AddSetCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto options = std::make_shared<SetOptions>();
    CLI::App* set = cli.add_subcommand(
        "set", "Change one character as the editor's Change char dialog does, in every file at once; the first "
               "file is the table clicked in. All files are written, or none.");
    set->add_option("--byte", options->byte, "The byte clicked in the first file")->required()->type_name("HEX")
        ->check(HexValidator(0xFF, 0x80));
    set->add_option("--unicode", options->unicode, "Its new Unicode value")->required()->type_name("HEX")
        ->check(HexValidator(0xFFFF))->check(TableValueValidator());
    set->add_option("--as-byte", options->asByte, "The byte field of the dialog, when it was changed")
        ->type_name("HEX")->check(HexValidator(0xFF));
    app.AddTableOption(*set);
    set->add_flag("--dry-run", options->dryRun, "Tell what would change, write nothing");
    set->add_option("FILE", options->files, "The clicked code-page file first, then the other open files")->required();
    app.AddKindOption(*set);
    set->footer(Example("varno-table set --byte A8 --unicode 0401 --dry-run c_1251.nls cp_1251.nls gdi.exe ru.kbd"));
    return {set, [&app, options] { return Set(app, *options); }};
}
