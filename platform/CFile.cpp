#include "platform/CFile.h"

#include "platform/FilePath.h"
#include "platform/InPlaceWrite.h"
#include "platform/SaveFile.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr QCryptographicHash::Algorithm kDigest = QCryptographicHash::Sha256;

// Qt answers a failed read or a short write with "Unknown error"; the system's own words are clearer.
std::string SystemErrorText(const QFileDevice& file, int error)
{
    return error != 0 ? std::strerror(error) : file.errorString().toStdString();
}

// Folders, pipes and devices are refused before they are opened: opening a
// pipe would wait for a writer, and none of them holds a file's bytes.
bool IsNoRegularFile(const std::string& name, std::string& error)
{
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0 || S_ISREG(status.st_mode)) {
        return false;
    }
    error = S_ISDIR(status.st_mode) ? "It is a folder, not a file" : "It is not a regular file";
    return true;
}

void SetIdentity(CFileState& state, const struct stat& status)
{
    state.device = status.st_dev;
    state.inode = status.st_ino;
    state.size = static_cast<ULONGLONG>(status.st_size);
    state.modifiedSeconds = status.st_mtim.tv_sec;
    state.modifiedNanoseconds = status.st_mtim.tv_nsec;
}

// The state of an open regular file, read whole from its start; its bytes go to content when asked for.
bool ReadOpenFileState(int fd, CFileState& state, std::string* content)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        errno = EINVAL;
        return false;
    }
    QCryptographicHash digest(kDigest);
    char buffer[65536];
    for (off_t offset = 0;;) {
        ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        digest.addData(QByteArrayView(buffer, got));
        if (content != nullptr) {
            content->append(buffer, static_cast<std::size_t>(got));
        }
        offset += got;
    }
    SetIdentity(state, status);
    state.digest = digest.result().toStdString();
    return true;
}

// Gives the new file the old one's owner, group and mode, as far as this user may.
void KeepOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // The group alone may still be one of this user's.
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    // After the owner: a change of owner clears the set-id bits.
    (void)::fchmod(fd, old.st_mode & 07777);
}
} // namespace

struct CFile::Impl {
    std::unique_ptr<QFile> reader;
    // The temporary file beside the target, for a write that replaces it.
    std::unique_ptr<SaveFile> writer;
    // A write over the file itself, which has several links; the content waits here for Close.
    bool inPlace = false;
    std::string content;
    ULONGLONG written = 0;
    // Of the bytes read or written so far.
    QCryptographicHash digest{kDigest};
    CFileState state;
    bool stateKnown = false;

    bool Writing() const { return writer != nullptr || inPlace; }
};

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::CFile() : m_impl(std::make_unique<Impl>()) {}

CFile::~CFile() { Abort(); }

