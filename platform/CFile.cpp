#include "platform/CFile.h"

#include "platform/FilePath.h"
#include "storage/ContentDigest.h"
#include "storage/FolderEntry.h"
#include "storage/RegularFile.h"
#include "storage/SaveFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Why a file cannot be opened, for the user: folders, pipes and devices are refused.
std::string OpenErrorText(int error)
{
    switch (error) {
    case EISDIR: return "It is a folder, not a file";
    case EINVAL: return "It is not a regular file";
    default: return std::strerror(error);
    }
}

} // namespace

struct CFile::Impl {
    // The folder of the file and its name there.
    FolderEntry entry;
    // The file being read, and the digest of the bytes read so far.
    int reader = -1;
    ContentDigest digest;
    // A write: its content waits here for Close.
    bool writing = false;
    std::string content;
    DiskState state;
    bool stateKnown = false;
};

CFile::CFile() : m_impl(std::make_unique<Impl>()) {}

CFile::~CFile() { Abort(); }

void CFile::SetError(const std::string& text)
{
    if (m_strError.empty()) {
        m_strError = text;
    }
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags)
{
    Abort();
    m_impl = std::make_unique<Impl>();
    m_strFilePath = lpszFileName;
    m_strError.clear();
    m_expectedState.reset();
    m_bChangedOnDisk = false;
    m_bLeadsElsewhere = false;
    if (m_strFilePath.empty()) {
        SetError("No file name given");
        return FALSE;
    }
    FolderEntry& entry = m_impl->entry;
    if (!entry.Open(m_strFilePath)) {
        SetError(OpenErrorText(errno));
        return FALSE;
    }
    struct stat status {};
    if ((nOpenFlags & modeWrite) == 0) {
        m_impl->reader = entry.OpenFile(O_RDONLY, status);
        if (m_impl->reader < 0 || !GetDiskState(entry, status, {}, m_impl->state)) {
            SetError(OpenErrorText(errno));
            return FALSE;
        }
        return TRUE;
    }
    // The file must be writable now, or its folder for a new file.
    std::string writable = ".";
    if (::fstatat(entry.Folder(), entry.Name().c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        if (const int error = NotRegularError(status); error != 0) {
            SetError(OpenErrorText(error));
            return FALSE;
        }
        writable = entry.Name();
    }
    if (::faccessat(entry.Folder(), writable.c_str(), W_OK, AT_EACCESS) != 0) {
        SetError(std::strerror(errno));
        return FALSE;
    }
    m_impl->writing = true;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    char* bytes = static_cast<char*>(lpBuf);
    const int fd = m_impl->reader;
    const auto done = static_cast<UINT>(
        TransferAll(nCount, [&](std::size_t at, std::size_t left) { return ::read(fd, bytes + at, left); }));
    if (errno != 0) {
        SetError(std::strerror(errno));
    }
    m_impl->digest.Add(std::string_view(bytes, done));
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) { m_impl->content.append(static_cast<const char*>(lpBuf), nCount); }

ULONGLONG CFile::GetLength() const { return m_impl->state.size; }

std::string CFile::GetFileName() const { return AfxGetFileName(m_strFilePath); }

BOOL CFile::GetState(DiskState& rState)
{
    if (m_impl->reader >= 0 && !m_impl->stateKnown) {
        char buffer[65536];
        while (Read(buffer, sizeof buffer) > 0) {
        }
        m_impl->state.digest = m_impl->digest.Result();
        m_impl->stateKnown = !HasError();
    }
    if (!m_impl->stateKnown) {
        rState = {};
        return FALSE;
    }
    rState = m_impl->state;
    return TRUE;
}

void CFile::SetExpectedState(const DiskState& state, BOOL bContent)
{
    m_expectedState = state;
    m_bExpectContent = bContent != FALSE;
}

void CFile::SetLeadsElsewhere()
{
    m_bLeadsElsewhere = true;
    SetError("The name now leads to another file than the one that was read");
}

void CFile::FinishWrite()
{
    const FolderEntry& entry = m_impl->entry;
    if (m_expectedState.has_value() && NameLeadsElsewhere(*m_expectedState, entry)) {
        SetLeadsElsewhere();
        return;
    }
    // The file's last look, right before it is replaced.
    auto check = [&](const struct stat& status, const std::string& bytes) {
        if (!m_expectedState.has_value() || !m_bExpectContent) {
            return true;
        }
        m_bChangedOnDisk = IsChanged(*m_expectedState, entry, status, bytes);
        return !m_bChangedOnDisk;
    };
    struct stat written {};
    if (SaveFile(entry, m_impl->content, check, written)) {
        m_impl->stateKnown = GetDiskState(entry, written, Digest(m_impl->content), m_impl->state);
    } else if (m_bChangedOnDisk) {
        SetError("The file was changed on disk since it was read");
    } else if (errno == ELOOP) {
        // A link put in the file's place after its folder was opened.
        SetLeadsElsewhere();
    } else {
        SetError(std::strerror(errno));
    }
}

BOOL CFile::Close()
{
    if (m_impl->writing && !HasError()) {
        FinishWrite();
    }
    Abort();
    return !HasError();
}

void CFile::Abort()
{
    if (m_impl->reader >= 0) {
        ::close(m_impl->reader);
        m_impl->reader = -1;
    }
    m_impl->writing = false;
    m_impl->content.clear();
}
