#include "cli/CVarnoTableApp.h"

#include "cli/CharsetDecoding.h"
#include "cli/TableListing.h"
#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "document/PropagateCharChange.h"
#include "document/StringPrintf.h"
#include "platform/CFile.h"
#include "platform/CDocTemplate.h"
#include "platform/CodePageDecoding.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "storage/DiskState.h"
#include "storage/SignalHold.h"
#include "tables/CKeyboardHandler.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kProgram = "varno-table";
constexpr const char* kChangedOnDisk = "changed on disk since it was read";

// A CLI11 check that the text is a hexadecimal number of at most maxValue.
CLI::Validator HexValidator(unsigned maxValue, unsigned minValue = 0)
{
    char description[32];
    std::snprintf(description, sizeof description, "%0*X-%0*X", maxValue > 0xFF ? 4 : 2, minValue,
                  maxValue > 0xFF ? 4 : 2, maxValue);
    std::string name = description;
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            std::optional<unsigned> value = ParseHexArgument(text, maxValue);
            if (!value || *value < minValue) {
                return "expected a hexadecimal value " + name + ", got '" + text + "'";
            }
            return {};
        },
        name);
}

// A CLI11 check, after HexValidator(0xFFFF), that a table entry may take the value; it adds nothing to the help.
CLI::Validator TableValueValidator()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::optional<std::string> refusal = UnicodeValueRefusal(*ParseHexArgument(text, 0xFFFF));
            return refusal ? "'" + text + "' is " + *refusal : std::string();
        },
        "");
}

std::uint8_t Byte(const std::string& text) { return static_cast<std::uint8_t>(*ParseHexArgument(text, 0xFF)); }

