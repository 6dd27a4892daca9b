#include "platform/CArchive.h"

#include "platform/CFile.h"

CArchive::CArchive(CFile* pFile, UINT nMode) : m_pFile(pFile), m_bLoading(nMode == load) {}

UINT CArchive::Read(void* lpBuf, UINT nMax) { return m_pFile->Read(lpBuf, nMax); }

void CArchive::Write(const void* lpBuf, UINT nMax) { m_pFile->Write(lpBuf, nMax); }

void CArchive::SetError(LPCSTR reason)
{
    if (m_strError.empty()) {
        m_strError = reason;
    }
}

BOOL CArchive::HasError() const { return m_bCancelled || !m_strError.empty() || m_pFile->HasError(); }

std::string CArchive::GetErrorText() const { return m_strError.empty() ? m_pFile->GetErrorText() : m_strError; }
