#include "veiligstellen.h"

#include "administraties.h"
#include "amountformat.h"
#include "databases.h"
#include "filesave.h"
#include "store/connection.h"
#include "store/sqlite.h"
#include "store/tableschema.h"
#include "zelkerror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zelk::veiligstellen {

namespace {
const QString momentFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
// A table being copied carries this after its name until it is whole on the disk.
const QString bezigAchtervoegsel = QStringLiteral(".zelk-bezig");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString sentence(const QString &text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

// The path a folder is compared by: the canonical one when it exists, else the clean
// absolute one.
QString comparable(const QString &map)
{
    const QFileInfo info(map);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

qint64 rowCount(const QString &path, const TableSchema &table)
{
    sql::DatabaseHandle db = sql::openFile(path, false);
    sql::Statement count(db.get(), QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table.tableName));
    return count.step() ? count.columnInt(0) : 0;
}

// One table copied whole to `partial`: the online backup of the open table, no journal of
// its own (until it is renamed it is no backup at all), forced to the disk.
void copyTable(const Connection &from, const TableSchema &table, const QString &partial)
{
    const QString what = QStringLiteral("Kopiëren van %1").arg(table.fileName);
    {
        sql::DatabaseHandle db = sql::openFile(partial, true);
        sql::exec(db.get(), QStringLiteral("PRAGMA journal_mode=OFF"), what);
        sql::exec(db.get(), QStringLiteral("PRAGMA synchronous=OFF"), what);
        sql::copyDatabase(db.get(), from.handle(), from.schemaName(table).toUtf8().constData(), what);
    }
    if (!syncToDisk(partial))
        throw Error(QStringLiteral("de schijf is vol of niet beschrijfbaar."));
}

QByteArray describe(const std::map<QString, Vermelding> &tables, const QDateTime &moment, const DataModule1 &data)
{
    QString text = QStringLiteral("datum=%1\nadministratie=%2\nvereniging=%3\n")
                       .arg(moment.toString(momentFormat), data.werkmap(), data.settings.verenigingsnaam);
    for (const auto &[name, entry] : tables)
        text += QStringLiteral("tabel=%1;datum=%2;rijen=%3;sha256=%4\n")
                    .arg(name, entry.moment.toString(momentFormat))
                    .arg(entry.rijen)
                    .arg(entry.controlegetal);
    return text.toUtf8();
}
} // namespace

const std::vector<Onderdeel> &onderdelen()
{
    static const std::vector<Onderdeel> list = {
        {&schemas::leden(), QStringLiteral("Leden"), QStringLiteral("Leden bestand")},
        {&schemas::rekeningen(), QStringLiteral("Rekeningen"), QStringLiteral("Rekeningen bestand")},
        {&schemas::journaal(), QStringLiteral("Journaal"), QStringLiteral("Journaal bestand")},
        {&schemas::tebetalen(), QStringLiteral("Nog te betalen"), QStringLiteral("Nog te betalen bestand")},
        {&schemas::teontvangen(), QStringLiteral("Nog te ontvangen"), QStringLiteral("Nog te ontvangen bestand")},
    };
    return list;
}

qint64 grootte(const QString &werkmap, const TableSchema &tabel)
{
    const QString stem = QFileInfo(tabel.fileName).completeBaseName() + u'.';
    qint64 total = 0;
    const QFileInfoList entries = QDir(werkmap).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries)
        if (entry.fileName().startsWith(stem, Qt::CaseInsensitive))
            total += entry.size();
    return total;
}

bool beschermd(const QString &map)
{
    const QString path = comparable(map);
    for (int item = 0; item < administraties::aantal; ++item)
        if (path == comparable(administraties::folder(item)))
            return true;
    return false;
}

bool isWerkmap(const QString &map, const QString &werkmap)
{
    return !werkmap.isEmpty() && comparable(map) == comparable(werkmap);
}

bool onthoud(DataModule1 &data, const QString &map)
{
    Konfigur record = data.settings.konfigur;
    record.setBackupMap(map);
    if (record.backupMap() != map)
        return false; // too long or not writable in the record: a cut path would lead elsewhere
    settingsfiles::write(data.werkmap(), record);
    data.settings.konfigur = record;
    return true;
}

QString onthouden(const DataModule1 &data)
{
    return data.settings.konfigur.backupMap();
}

