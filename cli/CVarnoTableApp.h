#pragma once
// varno-table: the editor's tables from a shell. A headless application object
// with the editor's document: files are opened and saved through the same
// document code, whatever the document would show in a message box becomes an
// error line on standard error naming the file, and no window or GUI toolkit
// is ever started.

#include "document/CVarnoDoc.h"
#include "document/KindChooser.h"
#include "document/MappingText.h"
#include "platform/CWinApp.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

class CVarnoTableApp : public CWinApp, public KindChooser {
public:
    // Exit statuses: success; check found entries that do not map back, or diff differences; any error.
    static constexpr int kExitOk = 0;
    static constexpr int kExitInconsistent = 1;
    static constexpr int kExitError = 2;

    CVarnoTableApp(int argc, char** argv);
    ~CVarnoTableApp() override;

    // Parses the arguments and runs the command; the status is in m_nExitCode.
    // Returns FALSE: there is no message loop.
    BOOL InitInstance() override;
    // Every box the document code would show becomes an error line on standard error; the
    // answer is that of a user who presses Enter on a question (keep things as they are).
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType) override;

    // A file whose name makes no kind is read as the kind of --kind; without it, it is refused.
    int ChooseKind(const std::string& path) override;

    // What the commands share (see cli/Command.h).

    // Adds --kind to a command that reads tables.
    void AddKindOption(CLI::App& command);

    // Whether the file can be read; a file that cannot (missing, unreadable, a
    // folder, an empty name) is reported here, in the same words for every command.
    bool CanOpen(const std::string& file);
    // Adds --table N to the command: Open and ReadTableValues then pick table N
    // of each GDI module, numbered from 1 in file order, instead of the one it opens on.
    void AddTableOption(CLI::App& command);
    // Opens the file as the editor would; null after an error (reported),
    // including a file whose name makes no kind, without --kind, and a GDI
    // module without the table that --table names.
    CVarnoDoc* Open(const std::string& file);
    // Takes a snapshot of the documents and runs edit on them; when it succeeds,
    // prints what the edit changed in each document and writes the documents
    // that changed, all or none; with dryRun, writes nothing. edit reports its
    // own refusal. names are the documents' names as the command line gave them.
    // SIGINT, SIGTERM and SIGHUP wait until the writes end, are told, and then
    // end the program.
    int EditAndWrite(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names, bool dryRun,
                     const std::function<bool()>& edit);
    // The table of a code-page file or GDI module, opened as the editor opens
    // it, or of a mapping text (see IsMappingTextName); false after an error
    // (reported). command names the command in the message for a keyboard layout.
    // With pickTable, a GDI module's table is the one --table names.
    bool ReadTableValues(const std::string& name, const char* command, TableValues& values, bool pickTable);
    static void Print(const std::string& text);
    void Error(const std::string& file, const std::string& message);
    // Whether any error has been reported.
    bool HadError() const { return m_hadError; }

private:
    struct Snapshot;

    int RunCommandLine();
    // Refuses a first argument that names no command; CLI11's own complaint would be less clear.
    bool IsKnownCommand(CLI::App& cli);
    // Parses the command line; an exit status when it is done (help, version) or refused.
    std::optional<int> Parse(CLI::App& cli);
    // Saves atomically to the file the document was opened from; false after an error (reported).
    bool Save(CVarnoDoc& document, const std::string& file);
    int WriteEdits(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names,
                   const std::vector<Snapshot>& before, bool dryRun);
    int WriteAllOrNone(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names,
                       const std::vector<Snapshot>& before);

    // Selects the table --table names in a GDI module; false after an error (reported).
    bool PickTable(CVarnoDoc& document, const std::string& file);
    // "has 3 tables; --table 4 names none"
    std::string NoSuchTable(std::size_t tables) const;

    int m_argc;
    char** m_argv;
    // The file that the document code is working on, named in its messages.
    std::string m_currentFile;
    bool m_hadError = false;
    // The kind of --kind, for files whose names make none.
    int m_chosenKind = CVarnoDoc::kindUndefined;
    // The number --table gives, from 1; none without it.
    std::optional<std::size_t> m_table;
};
