#pragma once
// The archive that a document's Serialize reads from or writes to: a
// direction and a file. A Serialize that cannot accept what it reads refuses
// the transfer with SetError instead of throwing; the framework then reports
// the reason and drops the load or the save.

#include "platform/WinTypes.h"

#include <string>

class CFile;

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1 };

    // pFile is open in the direction of nMode and outlives the archive.
    CArchive(CFile* pFile, UINT nMode);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_bLoading; }
    CFile* GetFile() const { return m_pFile; }

    // Read and write through the file, which refuses the direction it was not opened in.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Refuses the transfer; reason is one sentence for the user, such as
    // "The file is too short for its kind." The first reason given is kept.
    void SetError(LPCSTR reason);
    // Ends a transfer that the user cancelled (the framework's user exception): the
    // framework drops it as it does a refusal, but without a report.
    void SetCancelled() { m_bCancelled = true; }
    BOOL IsCancelled() const { return m_bCancelled; }
    // A refusal, a cancel or a failure of the file.
    BOOL HasError() const;
    // The refusal's reason, else the file's error; empty without either.
    std::string GetErrorText() const;

private:
    CFile* m_pFile;
    bool m_bLoading;
    std::string m_strError;
    bool m_bCancelled = false;
};
