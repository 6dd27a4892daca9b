#include "platform/ResourceIcons.h"

#include <QFile>
#include <QIcon>

#include <map>

QString AfxIconPath(UINT id, int size) { return QStringLiteral(":/varno/icon-%1-%2.png").arg(id).arg(size); }

QIcon AfxLoadIcon(UINT id)
{
    // Read once: every document window shows the same icon.
    static std::map<UINT, QIcon> loaded;
    if (const auto found = loaded.find(id); found != loaded.end()) {
        return found->second;
    }
    QIcon& icon = loaded[id];
    for (int size : {32, 16}) {
        if (const QString path = AfxIconPath(id, size); QFile::exists(path)) {
            icon.addFile(path, QSize(size, size));
        }
    }
    return icon;
}