std::map<QString, Vermelding> beschrijving(const QString &map)
{
    std::map<QString, Vermelding> tables;
    QFile file(QDir(map).filePath(QLatin1String(beschrijvingNaam)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return tables;
    for (const QString &line : QString::fromUtf8(file.read(1 << 20)).split(u'\n')) {
        if (!line.startsWith(QLatin1String("tabel=")))
            continue;
        QString name;
        Vermelding entry;
        for (const QString &part : line.split(u';')) {
            const QString key = part.section(u'=', 0, 0);
            const QString value = part.section(u'=', 1);
            if (key == QLatin1String("tabel"))
                name = value;
            else if (key == QLatin1String("datum"))
                entry.moment = QDateTime::fromString(value, momentFormat);
            else if (key == QLatin1String("rijen"))
                entry.rijen = value.toLongLong();
            else if (key == QLatin1String("sha256"))
                entry.controlegetal = value;
        }
        if (!name.isEmpty())
            tables[name] = entry;
    }
    return tables;
}

QString nieuweMap(const QString &binnen, const QString &naam)
{
    const QString name = naam.trimmed();
    if (name.isEmpty())
        throw Error(QStringLiteral("Vul de naam van de nieuwe map in."));
    if (name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QChar(0)))
        throw Error(QStringLiteral("\"%1\" kan niet de naam van een map zijn.").arg(name));
    const QString path = QDir::cleanPath(QDir::isAbsolutePath(name) ? name : QDir(binnen).filePath(name));
    if (QFileInfo::exists(path))
        throw Error(QStringLiteral("De map %1 bestaat al.").arg(shown(path)));
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt: de map %2 bestaat niet.")
                        .arg(shown(path), shown(QFileInfo(path).absolutePath())));
    if (!QDir().mkdir(path))
        throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt: de naam is niet toegestaan of de schijf is niet "
                                   "beschrijfbaar.")
                        .arg(shown(path)));
    return path;
}

QString vrijeRuimte(const QString &map)
{
    const QString digits = QString::number(QStorageInfo(map).bytesAvailable());
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0 && digits.at(i - 1).isDigit())
            grouped += AmountFormat::current().thousands;
        grouped += digits.at(i);
    }
    return QStringLiteral(" Vrije ruimte  %1 bytes").arg(grouped);
}

QString controlegetal(const QString &pad)
{
    QFile file(pad);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        throw Error(QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(shown(pad)));
    return QString::fromLatin1(hash.result().toHex());
}

Resultaat maak(DataModule1 &data, const QString &doelmap, const std::vector<const TableSchema *> &tabellen,
               const std::function<void(const TableSchema &)> &naElkeTabel)
{
    Resultaat result;
    const QString target = QDir::cleanPath(QDir(doelmap).absolutePath());
    if (isWerkmap(target, data.werkmap())) {
        result.eigenMap = true;
        return result;
    }
    if (beschermd(target))
        throw Error(QStringLiteral("In de map %1 kan geen backup worden gemaakt: het is de map van een administratie. "
                                   "Kies een andere map (een submap mag wel).")
                        .arg(shown(target)));
    if (!QFileInfo(target).isDir())
        throw Error(QStringLiteral("De map %1 bestaat niet; er is geen backup gemaakt.").arg(shown(target)));
    onthoud(data, target);

    Connection &connection = data.database1();
    std::map<QString, Vermelding> described = beschrijving(target);
    for (const Onderdeel &part : onderdelen()) {
        const TableSchema &table = *part.tabel;
        if (std::find(tabellen.begin(), tabellen.end(), &table) == tabellen.end())
            continue;
        const QString finalPath = QDir(target).filePath(table.fileName);
        const QString partial = finalPath + bezigAchtervoegsel;
        try {
            QFile::remove(partial); // what an interrupted backup left
            Vermelding entry;
            entry.moment = QDateTime::currentDateTime();
            copyTable(connection, table, partial);
            entry.rijen = rowCount(partial, table);
            entry.controlegetal = controlegetal(partial);
            // rename(2) replaces an older copy in one step: there is never a moment without one.
            if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(finalPath).constData()) != 0 || !syncToDisk(target))
                throw Error(QStringLiteral("het bestand %1 kan niet worden geschreven.").arg(shown(finalPath)));
            for (auto it = described.begin(); it != described.end();)
                it = it->first.compare(table.fileName, Qt::CaseInsensitive) == 0 ? described.erase(it) : std::next(it);
            described[table.fileName] = entry;
            saveFile(QDir(target).filePath(QLatin1String(beschrijvingNaam)), describe(described, entry.moment, data));
            result.gekopieerd << table.fileName;
            result.rijen[table.fileName] = entry.rijen;
        } catch (const Error &e) {
            QFile::remove(partial);
            throw Error(QStringLiteral("De backup van de tabel %1 naar %2 is mislukt: %3 %4")
                            .arg(table.fileName, shown(target), sentence(e.message()),
                                 result.gekopieerd.isEmpty()
                                     ? QStringLiteral("Een eerdere backup van deze tabel in die map is niet aangetast.")
                                     : QStringLiteral("Gekopieerd zijn alleen: %1; een eerdere backup van %2 in die map is niet "
                                                      "aangetast.")
                                           .arg(result.gekopieerd.join(QStringLiteral(", ")), table.fileName)));
        }
        if (naElkeTabel)
            naElkeTabel(table);
    }
    return result;
}

} // namespace zelk::veiligstellen
