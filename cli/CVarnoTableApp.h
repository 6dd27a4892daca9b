#pragma once
// varno-table: the editor's tables from a shell. A headless application object
// with the editor's document: files are opened and saved through the same
// document code, whatever the document would show in a message box becomes an
// error line on standard error naming the file, and no window or GUI toolkit
// is ever started.

#include "document/MappingText.h"
#include "platform/CWinApp.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CVarnoDoc;

class CVarnoTableApp : public CWinApp {
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

private:
    struct Snapshot;

    int RunCommandLine();
    int Show(const std::vector<std::string>& files, bool json, const std::string& charset);
    int Check(const std::vector<std::string>& files);
    int Set(std::uint8_t byte, std::uint16_t unicode, std::optional<std::uint8_t> asByte, bool dryRun,
            const std::vector<std::string>& files);
    int Key(int key, std::optional<std::uint8_t> low, std::optional<std::uint8_t> high, std::optional<bool> capsLock,
            const std::string& file);
    int Export(const std::string& file);
    int Apply(const std::string& source, const std::string& range, bool dryRun, const std::vector<std::string>& files);
    int Diff(const std::string& first, const std::string& second, bool json);

    // Whether the file can be read; a file that cannot (missing, unreadable, a
    // folder, an empty name) is reported here, in the same words for every command.
    bool CanOpen(const std::string& file);
    // Opens the file as the editor would; null after an error (reported),
    // including a file of undefined format, which holds no table.
    CVarnoDoc* Open(const std::string& file);
    // Saves atomically to the file the document was opened from; false after an error (reported).
    bool Save(CVarnoDoc& document, const std::string& file);
    // Takes a snapshot of the documents, runs edit on them and, when it
    // succeeds, goes on as WriteEdits; edit reports its own refusal.
    int EditAndWrite(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names, bool dryRun,
                     const std::function<bool()>& edit);
    // Prints what the edit changed in each document and writes the documents
    // that changed, all or none; with dryRun, writes nothing. names are the
    // documents' names as the command line gave them. SIGINT, SIGTERM and
    // SIGHUP wait until the writes end, are told, and then end the program.
    int WriteEdits(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names,
                   const std::vector<Snapshot>& before, bool dryRun);
    int WriteAllOrNone(const std::vector<CVarnoDoc*>& documents, const std::vector<std::string>& names,
                       const std::vector<Snapshot>& before);
    // The table of a code-page file or GDI module, opened as the editor opens
    // it, or of a mapping text (see IsMappingTextName); false after an error
    // (reported). command names the command in the message for a keyboard layout.
    bool ReadTableValues(const std::string& name, const char* command, TableValues& values);
    static void Print(const std::string& text);
    void Error(const std::string& file, const std::string& message);

    int m_argc;
    char** m_argv;
    // The file that the document code is working on, named in its messages.
    std::string m_currentFile;
    bool m_hadError = false;
};
