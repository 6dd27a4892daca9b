#pragma once
// What the command line asks the framework to do at start-up.

#include "platform/WinTypes.h"

#include <string>

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen };

    // Called by ParseCommandLine for each token: a flag (after "/" or "-", without it) or a
    // parameter. The first parameter names a file to open; flags ask for nothing here.
    void ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast);

    int m_nShellCommand = FileNew;
    std::string m_strFileName;
};
