// CWinApp's own entries of the settings file, beside the recent-file list.
#include "platform/CRecentFileList.h"
#include "platform/CWinApp.h"

#include <QFile>
#include <QSettings>

#include <algorithm>
#include <cctype>

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

bool IsHexText(const QByteArray& text)
{
    const auto isHexDigit = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    return text.size() % 2 == 0 && std::ranges::all_of(text, isHexDigit);
}
} // namespace

QString CWinApp::GetProfileText(LPCSTR lpszSection, LPCSTR lpszEntry)
{
    ResolveAppName();
    const QString file = UsableSettingsFile(m_registryKey, m_pszAppName);
    if (file.isEmpty()) {
        return {};
    }
    return QSettings(file, QSettings::IniFormat).value(EntryKey(lpszSection, lpszEntry)).toString();
}

BOOL CWinApp::WriteProfileText(LPCSTR lpszSection, LPCSTR lpszEntry, const QString& value)
{
    ResolveAppName();
    const QString file = UsableSettingsFile(m_registryKey, m_pszAppName);
    if (file.isEmpty()) {
        return FALSE;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(EntryKey(lpszSection, lpszEntry), value);
    settings.sync();
    return settings.status() == QSettings::NoError ? TRUE : FALSE;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    bool whole = false;
    const int value = GetProfileText(lpszSection, lpszEntry).toInt(&whole);
    return static_cast<UINT>(whole ? value : nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    return WriteProfileText(lpszSection, lpszEntry, QString::number(nValue));
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, std::vector<BYTE>& data)
{
    data.clear();
    const QByteArray text = GetProfileText(lpszSection, lpszEntry).toLatin1();
    if (text.isEmpty() || !IsHexText(text)) {
        return FALSE;
    }
    const QByteArray bytes = QByteArray::fromHex(text);
    data.assign(bytes.begin(), bytes.end());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, const BYTE* pData, UINT nBytes)
{
    const QByteArray bytes(reinterpret_cast<const char*>(pData), static_cast<qsizetype>(nBytes));
    return WriteProfileText(lpszSection, lpszEntry, QString::fromLatin1(bytes.toHex()));
}
