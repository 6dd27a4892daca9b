#include "app/BatchTransplant.h"

#include "app/BatchCommandLine.h"
#include "app/CommandLineHelp.h"
#include "platform/FileApi.h"
#include "platform/FileSizeLimit.h"
#include "platform/MessageBox.h"
#include "storage/SignalHold.h"
#include "tables/CGdiTableHandler.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Behind every image, so that the signature compare near the end stays inside it.
constexpr DWORD kBatchSlack = 4096;
// A token of the command line fills at most one 256-byte slot with its terminating zero.
constexpr std::size_t kMaxTokenLength = 255;
// What Write compares with the file: the entries and the table's signature behind them.
constexpr DWORD kComparedLength = BatchTransplant::kEntriesLength + sizeof CGdiTableHandler::kSignature;

bool Refuse(const std::string& text)
{
    AfxMessageBox(text.c_str(), MB_ICONSTOP);
    return false;
}

std::string SystemError() { return std::strerror(static_cast<int>(GetLastError())); }

} // namespace

// One module of the transplant: its handle and its image.
class BatchTransplant::Module {
public:
    explicit Module(std::string path) : m_path(std::move(path)) {}
    ~Module()
    {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }

    const std::string& Path() const { return m_path; }
    const std::uint8_t* Image() const { return m_image.get(); }
    std::int32_t Count() const { return static_cast<std::int32_t>(m_count); }

    bool Open(DWORD access)
    {
        m_handle = CreateFileA(m_path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        return m_handle != INVALID_HANDLE_VALUE || Refuse("Cannot open file " + m_path);
    }

    bool QuerySize()
    {
        DWORD high = 0;
        m_count = GetFileSize(m_handle, &high);
        if (m_count == INVALID_FILE_SIZE && GetLastError() != 0) {
            return Refuse("Cannot get the size of file " + m_path);
        }
        if (AfxIsFileTooLarge((static_cast<ULONGLONG>(high) << 32) | m_count)) {
            return Refuse("File too large for a GDI module (2 GiB or more): " + m_path);
        }
        return true;
    }

    // The whole file into a cleared image with slack behind it; the byte count
    // becomes what the read delivered.
    bool Load()
    {
        m_image.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(m_count) + kBatchSlack]());
        if (!m_image) {
            return Refuse("Not enough memory to read file " + m_path);
        }
        DWORD read = 0;
        if (!ReadFile(m_handle, m_image.get(), m_count, &read, nullptr)) {
            return Refuse("Cannot read file " + m_path);
        }
        m_count = read;
        return true;
    }

    DWORD SizeOnDisk() const
    {
        DWORD high = 0;
        DWORD size = GetFileSize(m_handle, &high);
        return high == 0 ? size : INVALID_FILE_SIZE;
    }

    bool ReadAt(std::int32_t offset, void* bytes, DWORD count)
    {
        DWORD read = 0;
        return Seek(offset) && ReadFile(m_handle, bytes, count, &read, nullptr) && read == count;
    }

    // Writes count bytes at offset and has them reach the disk; written tells
    // how many bytes may have reached the file when that fails.
    bool WriteAt(std::int32_t offset, const void* bytes, DWORD count, DWORD& written)
    {
        written = 0;
        if (!Seek(offset)) {
            return false;
        }
        if (!WriteFile(m_handle, bytes, count, &written, nullptr)) {
            return false;
        }
        return FlushFileBuffers(m_handle) != FALSE;
    }

private:
    bool Seek(std::int32_t offset) { return SetFilePointer(m_handle, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER; }

    std::string m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::unique_ptr<std::uint8_t[]> m_image;
    DWORD m_count = 0;
};

BatchTransplant::BatchTransplant(std::string target, std::string source)
    : m_target(std::make_unique<Module>(std::move(target))), m_source(std::make_unique<Module>(std::move(source)))
{
}

BatchTransplant::~BatchTransplant() = default;

bool BatchTransplant::Read()
{
    Module& target = *m_target;
    Module& source = *m_source;
    if (!target.Open(GENERIC_READ | GENERIC_WRITE) || !source.Open(GENERIC_READ) || !target.QuerySize()
        || !source.QuerySize() || !target.Load() || !source.Load()) {
        return false;
    }

    CGdiTableHandler search;
    m_targetBase = search.LocateTable(target.Image(), target.Count());
    const std::int32_t sourceBase = search.LocateTable(source.Image(), source.Count());
    if (m_targetBase == 0) {
        return Refuse("Bad format: " + target.Path());
    }
    if (sourceBase == 0) {
        return Refuse("Bad format: " + source.Path());
    }

    // The entries of 0x80-0xB6 and of 0xB8-0xBF; 0xB7 keeps the target's value.
    std::memcpy(m_entries.data(), target.Image() + m_targetBase + kEntriesOffset, kEntriesLength);
    std::memcpy(m_entries.data(), source.Image() + sourceBase + kEntriesOffset, 110);
    std::memcpy(m_entries.data() + 112, source.Image() + sourceBase + kEntriesOffset + 112, 16);
    return true;
}

bool BatchTransplant::Write()
{
    Module& target = *m_target;
    const std::int32_t offset = m_targetBase + kEntriesOffset;
    const std::uint8_t* before = target.Image() + offset;

    std::uint8_t onDisk[kComparedLength];
    if (!target.ReadAt(offset, onDisk, kComparedLength)) {
        return Refuse("Cannot read file " + target.Path());
    }
    if (target.SizeOnDisk() != static_cast<DWORD>(target.Count()) || std::memcmp(onDisk, before, kComparedLength) != 0) {
        return Refuse("File " + target.Path() + " changed on disk while it was being read; it was not written.");
    }

    // A signal waits until the entries are written, or put back.
    const SignalHold hold;
    DWORD written = 0;
    if (target.WriteAt(offset, m_entries.data(), kEntriesLength, written)) {
        return true;
    }
    const std::string reason = SystemError();
    // The old bytes are back once written; their sync, on a disk that just failed one, is only tried.
    DWORD restored = 0;
    target.WriteAt(offset, before, written, restored);
    if (restored == written) {
        return Refuse("Cannot write file " + target.Path() + " (" + reason + "); it was left as it was.");
    }
    return Refuse("Cannot write file " + target.Path() + " (" + reason
                  + "), and its old bytes could not be put back: its table entries 0x80-0xBF may be damaged.");
}

bool RunBatchTransplant(LPCSTR commandLine)
{
    std::vector<std::string> tokens = SplitBatchCommandLine(commandLine, 3);
    // One word is what a user tries first to open a file, and never a transplant.
    if (tokens.size() < 2) {
        return Refuse(std::string("A source module is missing. Usage: ") + kBatchUsage
                      + " (varno --help tells more). To open files in the editor: varno-open FILE...");
    }
    tokens.resize(3);
    for (const std::string& token : tokens) {
        if (token.size() > kMaxTokenLength) {
            return Refuse("A file name or option on the command line is longer than "
                          + std::to_string(kMaxTokenLength) + " characters; nothing was changed.");
        }
    }
    BatchTransplant transplant(tokens[0], tokens[1]);
    if (!transplant.Read() || !transplant.Write()) {
        return false;
    }
    std::string options = tokens[2];
    std::transform(options.begin(), options.end(), options.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    if (options.find("/q") == std::string::npos) {
        AfxMessageBox(("File modified ok: " + tokens[0]).c_str(), MB_ICONINFORMATION);
    }
    return true;
}
