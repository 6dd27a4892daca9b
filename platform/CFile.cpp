#include "platform/CFile.h"

#include "platform/FileApi.h"
#include "platform/FilePath.h"
#include "platform/SaveFile.h"

#include <QCryptographicHash>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
constexpr QCryptographicHash::Algorithm kDigest = QCryptographicHash::Sha256;

// Why a file cannot be opened, for the user: folders, pipes and devices are refused.
std::string OpenErrorText(int error)
{
    switch (error) {
    case EISDIR: return "It is a folder, not a file";
    case EINVAL: return "It is not a regular file";
    default: return std::strerror(error);
    }
}

void SetIdentity(CFileState& state, const struct stat& status)
{
    state.size = static_cast<ULONGLONG>(status.st_size);
    state.identity = {static_cast<std::int64_t>(status.st_dev), static_cast<std::int64_t>(status.st_ino),
                      status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

// Reads up to count bytes; the count read, or -1 with errno.
ssize_t ReadSome(int fd, char* buffer, std::size_t count)
{
    ssize_t got;
    do {
        got = ::read(fd, buffer, count);
    } while (got < 0 && errno == EINTR);
    return got;
}

// The whole content of the regular file just opened as fd with that status, and its state.
// False with errno.
bool ReadWhole(int fd, const struct stat& status, std::string& content, CFileState& state)
{
    char buffer[65536];
    for (ssize_t got = 1; got > 0;) {
        got = ReadSome(fd, buffer, sizeof buffer);
        if (got < 0) {
            return false;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    SetIdentity(state, status);
    state.digest = QCryptographicHash::hash(QByteArrayView(content), kDigest).toStdString();
    return true;
}
} // namespace

struct CFile::Impl {
    // The file being read, and the digest of the bytes read so far.
    int reader = -1;
    QCryptographicHash digest{kDigest};
    // A write: its content waits here for Close. It goes to a temporary file
    // beside the target, or over the file itself when that has several links.
    bool writing = false;
    bool inPlace = false;
    std::string content;
    std::string target; // the file itself, once a symbolic link is resolved
    int temporaryFd = -1;
    std::string temporary;
    CFileState state;
    bool stateKnown = false;
};

IMPLEMENT_DYNAMIC(CFile, CObject)

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
    m_strError.clear();
    m_expectedState.reset();
    m_bChangedOnDisk = false;
    m_impl = std::make_unique<Impl>();
    m_strFilePath = lpszFileName != nullptr ? lpszFileName : "";
    if (m_strFilePath.empty()) {
        SetError("No file name given");
        return FALSE;
    }
    struct stat status {};
    if ((nOpenFlags & modeWrite) == 0) {
        m_impl->reader = AfxOpenRegularFile(m_strFilePath.c_str(), O_RDONLY, status, true);
        if (m_impl->reader < 0) {
            SetError(OpenErrorText(errno));
            return FALSE;
        }
        SetIdentity(m_impl->state, status);
        return TRUE;
    }
    const bool exists = ::stat(m_strFilePath.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        SetError(OpenErrorText(S_ISDIR(status.st_mode) ? EISDIR : EINVAL));
        return FALSE;
    }
    // A rename would leave the other links of the file with the old content.
    m_impl->inPlace = exists && status.st_nlink > 1;
    m_impl->target = m_strFilePath;
    if (!m_impl->inPlace) {
        m_impl->temporaryFd = AfxCreateTemporaryBeside(m_impl->target, m_impl->temporary);
    }
    m_impl->writing = m_impl->inPlace ? ::faccessat(AT_FDCWD, m_strFilePath.c_str(), W_OK, AT_EACCESS) == 0
                                      : m_impl->temporaryFd >= 0;
    if (!m_impl->writing) {
        SetError(std::strerror(errno));
    }
    return m_impl->writing ? TRUE : FALSE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_impl->reader < 0) {
        SetError("The file is not open for reading");
        return 0;
    }
    char* bytes = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount && !HasError()) {
        const ssize_t got = ReadSome(m_impl->reader, bytes + done, nCount - done);
        if (got < 0) {
            SetError(std::strerror(errno));
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<UINT>(got);
    }
    m_impl->digest.addData(QByteArrayView(bytes, done));
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (!m_impl->writing) {
        SetError("The file is not open for writing");
    } else if (!HasError()) {
        m_impl->content.append(static_cast<const char*>(lpBuf), nCount);
    }
}

ULONGLONG CFile::GetLength() const { return m_impl->state.size; }

std::string CFile::GetFileName() const { return AfxGetFileName(m_strFilePath); }

BOOL CFile::GetState(CFileState& rState)
{
    if (m_impl->reader >= 0 && !m_impl->stateKnown) {
        char buffer[65536];
        while (Read(buffer, sizeof buffer) > 0) {
        }
        m_impl->state.digest = m_impl->digest.result().toStdString();
        m_impl->stateKnown = !HasError();
    }
    rState = m_impl->stateKnown ? m_impl->state : CFileState{};
    return m_impl->stateKnown ? TRUE : FALSE;
}

BOOL CFile::ReadState(LPCSTR lpszFileName, CFileState& rState)
{
    struct stat status {};
    const int fd = AfxOpenRegularFile(lpszFileName != nullptr ? lpszFileName : "", O_RDONLY, status, false);
    std::string content;
    const bool read = fd >= 0 && ReadWhole(fd, status, content, rState);
    if (fd >= 0) {
        ::close(fd);
    }
    return read ? TRUE : FALSE;
}

void CFile::FinishWrite()
{
    // The file as it is now, read whole when it must be compared or written over.
    int fd = -1;
    CFileState current;
    std::string oldContent;
    if (m_expectedState.has_value() || m_impl->inPlace) {
        struct stat status {};
        fd = AfxOpenRegularFile(m_strFilePath.c_str(), m_impl->inPlace ? O_RDWR : O_RDONLY, status, false);
        if ((fd < 0 && (errno != ENOENT || m_impl->inPlace)) || (fd >= 0 && !ReadWhole(fd, status, oldContent, current))) {
            SetError(std::strerror(errno));
        } else if (fd >= 0 && m_expectedState.has_value() && current != *m_expectedState) {
            m_bChangedOnDisk = true;
            SetError("The file was changed on disk since it was read");
        }
    }
    struct stat written {};
    bool writtenKnown = false;
    if (!HasError() && m_impl->inPlace) {
        if (!AfxWriteInPlace(fd, oldContent, m_impl->content)) {
            SetError(std::strerror(errno));
        }
        writtenKnown = !HasError() && ::fstat(fd, &written) == 0;
    } else if (!HasError()) {
        const int temporaryFd = std::exchange(m_impl->temporaryFd, -1);
        writtenKnown =
            AfxReplaceWithTemporary(temporaryFd, m_impl->temporary, m_impl->target, m_impl->content, written);
        if (!writtenKnown) {
            SetError(std::strerror(errno));
        }
        m_impl->temporary.clear();
    }
    if (fd >= 0) {
        ::close(fd);
    }
    m_impl->stateKnown = writtenKnown;
    if (writtenKnown) {
        SetIdentity(m_impl->state, written);
        m_impl->state.digest = QCryptographicHash::hash(QByteArrayView(m_impl->content), kDigest).toStdString();
    }
}

BOOL CFile::Close()
{
    if (m_impl->writing && !HasError()) {
        FinishWrite();
    }
    Abort();
    return HasError() ? FALSE : TRUE;
}

void CFile::Abort()
{
    if (m_impl->reader >= 0) {
        ::close(m_impl->reader);
        m_impl->reader = -1;
    }
    if (m_impl->temporaryFd >= 0) {
        ::close(m_impl->temporaryFd);
        m_impl->temporaryFd = -1;
    }
    if (!m_impl->temporary.empty()) {
        ::unlink(m_impl->temporary.c_str());
        m_impl->temporary.clear();
    }
    m_impl->writing = false;
    m_impl->content.clear();
}
