#include "cli/CVarnoTableApp.h"

#include "cli/Command.h"
#include "cli/GdiTableLines.h"
#include "document/CVarnoDoc.h"
#include "document/StringPrintf.h"
#include "document/TableListing.h"
#include "platform/CFile.h"
#include "platform/CDocTemplate.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "storage/DiskState.h"
#include "storage/SignalHold.h"
#include "tables/CGdiTableHandler.h"
#include "tables/CTableHandler.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

constexpr const char* kProgram = "varno-table";
constexpr const char* kChangedOnDisk = "changed on disk since it was read";

} // namespace

// What a document held before an edit: the image to restore, and the entries
// to tell what the edit changed.
struct CVarnoTableApp::Snapshot {
    explicit Snapshot(const CVarnoDoc& document)
        : image(document.m_pHandler->m_data, document.m_pHandler->m_data + document.m_pHandler->m_length),
          listing(ListTable(document))
    {
        if (CVarnoDoc::IsCodePageKind(document.m_nKind)) {
            for (int b = 0; b < 256; ++b) {
                lookups[b] = document.m_pHandler->Lookup(static_cast<std::uint8_t>(b));
            }
        }
    }

    bool Differs(const CVarnoDoc& document) const
    {
        const CTableHandler& handler = *document.m_pHandler;
        return !std::equal(image.begin(), image.end(), handler.m_data, handler.m_data + handler.m_length);
    }

    // One line for each entry or key the edit changed, "FILE: C0 0410 -> 0401".
    std::string Changes(const std::string& file, const CVarnoDoc& document) const
    {
        std::string out;
        if (CVarnoDoc::IsCodePageKind(document.m_nKind)) {
            for (int b = 0; b < 256; ++b) {
                std::uint16_t now = document.m_pHandler->Lookup(static_cast<std::uint8_t>(b));
                if (now != lookups[b]) {
                    out += file + StringPrintf(": %02X %04X -> %04X\n", b, lookups[b], now);
                }
            }
        }
        TableListing after = ListTable(document);
        for (std::size_t k = 0; k < after.keys.size() && k < listing.keys.size(); ++k) {
            const KeyEntry& was = listing.keys[k];
            const KeyEntry& is = after.keys[k];
            std::string parts;
            if (was.low != is.low) {
                parts += StringPrintf(", low %02X -> %02X", was.low, is.low);
            }
            if (was.high != is.high) {
                parts += StringPrintf(", high %02X -> %02X", was.high, is.high);
            }
            if (was.capsLock != is.capsLock) {
                parts += StringPrintf(", caps lock %s -> %s", was.capsLock ? "ON" : "off", is.capsLock ? "ON" : "off");
            }
            if (!parts.empty()) {
                out += file + StringPrintf(": key %d", is.key) + parts.substr(1) + "\n";
            }
        }
        if (out.empty() && Differs(document)) {
            // A 9x file whose reverse table was rebuilt from an unchanged forward table.
            out = file + ": reverse table rebuilt\n";
        }
        return out;
    }

    void Restore(CVarnoDoc& document) const { document.m_pHandler->PutBack(0, image); }

    std::vector<std::uint8_t> image;
    TableListing listing;
    std::uint16_t lookups[256] = {};
};

CVarnoTableApp::CVarnoTableApp(int argc, char** argv) : CWinApp(kProgram), m_argc(argc), m_argv(argv)
{
    AddDocTemplate(new CDocTemplate(IDR_VARNOTYPE, RUNTIME_CLASS(CVarnoDoc), nullptr, nullptr));
}

CVarnoTableApp::~CVarnoTableApp() { CloseAllDocuments(TRUE); }

int CVarnoTableApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType)
{
    // A question's first line tells what happened; the rest asks what to do.
    const std::string text = lpszPrompt;
    Error(m_currentFile, (nType & MB_TYPEMASK) == MB_YESNO ? text.substr(0, text.find('\n')) : text);
    return AfxDefaultMessageBoxAnswer(nType);
}

int CVarnoTableApp::ChooseKind(const std::string&)
{
    if (m_chosenKind == CVarnoDoc::kindUndefined) {
        Error(m_currentFile, std::string("Undefined format. ") + CVarnoDoc::kKindRule
                                 + " --kind nt, 9x, gdi or keyboard reads it as one of them.");
    }
    return m_chosenKind;
}

