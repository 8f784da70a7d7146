// backup and restore: the five main tables copied to a folder and back, with the rules
// of the two screens (protected folders, checks before a restore, all or nothing).
#include "command.h"
#include "session.h"
#include "store/tableschema.h"
#include "terugzetten.h"
#include "veiligstellen.h"

#include <QDir>
#include <QFileInfo>

namespace zelk::cli {
namespace {

// "leden,journaal" or "leden.db,journaal.DB": the names given, without empty ones.
QStringList listOption(QStringList &args)
{
    const QString list = takeOption(args, QStringLiteral("--tables"));
    QStringList names;
    for (const QString &name : list.split(u',', Qt::SkipEmptyParts))
        names << name.trimmed();
    return names;
}

QString folderArgument(const QStringList &args, const char *command)
{
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        throw UsageError(QStringLiteral("%1 heeft één map nodig").arg(QLatin1String(command)).toStdString());
    return QDir::cleanPath(QDir(args[0]).absolutePath());
}

// A name of --tables as a table of the backup: "leden", "leden.db" or "LEDEN.DB".
const TableSchema *mainTable(const QString &name)
{
    for (const veiligstellen::Onderdeel &part : veiligstellen::onderdelen()) {
        const QString fileName = part.tabel->fileName;
        if (name.compare(fileName, Qt::CaseInsensitive) == 0
            || name.compare(QFileInfo(fileName).completeBaseName(), Qt::CaseInsensitive) == 0)
            return part.tabel;
    }
    return nullptr;
}

int backup(const QStringList &given, Io &io)
{
    QStringList args = given;
    const QStringList names = listOption(args);
    const QString folder = folderArgument(args, "backup");
    std::vector<const TableSchema *> tables;
    for (const QString &name : names) {
        const TableSchema *table = mainTable(name);
        if (!table)
            throw UsageError(QStringLiteral("%1 is geen tabel van een backup (leden, rekeningen, journaal, tebetalen, teontvangen)")
                                 .arg(name)
                                 .toStdString());
        tables.push_back(table);
    }
    if (names.isEmpty())
        for (const veiligstellen::Onderdeel &part : veiligstellen::onderdelen())
            tables.push_back(part.tabel);

    auto data = openForWriting(io);
    const veiligstellen::Resultaat result = veiligstellen::maak(*data, folder, tables, [&](const TableSchema &table) {
        io.out << QStringLiteral("Gekopieerd: %1\n").arg(table.fileName);
        io.out.flush();
    });
    if (result.eigenMap) {
        io.out << QStringLiteral("Niets gekopieerd: %1 is de map van de administratie zelf.\n").arg(QDir::toNativeSeparators(folder));
        return Ok;
    }
    io.out << QStringLiteral("Backup in %1: %2 tabel(len).\n").arg(QDir::toNativeSeparators(folder)).arg(result.gekopieerd.size());
    return Ok;
}

int restore(const QStringList &given, Io &io)
{
    QStringList args = given;
    const QStringList names = listOption(args);
    const QString folder = folderArgument(args, "restore");
    const QStringList present = terugzetten::bestanden(folder);
    QStringList chosen;
    if (names.isEmpty()) {
        for (const QString &file : present)
            if (const TableSchema *table = terugzetten::tabelVan(file); table && mainTable(table->fileName))
                chosen << file;
        if (chosen.isEmpty())
            throw UsageError(QStringLiteral("in %1 staat geen tabel van een backup").arg(QDir::toNativeSeparators(folder)).toStdString());
    }
    for (const QString &name : names) {
        const TableSchema *table = mainTable(name);
        QString file = table ? table->fileName : name; // named so, when the folder lacks it
        for (const QString &candidate : present)
            if (candidate.compare(name, Qt::CaseInsensitive) == 0
                || QFileInfo(candidate).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
                file = candidate;
        chosen << file;
    }

    auto data = openForWriting(io);
    const terugzetten::Resultaat result = terugzetten::zetTerug(*data, folder, chosen);
    for (const QString &file : result.teruggezet)
        io.out << QStringLiteral("Teruggezet: %1\n").arg(file);
    if (!result.kopie.naam.isEmpty())
        io.out << QStringLiteral("Veiligheidskopie van daarvoor: %1 (%2)\n")
                      .arg(result.kopie.naam, QDir::toNativeSeparators(result.kopie.pad));
    return Ok;
}

const Registration backupCommand(QStringLiteral("backup"),
                                 {QStringLiteral("backup MAP [--tables leden,rekeningen,journaal,tebetalen,teontvangen]"),
                                  QStringLiteral("kopieert de tabellen (standaard alle vijf) naar MAP, met zelk-backup.txt erbij"),
                                  backup});
const Registration restoreCommand(QStringLiteral("restore"),
                                  {QStringLiteral("restore MAP [--tables LIJST]"),
                                   QStringLiteral("zet de tabellen van een backup in MAP terug (standaard alle die er staan), "
                                                  "alles of niets, na een veiligheidskopie"),
                                   restore});

} // namespace
} // namespace zelk::cli
