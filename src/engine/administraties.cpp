#include "administraties.h"

#include "rekeningschema.h"
#include "settingsfiles.h"
#include "store/connection.h"
#include "store/sqlite.h"
#include "store/tableschema.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace zelk::administraties {

QString root()
{
    const QString home = qEnvironmentVariable("ZELK_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/zelk"));
}

QString folderName(int item)
{
    return item <= 0 ? QStringLiteral("zelk") : QStringLiteral("zelk0%1").arg(item);
}

QString folder(int item)
{
    return root() + u'/' + folderName(item);
}

QString caption(int item)
{
    return item <= 0 ? QStringLiteral("Zelk (standaard)") : QStringLiteral("Zelk0%1").arg(item);
}

int itemOf(const QString &werkmap)
{
    QString path = werkmap;
    while (path.endsWith(u'/') && path.size() > 1)
        path.chop(1);
    if (path.isEmpty())
        return -1;
    const QChar last = path.back();
    if (last >= u'1' && last <= u'4')
        return last.digitValue();
    if (last == QStringLiteral("zelk").back())
        return 0;
    return -1;
}

QString aliasFile()
{
    return root() + QStringLiteral("/zelk.cfg");
}

bool aliasExists()
{
    return QFile::exists(aliasFile());
}

void ensureAlias()
{
    if (!aliasExists())
        setAliasPath(folder(0));
}

QString aliasPath()
{
    ensureAlias();
    QFile file(aliasFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Error(QStringLiteral("Het bestand %1 kan niet worden gelezen: %2").arg(aliasFile(), file.errorString()));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QStringLiteral("PATH="), Qt::CaseInsensitive))
            return QDir::cleanPath(line.mid(5));
    }
    throw Error(QStringLiteral("Het bestand %1 noemt geen administratie (regel PATH= ontbreekt).").arg(aliasFile()));
}

void setAliasPath(const QString &folder)
{
    if (!QDir().mkpath(root()))
        throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(root()));
    QSaveFile file(aliasFile());
    const QByteArray text = "PATH=" + QDir::cleanPath(folder).toUtf8() + '\n';
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw Error(QStringLiteral("Het bestand %1 kan niet worden geschreven: %2").arg(aliasFile(), file.errorString()));
}

namespace {
void createBaseAccounts(const QString &path)
{
    sql::DatabaseHandle db = sql::openFile(path, false);
    sql::exec(db.get(), QStringLiteral("BEGIN"));
    sql::Statement insert(db.get(), QStringLiteral("INSERT INTO \"rekeningen\" (\"Naam\", \"Saldo\") VALUES (?, 0)"));
    for (int position = 1; position <= 25; ++position) {
        insert.bind(1, rekeningschema::nieuweNaam(position));
        insert.run(QStringLiteral("Aanmaken van het rekeningschema"));
        insert.reset();
    }
    sql::exec(db.get(), QStringLiteral("COMMIT"));
}

void copyDefaultLogo(const QString &folder)
{
    const QString target = settingsfiles::defaultLogoPath(folder);
    if (!QFile::exists(target) && QFile::copy(QStringLiteral(":/zelk/lidbedraglogo.jpg"), target))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
} // namespace

void ensureAdministration(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(QDir::toNativeSeparators(folder)));
    const QDir dir(folder);
    QStringList missing;
    int present = 0;
    for (const TableSchema *table : schemas::all())
        QFile::exists(dir.filePath(table->fileName)) ? ++present : (missing << table->fileName, 0);
    if (missing.isEmpty()) {
        copyDefaultLogo(folder);
        return;
    }
    // A few missing files in an administration that has data point at damage or an
    // interrupted restore; creating empty ones would hide it. The two never-used layout
    // copies are the exception: they may be created at any time.
    const QStringList optional = {schemas::ledennew().fileName, schemas::mailtjesnew().fileName};
    const bool onlyOptional = std::all_of(missing.begin(), missing.end(), [&](const QString &f) { return optional.contains(f); });
    if (present > 0 && !onlyOptional)
        throw Error(QStringLiteral("In de administratie %1 ontbreken de tabellen %2. Zet ze terug met Restore.")
                        .arg(QDir::toNativeSeparators(folder), missing.join(QStringLiteral(", "))));
    const bool newChart = !QFile::exists(dir.filePath(schemas::rekeningen().fileName));
    for (const TableSchema *table : schemas::all())
        createTableFile(dir.filePath(table->fileName), *table);
    if (newChart)
        createBaseAccounts(dir.filePath(schemas::rekeningen().fileName));
    copyDefaultLogo(folder);
}

} // namespace zelk::administraties

#include <QCoreApplication>
#include <QFileInfo>

namespace zelk::administraties {
QString programBase()
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return program.absolutePath() + u'/' + program.completeBaseName();
}
} // namespace zelk::administraties
