#include "platform/ResourceIcons.h"

#include <QFile>
#include <QIcon>

QIcon AfxLoadIcon(UINT id)
{
    QIcon icon;
    for (int size : {32, 16}) {
        const QString path = QStringLiteral(":/varno/icon-%1-%2.png").arg(id).arg(size);
        if (QFile::exists(path)) {
            icon.addFile(path, QSize(size, size));
        }
    }
    return icon;
}
