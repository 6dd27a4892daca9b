#pragma once
// A file opened either for reading or for writing a new content. A write goes
// to a temporary file beside the target, which replaces the target only when
// Close finds it whole: a failed or abandoned write leaves the old file as it
// was. Nothing throws: a failure is kept and told by HasError/GetErrorText.

#include "platform/CObject.h"

#include <memory>
#include <string>

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002, // not supported: a file is either read or replaced whole
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        typeBinary = 0x8000,
    };

    CFile();
    // An open write that was not closed is discarded; the target stays as it was.
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead opens an existing file. modeWrite (with or without modeCreate)
    // starts a new content for the file, created when missing. FALSE on failure.
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags);

    // Reads up to nCount bytes; returns the count read, less than nCount at the
    // end of the file or after a read error (which HasError then tells).
    UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or keeps the failure; after a failure nothing more is written.
    void Write(const void* lpBuf, UINT nCount);

    // Bytes in the file being read, or written so far.
    ULONGLONG GetLength() const;
    // The last component of the path given to Open.
    std::string GetFileName() const;
    // The path as given to Open.
    const std::string& GetFilePath() const { return m_strFilePath; }

    // Ends reading, or finishes a write by replacing the target with the new
    // content. FALSE when anything failed; a failed write leaves the target unchanged.
    BOOL Close();
    // Ends without finishing: a write is discarded.
    void Abort();

    BOOL HasError() const { return m_strError.empty() ? FALSE : TRUE; }
    // What failed first, as the system tells it; empty without a failure.
    const std::string& GetErrorText() const { return m_strError; }

private:
    void SetError(const std::string& text);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_strFilePath;
    std::string m_strError;
};
