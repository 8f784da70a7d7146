#include "goldenfile.h"

#include <QFile>

namespace zelk::test {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray golden(const QString &name, const QByteArray &actual)
{
    const QString path = qEnvironmentVariable("ZELK_TESTDATA") + u'/' + name;
    if (qEnvironmentVariableIsSet("ZELK_UPDATE_GOLDEN")) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(actual);
        return actual;
    }
    return readAll(path);
}

} // namespace zelk::test