void CVarnoTableApp::AddKindOption(CLI::App& command)
{
    std::map<std::string, int> kinds;
    for (int kind : {CVarnoDoc::kindNtCodePage, CVarnoDoc::kind9xCodePage, CVarnoDoc::kindGdiModule,
                     CVarnoDoc::kindKeyboard}) {
        kinds[KindKey(kind)] = kind;
    }
    const CLI::Validator known(
        [kinds](std::string& text) -> std::string {
            return kinds.contains(text) ? std::string() : "expected nt, 9x, gdi or keyboard, got '" + text + "'";
        },
        "");
    command.add_option_function<std::string>(
               "--kind", [this, kinds](const std::string& text) { m_chosenKind = kinds.at(text); },
               "Read a file whose name makes no kind as this kind")
        ->type_name("nt|9x|gdi|keyboard")
        ->check(known);
}

BOOL CVarnoTableApp::InitInstance()
{
    m_nExitCode = RunCommandLine();
    // Output that did not arrive (a full disk, a closed pipe) is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Error({}, "cannot write to standard output");
        m_nExitCode = kExitError;
    }
    return FALSE;
}

void CVarnoTableApp::Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void CVarnoTableApp::Error(const std::string& file, const std::string& message)
{
    m_hadError = true;
    // One line per error, however many lines a message box would have had.
    std::string text = message;
    std::replace(text.begin(), text.end(), '\n', ' ');
    text = file.empty() ? ShownText(text) : ShownText(file) + ": " + ShownText(text);
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str());
    std::fflush(stderr);
}

int CVarnoTableApp::RunCommandLine()
{
    CLI::App cli("Inspects, checks and edits code-page tables and keyboard layouts, as the varno editor does.",
                 kProgram);
    cli.set_version_flag("--version", std::string(kProgram) + " " + VARNO_VERSION);
    cli.require_subcommand(1);
    // In the order of the help; a braced list is evaluated left to right.
    const std::vector<Command> commands = {AddShowCommand(cli, *this),   AddCheckCommand(cli, *this),
                                           AddSetCommand(cli, *this),    AddKeyCommand(cli, *this),
                                           AddExportCommand(cli, *this), AddApplyCommand(cli, *this),
                                           AddDiffCommand(cli, *this),   AddTablesCommand(cli, *this)};
    cli.footer("varno-table COMMAND --help tells the options of a command, with an example. The manual page\n"
               "varno-table(1) tells more.");
    if (!IsKnownCommand(cli)) {
        return kExitError;
    }
    if (const std::optional<int> status = Parse(cli)) {
        return *status;
    }
    for (const Command& command : commands) {
        if (command.options->parsed()) {
            return command.run();
        }
    }
    return kExitError; // not reached: CLI11 requires one command
}

bool CVarnoTableApp::IsKnownCommand(CLI::App& cli)
{
    if (m_argc <= 1 || m_argv[1][0] == '-') {
        return true;
    }
    std::string names;
    bool known = false;
    for (const CLI::App* command : cli.get_subcommands([](CLI::App*) { return true; })) {
        names += (names.empty() ? "" : ", ") + command->get_name();
        known = known || command->check_name(m_argv[1]);
    }
    if (!known) {
        Error({}, std::string("unknown command '") + m_argv[1] + "'; the commands are " + names);
    }
    return known;
}

std::optional<int> CVarnoTableApp::Parse(CLI::App& cli)
{
    try {
        cli.parse(m_argc, m_argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return cli.exit(error); // --help and --version
        }
        Error({}, error.what());
        std::fprintf(stderr, "Run with --help for more information.\n");
        return kExitError;
    }
    return std::nullopt;
}

bool CVarnoTableApp::CanOpen(const std::string& file)
{
    // The framework skips an empty name without a word.
    if (file.empty()) {
        Error("\"\"", "Cannot open file: the file name is empty");
        return false;
    }
    CFile probe;
    if (!probe.Open(file.c_str(), CFile::modeRead)) {
        Error(file, "Cannot open file: " + probe.GetErrorText());
        return false;
    }
    return true;
}

