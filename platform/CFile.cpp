#include "platform/CFile.h"

#include "platform/FilePath.h"
#include "platform/SaveFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
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
} // namespace

struct CFile::Impl {
    std::unique_ptr<QFile> reader;
    std::unique_ptr<SaveFile> writer;
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
        auto writer = std::make_unique<SaveFile>(m_strFilePath);
        if (!writer->open()) {
            SetError(writer->errorString().toStdString());
            return FALSE;
        }
        m_impl->writer = std::move(writer);
        return TRUE;
    }
    // Non-blocking, so that a pipe put in the file's place since the check cannot hold the open.
    const int fd = ::open(m_strFilePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
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
    return static_cast<UINT>(got);
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_impl->writer == nullptr) {
        SetError("The file is not open for writing");
        return;
    }
    if (nCount == 0 || HasError()) {
        return;
    }
    errno = 0;
    qint64 put = m_impl->writer->write(static_cast<const char*>(lpBuf), static_cast<qint64>(nCount));
    if (put != static_cast<qint64>(nCount)) {
        SetError(m_impl->writer->errorString().toStdString());
    }
}

ULONGLONG CFile::GetLength() const
{
    struct stat status {};
    if (m_impl->reader != nullptr) {
        status.st_size = m_impl->reader->size();
    } else if (m_impl->writer == nullptr || ::fstat(m_impl->writer->handle(), &status) != 0) {
        return 0;
    }
    return status.st_size > 0 ? static_cast<ULONGLONG>(status.st_size) : 0;
}

std::string CFile::GetFileName() const { return AfxGetFileName(m_strFilePath); }

BOOL CFile::Close()
{
    if (m_impl->reader != nullptr) {
        m_impl->reader.reset();
    } else if (m_impl->writer != nullptr) {
        std::unique_ptr<SaveFile> writer = std::move(m_impl->writer);
        // A full disk may only show when the data reaches it; commit() does not
        // look at the result of its own sync.
        if (!HasError() && ::fsync(writer->handle()) != 0) {
            SetError(std::strerror(errno));
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
    return HasError() ? FALSE : TRUE;
}

void CFile::Abort()
{
    m_impl->reader.reset();
    if (m_impl->writer != nullptr) {
        m_impl->writer->cancelWriting();
        m_impl->writer.reset();
    }
}
