#include "platform/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL)
{
    if (lpszParam == nullptr || bFlag || !m_strFileName.empty()) {
        return;
    }
    m_strFileName = lpszParam;
    m_nShellCommand = FileOpen;
}
