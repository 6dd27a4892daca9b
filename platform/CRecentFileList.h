#pragma once
// The recent-file list: the paths of the last files opened or saved, newest
// first, kept in the user's settings file as "Recent File List/File1",
// "File2" ...

#include "platform/WinTypes.h"

#include <QTimer>

#include <string>
#include <vector>

// The user's settings file of the application: <config>/<organisation>/<application>.conf,
// where <config> is XDG_CONFIG_HOME when it is an absolute path, else ~/.config, the home
// being HOME or else the user's entry in the password database. Empty when no home is known.
std::string AfxGetSettingsFile(LPCSTR lpszOrganisation, LPCSTR lpszApplication);

class CRecentFileList {
public:
    // nStart: the command id of the first entry; nSize: how many entries are kept.
    CRecentFileList(UINT nStart, LPCSTR lpszOrganisation, LPCSTR lpszApplication, int nSize);
    // Writes a change that is still waiting.
    ~CRecentFileList();

    int GetCount() const { return static_cast<int>(m_arrNames.size()); }
    // The entry's full path; nIndex must be within the list, as for Remove.
    const std::string& operator[](int nIndex) const { return m_arrNames[static_cast<std::size_t>(nIndex)].path; }

    // Puts the path (made absolute) at the top; the same file further down goes, the oldest falls off.
    void Add(LPCSTR lpszPathName);
    void Remove(int nIndex);

    // Reads the list from the settings file. A settings file that is not a regular file
    // (a FIFO would hold the program), or a home that cannot be known, is reported on
    // standard error, and the list is then kept for this run only. An entry that holds a
    // zero byte names no file that could be opened, and is dropped.
    void ReadList();

    const UINT m_nStart;

private:
    struct Entry {
        std::string path;
        // The path resolved once, to find the same file under another name.
        std::string resolved;
    };
    void WriteList();

    // Where the list is kept; empty when it is kept for this run only.
    std::string m_settingsFile;
    int m_nSize;
    std::vector<Entry> m_arrNames;
    // Changes are written together once a burst of them is over, so that opening many
    // files writes the settings file once; a change still waiting is written on destruction.
    QTimer m_writeTimer;
};
