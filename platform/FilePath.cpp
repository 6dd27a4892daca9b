#include "platform/FilePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString Decode(LPCSTR path) { return QFile::decodeName(path != nullptr ? path : ""); }

QString Canonical(LPCSTR path)
{
    QFileInfo info(Decode(path));
    QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
} // namespace

std::string AfxGetFileName(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string AfxFullPath(LPCSTR path)
{
    if (path == nullptr || path[0] == '\0') {
        return {};
    }
    return QFile::encodeName(QDir::cleanPath(QFileInfo(Decode(path)).absoluteFilePath())).toStdString();
}

bool AfxComparePath(LPCSTR path1, LPCSTR path2)
{
    if (path1 == nullptr || path2 == nullptr || path1[0] == '\0' || path2[0] == '\0') {
        return false;
    }
    return Canonical(path1) == Canonical(path2);
}