CVarnoDoc* CVarnoTableApp::Open(const std::string& file)
{
    if (!CanOpen(file)) {
        return nullptr;
    }
    m_currentFile = file;
    auto* document = static_cast<CVarnoDoc*>(OpenDocumentFile(file.c_str()));
    m_currentFile.clear();
    if (document == nullptr) {
        return nullptr;
    }
    return PickTable(*document, file) ? document : nullptr;
}

void CVarnoTableApp::AddTableOption(CLI::App& command)
{
    command.add_option("--table", m_table, "Of a GDI module, the table numbered so by the tables command, "
                                           "instead of the one it opens on; other files are read as they are")
        ->check(CLI::PositiveNumber);
}

bool CVarnoTableApp::PickTable(CVarnoDoc& document, const std::string& file)
{
    if (!m_table || document.m_nKind != CVarnoDoc::kindGdiModule) {
        return true;
    }
    auto& handler = static_cast<CGdiTableHandler&>(*document.m_pHandler);
    if (!handler.SelectTable(*m_table - 1)) {
        Error(file, NoSuchTable(handler.Tables().size()));
        return false;
    }
    return true;
}

std::string CVarnoTableApp::NoSuchTable(std::size_t tables) const
{
    return StringPrintf("has %zu table%s; --table %zu names none", tables, tables == 1 ? "" : "s", *m_table);
}

bool CVarnoTableApp::Save(CVarnoDoc& document, const std::string& file)
{
    // Another program's change is not overwritten; should one come after this
    // look, the document's own question gets the answer No.
    if (IsChangedOnDisk(document.GetPathName(), document.GetDiskState())) {
        Error(file, std::string(kChangedOnDisk) + "; not written");
        return false;
    }
    m_currentFile = file;
    bool saved = document.OnSaveDocument(document.GetPathName().c_str()) != FALSE;
    m_currentFile.clear();
    return saved;
}

int CVarnoTableApp::EditAndWrite(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names,
                                 bool dryRun, const std::function<bool()>& edit)
{
    std::vector<Snapshot> before;
    for (const CVarnoDoc* document : documents) {
        before.emplace_back(*document);
    }
    return edit() ? WriteEdits(documents, names, before, dryRun) : kExitError;
}

int CVarnoTableApp::WriteEdits(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names,
                               const std::vector<Snapshot>& before, bool dryRun)
{
    std::string changes;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        changes += before[i].Changes(ShownText(names[i]), *documents[i]);
    }
    if (dryRun) {
        Print(changes + "dry run: no file written\n");
        return kExitOk;
    }
    // A signal waits until every file is written, or put back.
    const SignalHold hold;
    const int status = WriteAllOrNone(documents, names, before);
    // Told once every file is written, so that no line stands for a change that did not happen.
    if (status == kExitOk) {
        Print(changes);
    }
    if (const int signal = SignalHold::Pending(); signal != 0) {
        Error({}, std::string("stopped by SIG") + sigabbrev_np(signal)
                      + (status == kExitOk ? " once every file was written" : " once the files were left as they were"));
    }
    return status;
}

int CVarnoTableApp::WriteAllOrNone(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names,
                                   const std::vector<Snapshot>& before)
{
    // A file that cannot be written now stops the change before any file is.
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (!before[i].Differs(*documents[i])) {
            continue;
        }
        if (IsChangedOnDisk(documents[i]->GetPathName(), documents[i]->GetDiskState())) {
            Error(names[i], std::string(kChangedOnDisk) + "; no file was changed");
            return kExitError;
        }
        CFile probe;
        if (!probe.Open(documents[i]->GetPathName().c_str(), CFile::modeWrite)) {
            Error(names[i], "cannot be written (" + probe.GetErrorText() + "); no file was changed");
            return kExitError;
        }
        probe.Abort();
    }
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (!before[i].Differs(*documents[i]) || Save(*documents[i], names[i])) {
            continue;
        }
        // Files saved before this one go back to what they held, so that all stay as they were.
        bool restored = true;
        for (std::size_t j = 0; j < i; ++j) {
            if (before[j].Differs(*documents[j])) {
                before[j].Restore(*documents[j]);
                if (!Save(*documents[j], names[j])) {
                    Error(names[j], "holds the change and could not be restored");
                    restored = false;
                }
            }
        }
        Error(names[i], restored ? "not written; no file was changed" : "not written");
        return kExitError;
    }
    return kExitOk;
}
