#pragma once
// varno-table: the editor's tables from a shell. A headless application object
// with the editor's document: files are opened and saved through the same
// document code, whatever the document would show in a message box becomes an
// error line on standard error naming the file, and no window or GUI toolkit
// is ever started.

#include "platform/CWinApp.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CVarnoDoc;

class CVarnoTableApp : public CWinApp {
public:
    // Exit statuses: success; check found entries that do not map back; any error.
    static constexpr int kExitOk = 0;
    static constexpr int kExitInconsistent = 1;
    static constexpr int kExitError = 2;

    CVarnoTableApp(int argc, char** argv);
    ~CVarnoTableApp() override;

    // Parses the arguments and runs the command; the status is in m_nExitCode.
    // Returns FALSE: there is no message loop.
    BOOL InitInstance() override;

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

    // Opens the file as the editor would; null after an error (reported),
    // including a file of undefined format, which holds no table.
    CVarnoDoc* Open(const std::string& file);
    // Saves atomically to the file the document was opened from; false after an error (reported).
    bool Save(CVarnoDoc& document, const std::string& file);
    // Writes the document back to its file only when its image differs from the snapshot.
    bool SaveIfChanged(CVarnoDoc& document, const std::string& file, const Snapshot& before);
    void Error(const std::string& file, const std::string& message);

    int m_argc;
    char** m_argv;
    // The file that the document code is working on, named in its messages.
    std::string m_currentFile;
    bool m_hadError = false;
};
