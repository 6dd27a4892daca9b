#include "platform/CFile.h"

#include "platform/FilePath.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
// Qt answers a failed read or a short write with "Unknown error"; the system's own words are clearer.
std::string SystemErrorText(const QFileDevice& file, int error)
{
    return error != 0 ? std::strerror(error) : file.errorString().toStdString();
}

// Folders, pipes and devices are refused before they are opened: opening a
// pipe would wait for a writer, and none of them holds a file's bytes.
bool IsNoRegularFile(const QString& name, std::string& error)
{
    QFileInfo info(name);
    if (!info.exists() || info.isFile()) {
        return false;
    }
    error = info.isDir() ? "It is a folder, not a file" : "It is not a regular file";
    return true;
}
} // namespace

struct CFile::Impl {
    std::unique_ptr<QFile> reader;
    std::unique_ptr<QSaveFile> writer;
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
    QString name = QFile::decodeName(m_strFilePath.c_str());
    if ((nOpenFlags & modeReadWrite) != 0) {
        SetError("A file cannot be opened for reading and writing at once");
        return FALSE;
    }
    if (std::string error; IsNoRegularFile(name, error)) {
        SetError(error);
        return FALSE;
    }
    if ((nOpenFlags & modeWrite) != 0) {
        auto writer = std::make_unique<QSaveFile>(name);
        // Unbuffered, so that every short write shows in Write: QSaveFile's
        // commit does not notice when flushing its buffer fails, and would
        // then put a cut-off file in place of the old one.
        if (!writer->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            SetError(writer->errorString().toStdString());
            return FALSE;
        }
        m_impl->writer = std::move(writer);
        return TRUE;
    }
    auto reader = std::make_unique<QFile>(name);
    if (!reader->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        SetError(reader->errorString().toStdString());
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
        SetError(SystemErrorText(*m_impl->writer, errno));
    }
}

ULONGLONG CFile::GetLength() const
{
    const QFileDevice* device = m_impl->reader != nullptr ? static_cast<const QFileDevice*>(m_impl->reader.get())
                                                          : m_impl->writer.get();
    qint64 size = device != nullptr ? device->size() : 0;
    return size > 0 ? static_cast<ULONGLONG>(size) : 0;
}

std::string CFile::GetFileName() const { return AfxGetFileName(m_strFilePath); }

BOOL CFile::Close()
{
    if (m_impl->reader != nullptr) {
        m_impl->reader.reset();
    } else if (m_impl->writer != nullptr) {
        std::unique_ptr<QSaveFile> writer = std::move(m_impl->writer);
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