// The end of a command's help: one command line to start from.
std::string Example(const std::string& commandLine) { return "Example:\n  " + commandLine; }

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

    std::vector<std::string> files;
    std::string file;

    CLI::App* show = cli.add_subcommand("show", "Show the upper half of each table (bytes 80-FF) or the keys of a layout.");
    bool json = false;
    std::string charset = "windows-1251";
    show->add_flag("--json", json, "One JSON object per file, one per line");
    show->add_option("--charset", charset, "Code page that shows the bytes as characters")->capture_default_str();
    show->add_option("FILE", files, "Files to show")->required();
    show->footer(Example("varno-table show --charset KOI8-R c_20866.nls"));

    CLI::App* check = cli.add_subcommand(
        "check", "List the entries 80-FF of NT and 9x code-page files that do not map back to their byte.\n"
                 "Exit status 0 when none, 1 when some, 2 on an error.");
    check->add_option("FILE", files, "NT or 9x code-page files")->required();
    check->footer(Example("varno-table check /srv/nls/c_*.nls /srv/nls/cp_*.nls"));

    CLI::App* set = cli.add_subcommand(
        "set", "Change one character as the editor's Change char dialog does, in every file at once; the first "
               "file is the table clicked in. All files are written, or none.");
    std::string byteText;
    std::string unicodeText;
    std::string asByteText;
    bool dryRun = false;
    set->add_option("--byte", byteText, "The byte clicked in the first file")->required()->type_name("HEX")->check(HexValidator(0xFF, 0x80));
    set->add_option("--unicode", unicodeText, "Its new Unicode value")->required()->type_name("HEX")
        ->check(HexValidator(0xFFFF))->check(TableValueValidator());
    set->add_option("--as-byte", asByteText, "The byte field of the dialog, when it was changed")
        ->type_name("HEX")->check(HexValidator(0xFF));
    set->add_flag("--dry-run", dryRun, "Tell what would change, write nothing");
    set->add_option("FILE", files, "The clicked code-page file first, then the other open files")->required();
    set->footer(Example("varno-table set --byte A8 --unicode 0401 --dry-run c_1251.nls cp_1251.nls gdi.exe ru.kbd"));

    CLI::App* key = cli.add_subcommand("key", "Change one key of a keyboard layout as the Change key dialog does.");
    int keyNumber = 0;
    std::string lowText;
    std::string highText;
    std::string capsText;
    key->add_option("--key", keyNumber, "Key number, 0 (~ `) to 13 (\\ |)")->required()->check(CLI::Range(0, 13));
    key->add_option("--low", lowText, "The unshifted character byte")->type_name("HEX")->check(HexValidator(0xFF));
    key->add_option("--high", highText, "The shifted character byte")->type_name("HEX")->check(HexValidator(0xFF));
    key->add_option("--caps", capsText, "Caps lock")->check(CLI::IsMember({"on", "off"}));
    key->add_option("FILE", file, "Keyboard layout file")->required();
    key->footer(Example("varno-table key --key 3 --low B9 --high 23 --caps off ru.kbd"));

    CLI::App* exportTable = cli.add_subcommand(
        "export",
        "Print the whole table of a code-page file or GDI module as a mapping text, 0x00-0xFF (0xC0<TAB>0x0410).");
    exportTable->add_option("FILE", file, "Code-page file or GDI module")->required();
    exportTable->footer(Example("varno-table export c_1251.nls > CP1251.TXT"));

    CLI::App* apply = cli.add_subcommand(
        "apply", "Give the bytes of a range of each file the values of a reference table: a mapping text as export "
                 "prints it (- for standard input), or a code-page file or GDI module. All files are written, or none.");
    std::string source;
    std::string range = "80-FF";
    apply->add_option("--from", source, "The reference table")->required();
    apply->add_option("--range", range, "The bytes to take, LO-HI in hexadecimal")->capture_default_str();
    apply->add_flag("--dry-run", dryRun, "Tell what would change, write nothing");
    apply->add_option("FILE", files, "NT and 9x code-page files and GDI modules")->required();
    apply->footer(Example("varno-table apply --from c_1251.nls --range C0-FF --dry-run c_1252.nls cp_1252.nls"));

    CLI::App* diff = cli.add_subcommand(
        "diff", "Print each byte 00-FF whose values differ between two tables (C0 0410 0430), each a code-page file, "
                "GDI module or mapping text.\nExit status 0 when none, 1 when some, 2 on an error.");
    std::string second;
    diff->add_flag("--json", json, "A JSON list of {byte, a, b}");
    diff->add_option("A", file, "The first table")->required();
    diff->add_option("B", second, "The second table")->required();
    diff->footer(Example("varno-table diff c_1252.nls CP1252.TXT"));
    cli.footer("varno-table COMMAND --help tells the options of a command, with an example. The manual page\n"
               "varno-table(1) tells more.");

    // Told before CLI11's own complaint that some command is missing.
    if (m_argc > 1 && m_argv[1][0] != '-') {
        const std::vector<CLI::App*> commands = cli.get_subcommands([](CLI::App*) { return true; });
        if (std::none_of(commands.begin(), commands.end(), [&](CLI::App* c) { return c->check_name(m_argv[1]); })) {
            Error({}, std::string("unknown command '") + m_argv[1] + "'; the commands are show, check, set, key, export, apply, diff");
            return kExitError;
        }
    }
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

    if (show->parsed()) {
        return Show(files, json, charset);
    }
    if (check->parsed()) {
        return Check(files);
    }
    if (set->parsed()) {
        std::optional<std::uint8_t> asByte;
        if (!asByteText.empty()) {
            asByte = Byte(asByteText);
        }
        return Set(Byte(byteText), static_cast<std::uint16_t>(*ParseHexArgument(unicodeText, 0xFFFF)), asByte, dryRun,
                   files);
    }
    if (key->parsed()) {
        std::optional<std::uint8_t> low;
        std::optional<std::uint8_t> high;
        std::optional<bool> capsLock;
        if (!lowText.empty()) {
            low = Byte(lowText);
        }
        if (!highText.empty()) {
            high = Byte(highText);
        }
        if (!capsText.empty()) {
            capsLock = capsText == "on";
        }
        return Key(keyNumber, low, high, capsLock, file);
    }
    if (apply->parsed()) {
        return Apply(source, range, dryRun, files);
    }
    if (diff->parsed()) {
        return Diff(file, second, json);
    }
    return Export(file);
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
    // A file of undefined format opens with the message "Undefined format" and holds no table.
    if (document == nullptr || document->m_pHandler == nullptr || document->m_nKind == CVarnoDoc::kindUndefined) {
        return nullptr;
    }
    return document;
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

int CVarnoTableApp::Show(const std::vector<std::string>& files, bool json, const std::string& charset)
{
    if (!IsSingleByteCharset(charset)) {
        Error({}, "'" + charset + "' is no single-byte character set known here (such as windows-1251, KOI8-R, IBM866)");
        return kExitError;
    }
    const std::array<QString, 256> characters = AfxDecodeCodePage(charset.c_str());
    ByteCharacters chars;
    for (std::size_t b = 0; b < chars.size(); ++b) {
        chars[b] = characters[b].toStdString();
    }
    bool first = true;
    for (const std::string& file : files) {
        CVarnoDoc* document = Open(file);
        if (document == nullptr) {
            continue;
        }
        TableListing listing = ListTable(*document);
        if (json) {
            Print(FormatJson(ShownText(file), listing, chars));
        } else {
            Print((first ? "" : "\n") + FormatText(ShownText(file), listing, chars));
        }
        first = false;
    }
    return m_hadError ? kExitError : kExitOk;
}

