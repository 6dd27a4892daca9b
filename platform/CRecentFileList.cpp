#include "platform/CRecentFileList.h"

#include "platform/FilePath.h"

#include <QFile>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kSection = QStringLiteral("Recent File List");
// Long enough for a burst of opens to end and their windows to show first: the write syncs the disk twice.
constexpr int kWriteDelayMs = 200;

QString EntryKey(int index) { return kSection + QStringLiteral("/File%1").arg(index + 1); }

// A name that is not UTF-8 (as on old disks) is kept as its bytes: text would lose them.
QVariant StoredName(const std::string& name)
{
    const QString text = QString::fromStdString(name);
    return text.toStdString() == name ? QVariant(text) : QVariant(QByteArray::fromStdString(name));
}

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// The user's home: HOME, else the password database's entry; empty when neither gives an absolute path.
std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home)) {
        return home;
    }
    const struct passwd* user = ::getpwuid(::getuid());
    if (user != nullptr && IsAbsolute(user->pw_dir)) {
        return user->pw_dir;
    }
    return {};
}

} // namespace

std::string AfxGetSettingsFile(LPCSTR lpszOrganisation, LPCSTR lpszApplication)
{
    const std::string file = std::string("/") + lpszOrganisation + "/" + lpszApplication + ".conf";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (IsAbsolute(config)) {
        return config + file;
    }
    const std::string home = HomeFolder();
    if (home.empty()) {
        return {};
    }
    return home + "/.config" + file;
}

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszOrganisation, LPCSTR lpszApplication, int nSize)
    : m_nStart(nStart), m_settingsFile(AfxGetSettingsFile(lpszOrganisation, lpszApplication)), m_nSize(nSize)
{
    m_writeTimer.setSingleShot(true);
    m_writeTimer.setInterval(kWriteDelayMs);
    QObject::connect(&m_writeTimer, &QTimer::timeout, [this] { WriteList(); });
}

CRecentFileList::~CRecentFileList()
{
    if (m_writeTimer.isActive()) {
        WriteList();
    }
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    Entry entry{AfxFullPath(lpszPathName), {}};
    entry.resolved = AfxResolvePath(entry.path.c_str());
    std::erase_if(m_arrNames, [&entry](const Entry& name) { return name.resolved == entry.resolved; });
    m_arrNames.insert(m_arrNames.begin(), entry);
    if (GetCount() > m_nSize) {
        m_arrNames.resize(static_cast<std::size_t>(m_nSize));
    }
    m_writeTimer.start();
}

void CRecentFileList::Remove(int nIndex)
{
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_writeTimer.start();
}

void CRecentFileList::ReadList()
{
    if (m_settingsFile.empty()) {
        std::fprintf(stderr, "varno: no home folder is known, so the recent-file list is not kept\n");
        return;
    }
    struct stat status {};
    if (::stat(m_settingsFile.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        std::fprintf(stderr, "varno: %s is not a regular file, so the recent-file list is not kept\n",
                     m_settingsFile.c_str());
        m_settingsFile.clear();
        return;
    }
    QSettings settings(QFile::decodeName(m_settingsFile.c_str()), QSettings::IniFormat);
    for (int i = 0; i < m_nSize; ++i) {
        const QVariant stored = settings.value(EntryKey(i));
        const std::string name = stored.typeId() == QMetaType::QByteArray ? stored.toByteArray().toStdString()
                                                                           : stored.toString().toStdString();
        if (!name.empty() && name.find('\0') == std::string::npos) {
            m_arrNames.push_back({name, AfxResolvePath(name.c_str())});
        }
    }
}

void CRecentFileList::WriteList()
{
    if (m_settingsFile.empty()) {
        return;
    }
    QSettings settings(QFile::decodeName(m_settingsFile.c_str()), QSettings::IniFormat);
    settings.remove(kSection);
    for (int i = 0; i < GetCount(); ++i) {
        settings.setValue(EntryKey(i), StoredName((*this)[i]));
    }
}
