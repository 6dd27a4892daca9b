#pragma once
// A file opened either for reading or for writing a new content. A write is
// kept until Close, which saves it as SaveFile does: a failed or abandoned
// write leaves the old file as it was. Nothing throws: a failure is kept and
// told by HasError/GetErrorText.

#include "platform/WinTypes.h"
#include "storage/DiskState.h"

#include <memory>
#include <optional>
#include <string>

class CFile {
public:
    // A file is either read or written whole: there is no mode for both.
    enum OpenFlags : UINT { modeRead = 0x0000, modeWrite = 0x0001 };

    CFile();
    // An open write that was not closed is discarded; the target stays as it was.
    ~CFile();

    // modeRead opens an existing file. modeWrite starts a new content for the
    // file, created when missing; it fails at once when the file or its folder
    // cannot be written. FALSE on failure.
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags);

    // Reads up to nCount bytes; returns the count read, less than nCount at the
    // end of the file or after a read error (which HasError then tells).
    UINT Read(void* lpBuf, UINT nCount);
    // Adds nCount bytes to the content that Close writes.
    void Write(const void* lpBuf, UINT nCount);

    // Bytes in the file being read, as it was opened.
    ULONGLONG GetLength() const;
    // The last component of the path given to Open.
    std::string GetFileName() const;
    // The path given to Open.
    const std::string& GetFilePath() const { return m_strFilePath; }

    // For a write: Close then writes only while the name leads where it led in
    // that state, else fails with LeadsElsewhere; with bContent also only while
    // the file is still in that state (or missing), else fails with IsChangedOnDisk.
    void SetExpectedState(const DiskState& state, BOOL bContent = TRUE);
    BOOL IsChangedOnDisk() const { return m_bChangedOnDisk; }
    BOOL LeadsElsewhere() const { return m_bLeadsElsewhere; }
    // While reading: the file as it was opened, with the digest of all its
    // bytes (the rest is read now). After a finished write: the new file.
    // FALSE, with an empty state, when neither is known.
    BOOL GetState(DiskState& rState);

    // Ends reading, or finishes a write by replacing the target with the new
    // content. FALSE when anything failed; a failed write leaves the target unchanged.
    BOOL Close();
    // Ends without finishing: a write is discarded.
    void Abort();

    BOOL HasError() const { return !m_strError.empty(); }
    // What failed first, as the system tells it; empty without a failure.
    const std::string& GetErrorText() const { return m_strError; }

private:
    void SetError(const std::string& text);
    void SetLeadsElsewhere();
    void FinishWrite();

    struct Impl;
    // Also what keeps a CFile from being copied.
    std::unique_ptr<Impl> m_impl;
    std::string m_strFilePath;
    std::string m_strError;
    std::optional<DiskState> m_expectedState;
    bool m_bExpectContent = false;
    bool m_bChangedOnDisk = false;
    bool m_bLeadsElsewhere = false;
};