int CVarnoTableApp::Check(const std::vector<std::string>& files)
{
    bool inconsistent = false;
    for (const std::string& file : files) {
        CVarnoDoc* document = Open(file);
        if (document == nullptr) {
            continue;
        }
        if (!HasReverseTable(document->m_nKind)) {
            Error(file, "check takes NT and 9x code-page files; the name makes this " + KindWithArticle(document->m_nKind));
            continue;
        }
        for (const CharEntry& entry : InconsistentEntries(ListTable(*document))) {
            Print(ShownText(file) + StringPrintf(": %02X %04X maps back to %02X\n", entry.byte, entry.unicode, entry.back));
            inconsistent = true;
        }
    }
    if (m_hadError) {
        return kExitError;
    }
    return inconsistent ? kExitInconsistent : kExitOk;
}

int CVarnoTableApp::Key(int key, std::optional<std::uint8_t> low, std::optional<std::uint8_t> high,
                        std::optional<bool> capsLock, const std::string& file)
{
    CVarnoDoc* document = Open(file);
    if (document == nullptr) {
        return kExitError;
    }
    if (document->m_nKind != CVarnoDoc::kindKeyboard) {
        Error(file, "key takes keyboard layouts; the name makes this " + KindWithArticle(document->m_nKind));
        return kExitError;
    }
    auto* keyboard = static_cast<CKeyboardHandler*>(document->m_pHandler);
    return EditAndWrite({document}, {file}, false, [&] {
        // What the dialog's OK does: the fields start with the key's values, and are written back in this order.
        keyboard->SetHigh(key, high.value_or(keyboard->GetHigh(key)));
        keyboard->SetLow(key, low.value_or(keyboard->GetLow(key)));
        keyboard->SetCapsLock(key, capsLock.value_or(keyboard->GetCapsLock(key)));
        return true;
    });
}

int CVarnoTableApp::Export(const std::string& file)
{
    CVarnoDoc* document = Open(file);
    if (document == nullptr) {
        return kExitError;
    }
    if (!CVarnoDoc::IsCodePageKind(document->m_nKind)) {
        Error(file, "export takes code-page files and GDI modules; the name makes this "
                  + KindWithArticle(document->m_nKind));
        return kExitError;
    }
    Print(FormatMapping(*document));
    return kExitOk;
}

int CVarnoTableApp::Set(std::uint8_t byte, std::uint16_t unicode, std::optional<std::uint8_t> asByte, bool dryRun,
                        const std::vector<std::string>& files)
{
    // Every file opened first: one that cannot be opened stops the change before anything is touched.
    std::vector<CVarnoDoc*> opened;
    for (const std::string& file : files) {
        opened.push_back(Open(file));
    }
    if (m_hadError || std::find(opened.begin(), opened.end(), nullptr) != opened.end()) {
        return kExitError;
    }
    CVarnoDoc& clicked = *opened.front();
    if (!CVarnoDoc::IsCodePageKind(clicked.m_nKind)) {
        Error(files.front(), "set takes a code-page file or GDI module first, the table clicked in; the name makes this "
                                 + KindWithArticle(clicked.m_nKind));
        return kExitError;
    }

    // The open documents as the editor visits them; a file named twice is open once.
    std::vector<CVarnoDoc*> documents = AllOpenDocuments(*this);
    auto fileOf = [&](const CVarnoDoc* document) {
        for (std::size_t i = 0; i < opened.size(); ++i) {
            if (opened[i] == document) {
                return files[i];
            }
        }
        return document->GetPathName();
    };
    std::vector<Snapshot> before;
    for (const CVarnoDoc* document : documents) {
        before.emplace_back(*document);
    }

    // What the click does after OK: the previous holder of the value and the byte's old value come from the clicked table.
    const std::uint8_t n = asByte.value_or(byte);
    const std::uint8_t p = PreviousHolder(*clicked.m_pHandler, unicode);
    const std::uint16_t o = clicked.m_pHandler->Lookup(byte);
    const CharChangeResult result = PropagateCharChange(documents, byte, n, unicode, p, o);
    if (!result.Applied()) {
        Error(fileOf(result.pRefused), RefusalMessage(result));
        return kExitError;
    }

    std::vector<std::string> names;
    for (const CVarnoDoc* document : documents) {
        names.push_back(fileOf(document));
    }
    return WriteEdits(documents, names, before, dryRun);
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
