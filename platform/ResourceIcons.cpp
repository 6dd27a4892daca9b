#include "platform/ResourceIcons.h"

#include <QFile>
#include <QIcon>

QString AfxIconPath(UINT id, int size) { return QStringLiteral(":/varno/icon-%1-%2.png").arg(id).arg(size); }

QIcon AfxLoadIcon(UINT id)
{
    QIcon icon;
    for (int size : {32, 16}) {
        if (const QString path = AfxIconPath(id, size); QFile::exists(path)) {
            icon.addFile(path, QSize(size, size));
        }
    }
    return icon;
}
