#include "platform/CRecentFileList.h"

#include "platform/FilePath.h"

#include <QSettings>

namespace {
const QString kSection = QStringLiteral("Recent File List");

QString EntryKey(int index) { return kSection + QStringLiteral("/File%1").arg(index + 1); }

// A name that is not UTF-8 (as on old disks) is kept as its bytes: text would lose them.
QVariant StoredName(const std::string& name)
{
    const QString text = QString::fromStdString(name);
    return text.toStdString() == name ? QVariant(text) : QVariant(QByteArray::fromStdString(name));
}
} // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszOrganisation, LPCSTR lpszApplication, int nSize)
    : m_nStart(nStart), m_organisation(lpszOrganisation), m_application(lpszApplication), m_nSize(nSize)
{
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    const std::string path = AfxFullPath(lpszPathName);
    std::erase_if(m_arrNames, [&path](const std::string& name) { return AfxComparePath(name.c_str(), path.c_str()); });
    m_arrNames.insert(m_arrNames.begin(), path);
    if (GetCount() > m_nSize) {
        m_arrNames.resize(static_cast<std::size_t>(m_nSize));
    }
    WriteList();
}

void CRecentFileList::Remove(int nIndex)
{
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    WriteList();
}

void CRecentFileList::ReadList()
{
    QSettings settings(QString::fromUtf8(m_organisation), QString::fromUtf8(m_application));
    for (int i = 0; i < m_nSize; ++i) {
        const QVariant stored = settings.value(EntryKey(i));
        const std::string name = stored.typeId() == QMetaType::QByteArray ? stored.toByteArray().toStdString()
                                                                           : stored.toString().toStdString();
        if (!name.empty()) {
            m_arrNames.push_back(name);
        }
    }
}

void CRecentFileList::WriteList() const
{
    // Written at every change, so that the list survives however the program ends.
    QSettings settings(QString::fromUtf8(m_organisation), QString::fromUtf8(m_application));
    settings.remove(kSection);
    for (int i = 0; i < GetCount(); ++i) {
        settings.setValue(EntryKey(i), StoredName((*this)[i]));
    }
}
