#pragma once
// Every row of every table file of an administration folder (or a safety copy), read
// straight from the files, and the bytes of its settings files: two dumps are equal
// exactly when the tables and settings are.
#include "store/sqlite.h"
#include "store/tableschema.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace zelk::test {

inline QStringList tableRows(const QString &folder)
{
    QStringList rows;
    for (const TableSchema *table : schemas::all()) {
        const QString path = QDir(folder).filePath(table->fileName);
        if (!QFile::exists(path)) {
            rows << table->fileName + QStringLiteral(": ontbreekt");
            continue;
        }
        sql::DatabaseHandle db = sql::openFile(path, false);
        sql::Statement select(db.get(), QStringLiteral("SELECT rowid, * FROM \"%1\" ORDER BY rowid").arg(table->tableName));
        while (select.step()) {
            QStringList values;
            for (int i = 0; i < select.columnCount(); ++i)
                values << select.column(i).toString();
            rows << table->fileName + u'|' + values.join(u'|');
        }
    }
    return rows;
}

// The rows of the five tables a backup holds, as the files of `folder` hold them.
inline QStringList mainRows(const QString &folder)
{
    static const QStringList names = {"leden.DB|", "rekeningen.db|", "journaal.db|", "tebetalen.db|", "teontvangen.db|"};
    QStringList rows;
    for (const QString &row : tableRows(folder))
        for (const QString &name : names)
            if (row.startsWith(name))
                rows << row;
    return rows;
}

inline QStringList settingsBytes(const QString &folder)
{
    QStringList files;
    for (const char *name : {"instelling.dat", "logonaam.dat", "konfigur.dat", "vereniging.txt"}) {
        QFile file(QDir(folder).filePath(QLatin1String(name)));
        files << QLatin1String(name) + u'=' + (file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().toHex()) : QString());
    }
    return files;
}

inline QStringList dump(const QString &folder)
{
    return tableRows(folder) + settingsBytes(folder);
}

} // namespace zelk::test
