// CWinApp's own entries of the settings file, beside the recent-file list.
#include "platform/CRecentFileList.h"
#include "platform/CWinApp.h"

#include <QFile>
#include <QSettings>

#include <sys/stat.h>

namespace {
// The settings file, or empty when none is known or it is not a regular file (a FIFO would hold the program).
QString UsableSettingsFile(const std::string& organisation, LPCSTR application)
{
    const std::string file = AfxGetSettingsFile(organisation.c_str(), application);
    struct stat status {};
    if (file.empty() || (::stat(file.c_str(), &status) == 0 && !S_ISREG(status.st_mode))) {
        return {};
    }
    return QFile::decodeName(file.c_str());
}

QString EntryKey(LPCSTR section, LPCSTR entry) { return QString::fromUtf8(section) + u'/' + QString::fromUtf8(entry); }
} // namespace

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    ResolveAppName();
    const QString file = UsableSettingsFile(m_registryKey, m_pszAppName);
    if (file.isEmpty()) {
        return static_cast<UINT>(nDefault);
    }
    const QSettings settings(file, QSettings::IniFormat);
    bool whole = false;
    const int value = settings.value(EntryKey(lpszSection, lpszEntry)).toString().toInt(&whole);
    return static_cast<UINT>(whole ? value : nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    ResolveAppName();
    const QString file = UsableSettingsFile(m_registryKey, m_pszAppName);
    if (file.isEmpty()) {
        return FALSE;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(EntryKey(lpszSection, lpszEntry), nValue);
    settings.sync();
    return settings.status() == QSettings::NoError ? TRUE : FALSE;
}
