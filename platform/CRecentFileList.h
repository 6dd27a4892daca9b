#pragma once
// The recent-file list: the paths of the last files opened or saved, newest
// first, kept in the user's settings under the organisation and application
// names as "Recent File List/File1", "File2" ...

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CRecentFileList {
public:
    // nStart: the command id of the first entry; nSize: how many entries are kept.
    CRecentFileList(UINT nStart, LPCSTR lpszOrganisation, LPCSTR lpszApplication, int nSize);

    int GetCount() const { return static_cast<int>(m_arrNames.size()); }
    // The entry's full path; nIndex must be within the list, as for Remove.
    const std::string& operator[](int nIndex) const { return m_arrNames[static_cast<std::size_t>(nIndex)]; }

    // Puts the path (made absolute) at the top; the same file further down goes, the oldest falls off.
    void Add(LPCSTR lpszPathName);
    void Remove(int nIndex);

    void ReadList();

    const UINT m_nStart;

private:
    void WriteList() const;

    std::string m_organisation;
    std::string m_application;
    int m_nSize;
    std::vector<std::string> m_arrNames;
};