void CFile::SetError(const std::string& text)
{
    if (m_strError.empty()) {
        m_strError = text.empty() ? "Unknown error" : text;
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
    // The name's bytes as given: Qt's names are text, and would lose a name that is not valid UTF-8.
    if ((nOpenFlags & modeReadWrite) != 0) {
        SetError("A file cannot be opened for reading and writing at once");
        return FALSE;
    }
    if (std::string error; IsNoRegularFile(m_strFilePath, error)) {
        SetError(error);
        return FALSE;
    }
    if ((nOpenFlags & modeWrite) != 0) {
        struct stat target {};
        if (::stat(m_strFilePath.c_str(), &target) == 0 && target.st_nlink > 1) {
            // A rename would leave the other links with the old content.
            if (::faccessat(AT_FDCWD, m_strFilePath.c_str(), W_OK, AT_EACCESS) != 0) {
                SetError(std::strerror(errno));
                return FALSE;
            }
            m_impl->inPlace = true;
            return TRUE;
        }
        auto writer = std::make_unique<SaveFile>(m_strFilePath);
        if (!writer->open()) {
            SetError(writer->errorString().toStdString());
            return FALSE;
        }
        m_impl->writer = std::move(writer);
        return TRUE;
    }
    // Non-blocking, so that a pipe put in the file's place since the check cannot hold the open.
    // Only a regular file under another program's lease says "would block": that open may wait.
    int fd = ::open(m_strFilePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0 && errno == EWOULDBLOCK) {
        fd = ::open(m_strFilePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    }
    if (fd < 0) {
        SetError(std::strerror(errno));
        return FALSE;
    }
    auto reader = std::make_unique<QFile>();
    if (!reader->open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        SetError(reader->errorString().toStdString());
        ::close(fd);
        return FALSE;
    }
    struct stat status {};
    if (::fstat(reader->handle(), &status) != 0) {
        SetError(std::strerror(errno));
        return FALSE;
    }
    SetIdentity(m_impl->state, status);
    m_impl->reader = std::move(reader);
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_impl->reader == nullptr) {
        SetError("The file is not open for reading");
        return 0;
    }
    if (nCount == 0 || HasError()) {
        return 0;
    }
    errno = 0;
    qint64 got = m_impl->reader->read(static_cast<char*>(lpBuf), static_cast<qint64>(nCount));
    if (got < 0) {
        SetError(SystemErrorText(*m_impl->reader, errno));
        return 0;
    }
    m_impl->digest.addData(QByteArrayView(static_cast<const char*>(lpBuf), got));
    return static_cast<UINT>(got);
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (!m_impl->Writing()) {
        SetError("The file is not open for writing");
        return;
    }
    if (nCount == 0 || HasError()) {
        return;
    }
    const char* bytes = static_cast<const char*>(lpBuf);
    if (m_impl->inPlace) {
        m_impl->content.append(bytes, nCount);
    } else {
        qint64 put = m_impl->writer->write(bytes, static_cast<qint64>(nCount));
        if (put != static_cast<qint64>(nCount)) {
            SetError(m_impl->writer->errorString().toStdString());
            return;
        }
    }
    m_impl->digest.addData(QByteArrayView(bytes, nCount));
    m_impl->written += nCount;
}

ULONGLONG CFile::GetLength() const
{
    if (m_impl->Writing()) {
        return m_impl->written;
    }
    qint64 size = m_impl->reader != nullptr ? m_impl->reader->size() : 0;
    return size > 0 ? static_cast<ULONGLONG>(size) : 0;
}

std::string CFile::GetFileName() const { return AfxGetFileName(m_strFilePath); }

BOOL CFile::GetState(CFileState& rState)
{
    if (m_impl->reader != nullptr && !m_impl->stateKnown) {
        char buffer[65536];
        while (Read(buffer, sizeof buffer) > 0) {
        }
        m_impl->state.digest = m_impl->digest.result().toStdString();
        m_impl->stateKnown = !HasError();
    }
    if (!m_impl->stateKnown) {
        return FALSE;
    }
    rState = m_impl->state;
    return TRUE;
}

BOOL CFile::ReadState(LPCSTR lpszFileName, CFileState& rState)
{
    int fd = ::open(lpszFileName != nullptr ? lpszFileName : "", O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return FALSE;
    }
    bool read = ReadOpenFileState(fd, rState, nullptr);
    ::close(fd);
    return read ? TRUE : FALSE;
}

void CFile::FinishWrite()
{
    const char* path = m_strFilePath.c_str();
    // The file as it is now, read whole when it must be compared or written over.
    const bool readWhole = m_expectedState.has_value() || m_impl->inPlace;
    int fd = -1;
    CFileState current;
    std::string oldContent;
    if (!HasError() && readWhole) {
        fd = ::open(path, (m_impl->inPlace ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0 && (errno != ENOENT || m_impl->inPlace)) {
            SetError(std::strerror(errno));
        } else if (fd >= 0 && !ReadOpenFileState(fd, current, m_impl->inPlace ? &oldContent : nullptr)) {
            SetError(std::strerror(errno));
        } else if (fd >= 0 && m_expectedState.has_value() && current != *m_expectedState) {
            m_bChangedOnDisk = true;
            SetError("The file was changed on disk since it was read");
        }
    }
    struct stat old {};
    const bool exists = fd >= 0 ? ::fstat(fd, &old) == 0 : ::stat(path, &old) == 0;
    if (m_impl->inPlace) {
        std::string error;
        if (!HasError() && !AfxWriteInPlace(fd, oldContent, m_impl->content, error)) {
            SetError(error);
        }
        struct stat now {};
        if (!HasError() && ::fstat(fd, &now) == 0) {
            SetIdentity(m_impl->state, now);
            m_impl->stateKnown = true;
        }
    } else {
        std::unique_ptr<SaveFile> writer = std::move(m_impl->writer);
        if (!HasError() && exists) {
            KeepOwnerAndMode(writer->handle(), old);
        }
        // A full disk may only show when the data reaches it.
        if (!HasError() && ::fsync(writer->handle()) != 0) {
            SetError(std::strerror(errno));
        }
        struct stat now {};
        if (!HasError() && ::fstat(writer->handle(), &now) == 0) {
            SetIdentity(m_impl->state, now);
            m_impl->stateKnown = true;
        }
        if (HasError()) {
            writer->cancelWriting();
        }
        // commit() renames the temporary file over the target; on any failure
        // it removes the temporary file instead.
        if (!writer->commit()) {
            SetError(writer->errorString().toStdString());
        }
    }
    if (fd >= 0) {
        ::close(fd);
    }
    m_impl->inPlace = false;
    m_impl->content.clear();
    m_impl->stateKnown = m_impl->stateKnown && !HasError();
    if (m_impl->stateKnown) {
        m_impl->state.digest = m_impl->digest.result().toStdString();
    }
}

BOOL CFile::Close()
{
    if (m_impl->reader != nullptr) {
        m_impl->reader.reset();
    } else if (m_impl->Writing()) {
        FinishWrite();
    }
    return HasError() ? FALSE : TRUE;
}

void CFile::Abort()
{
    m_impl->reader.reset();
    if (m_impl->writer != nullptr) {
        m_impl->writer->cancelWriting();
        m_impl->writer.reset();
    }
    m_impl->inPlace = false;
    m_impl->content.clear();
}
