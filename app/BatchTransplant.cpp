#include "app/BatchCommandLine.h"
#include "app/CVarnoApp.h"

#include "platform/FileApi.h"
#include "platform/MessageBox.h"
#include "tables/CGdiTableHandler.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace {

// Behind every image, so that the signature compare near the end stays inside it.
constexpr DWORD kBatchSlack = 4096;
// An image's byte count is a signed 32-bit number; larger files are refused.
constexpr DWORD kLargestFile = static_cast<DWORD>(std::numeric_limits<std::int32_t>::max()) - kBatchSlack;

void Report(const char* format, const std::string& path, UINT style)
{
    int size = std::snprintf(nullptr, 0, format, path.c_str());
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, path.c_str());
    AfxMessageBox(text.c_str(), style);
}

// One module of the transplant: its handle and its image.
class BatchFile {
public:
    explicit BatchFile(std::string path) : m_path(std::move(path)) {}
    ~BatchFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    BatchFile(const BatchFile&) = delete;
    BatchFile& operator=(const BatchFile&) = delete;

    const std::string& Path() const { return m_path; }
    std::uint8_t* Image() { return m_image.get(); }
    std::int32_t Count() const { return static_cast<std::int32_t>(m_count); }

    bool Open(DWORD access)
    {
        m_handle = CreateFileA(m_path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_handle == INVALID_HANDLE_VALUE) {
            Report("Cannot open file %s", m_path, MB_ICONSTOP);
            return false;
        }
        return true;
    }

    bool QuerySize()
    {
        DWORD high = 0;
        m_count = GetFileSize(m_handle, &high);
        if (m_count == INVALID_FILE_SIZE && GetLastError() != 0) {
            Report("Cannot get the size of file %s", m_path, MB_ICONSTOP);
            return false;
        }
        if (high != 0 || m_count > kLargestFile) {
            Report("File too large for a GDI module (2 GiB or more): %s", m_path, MB_ICONSTOP);
            return false;
        }
        return true;
    }

    bool Allocate()
    {
        m_image.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(m_count) + kBatchSlack]());
        if (!m_image) {
            Report("Not enough memory to read file %s", m_path, MB_ICONSTOP);
            return false;
        }
        return true;
    }

    bool Read()
    {
        DWORD read = 0;
        if (!ReadFile(m_handle, m_image.get(), m_count, &read, nullptr)) {
            Report("Cannot read file %s", m_path, MB_ICONSTOP);
            return false;
        }
        m_count = read;
        return true;
    }

    // Writes the image back over the file's first bytes. The file keeps its
    // length, and a write that stops early has only rewritten bytes with the
    // values they had, apart from the copied entries.
    bool WriteBack()
    {
        DWORD written = 0;
        if (SetFilePointer(m_handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER
            || !WriteFile(m_handle, m_image.get(), m_count, &written, nullptr) || written != m_count) {
            Report("Cannot write file %s", m_path, MB_ICONSTOP);
            return false;
        }
        return true;
    }

    bool Close()
    {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) {
            Report("Cannot write file %s", m_path, MB_ICONSTOP);
            return false;
        }
        return true;
    }

private:
    std::string m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::unique_ptr<std::uint8_t[]> m_image;
    DWORD m_count = 0;
};

bool Transplant(const BatchTokens& tokens)
{
    BatchFile target(tokens.target);
    BatchFile source(tokens.source);
    if (!target.Open(GENERIC_READ | GENERIC_WRITE) || !source.Open(GENERIC_READ)) {
        return false;
    }
    if (!target.QuerySize() || !source.QuerySize() || !target.Allocate() || !source.Allocate() || !target.Read()
        || !source.Read()) {
        return false;
    }

    CGdiTableHandler search;
    std::int32_t targetBase = search.LocateTable(target.Image(), target.Count());
    std::int32_t sourceBase = search.LocateTable(source.Image(), source.Count());
    if (targetBase == 0) {
        Report("Bad format: %s", target.Path(), MB_ICONSTOP);
        return false;
    }
    if (sourceBase == 0) {
        Report("Bad format: %s", source.Path(), MB_ICONSTOP);
        return false;
    }

    // The entries of 0x80-0xB6 and of 0xB8-0xBF; 0xB7 keeps the target's value.
    std::memcpy(target.Image() + targetBase + 256, source.Image() + sourceBase + 256, 110);
    std::memcpy(target.Image() + targetBase + 368, source.Image() + sourceBase + 368, 16);

    return target.WriteBack() && target.Close();
}

} // namespace

void CVarnoApp::RunBatch()
{
    m_nExitCode = 1;
    BatchTokens tokens = TokeniseBatchCommandLine(m_lpCmdLine);
    if (tokens.tokenTooLong) {
        char limit[64];
        std::snprintf(limit, sizeof limit, "%zu", BatchTokens::kMaxTokenLength);
        Report("A file name or option on the command line is longer than %s characters; nothing was changed.",
               limit, MB_ICONSTOP);
        return;
    }
    if (!Transplant(tokens)) {
        return;
    }
    m_nExitCode = 0;
    std::string options = tokens.options;
    std::transform(options.begin(), options.end(), options.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    if (options.find("/q") == std::string::npos) {
        Report("File modified ok: %s", tokens.target, MB_ICONINFORMATION);
    }
}
