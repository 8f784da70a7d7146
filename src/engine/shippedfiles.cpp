#include "shippedfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zelk::shippedfiles {

QString find(const QString &name, const QString &resource)
{
    if (QCoreApplication::instance()) {
        const QDir data(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zelk"));
        const QFileInfo installed(data.filePath(name));
        if (installed.isFile() && installed.isReadable())
            return installed.absoluteFilePath();
    }
    return resource;
}

QString manual()
{
    return find(QStringLiteral("handleiding.html"), QStringLiteral(":/zelk/manual/handleiding.html"));
}

QString defaultLogo()
{
    return find(QStringLiteral("lidbedraglogo.jpg"), QStringLiteral(":/zelk/lidbedraglogo.jpg"));
}

} // namespace zelk::shippedfiles
