#include "terugzetten.h"

#include "databases.h"
#include "store/connection.h"
#include "store/sqlite.h"
#include "store/tableschema.h"
#include "veiligstellen.h"
#include "zelkerror.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <optional>
#include <sqlite3.h>

namespace zelk::terugzetten {

namespace {
// The name the backup file is attached under while its rows are read.
const QString bron = QStringLiteral("zelk_bron");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString sentence(const QString &text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

QString quoted(const QString &name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString readOnlyUri(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro");
}

// What a table is called in the messages: the legend's description, else its file name.
QString description(const TableSchema &table)
{
    for (const veiligstellen::Onderdeel &part : veiligstellen::onderdelen())
        if (part.tabel == &table)
            return part.omschrijving.toLower();
    return QStringLiteral("tabel %1").arg(table.fileName);
}

// The columns a table file of this layout holds, in order: name and declared type.
QStringList expectedColumns(const TableSchema &table)
{
    QStringList columns;
    for (const FieldDef &f : table.fields)
        columns << f.name + u' ' + declaredType(f).section(u' ', 0, 0);
    if (table.key == KeyKind::None)
        columns << QString::fromLatin1(orderColumn) + QStringLiteral(" REAL");
    return columns;
}

// The stored columns of a table, the hidden order column included, for SQL.
QString columnList(const TableSchema &table)
{
    QStringList names;
    for (const FieldDef &f : table.fields)
        names << quoted(f.name);
    if (table.key == KeyKind::None)
        names << quoted(QString::fromLatin1(orderColumn));
    return names.join(QStringLiteral(", "));
}

QString scratchName(const TableSchema &table)
{
    return QStringLiteral("terugzetten_") + table.tableName;
}

struct Keuze {
    QString bestand; // as named in the backup folder
    const TableSchema *tabel;
    std::optional<qint64> volgnummer; // the AUTOINCREMENT counter the backup holds
};

// Reads the rows of every chosen file into temporary tables of the connection, beside
// the administration's files; nothing of the administration changes.
void readRows(Connection &connection, const QString &folder, std::vector<Keuze> &chosen,
              const std::function<void(const TableSchema &)> &naElkeTabel)
{
    sqlite3 *db = connection.handle();
    for (Keuze &keuze : chosen) {
        const TableSchema &table = *keuze.tabel;
        const QString what = QStringLiteral("Lezen van %1").arg(keuze.bestand);
        sql::exec(db, QStringLiteral("DROP TABLE IF EXISTS temp.%1").arg(quoted(scratchName(table))), what);
        sql::Statement attach(db, QStringLiteral("ATTACH DATABASE ? AS %1").arg(bron));
        attach.bind(1, readOnlyUri(QDir(folder).filePath(keuze.bestand)));
        attach.run(what);
        try {
            sql::exec(db,
                      QStringLiteral("CREATE TEMP TABLE %1 AS SELECT rowid AS \"_rij\", %2 FROM %3.%4")
                          .arg(quoted(scratchName(table)), columnList(table), bron, quoted(table.tableName)),
                      what);
            if (table.key == KeyKind::AutoInc) {
                sql::Statement sequence(db, QStringLiteral("SELECT seq FROM %1.sqlite_sequence WHERE name = ?").arg(bron));
                sequence.bind(1, table.tableName);
                if (sequence.step())
                    keuze.volgnummer = sequence.columnInt(0);
            }
        } catch (...) {
            sqlite3_exec(db, QStringLiteral("DETACH DATABASE %1").arg(bron).toUtf8().constData(), nullptr, nullptr, nullptr);
            throw;
        }
        sql::exec(db, QStringLiteral("DETACH DATABASE %1").arg(bron), what);
        if (naElkeTabel)
            naElkeTabel(table);
    }
}

// Replaces the rows of every chosen table in one transaction: all files or none.
void replaceRows(Connection &connection, const std::vector<Keuze> &chosen)
{
    Transaction transaction(connection);
    sqlite3 *db = connection.handle();
    for (const Keuze &keuze : chosen) {
        const TableSchema &table = *keuze.tabel;
        const QString what = QStringLiteral("Terugzetten van %1").arg(table.fileName);
        const QString target = connection.qualified(table) + u'.' + quoted(table.tableName);
        sql::exec(db, QStringLiteral("DELETE FROM %1").arg(target), what);
        sql::exec(db,
                  QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT \"_rij\", %2 FROM temp.%3 ORDER BY \"_rij\"")
                      .arg(target, columnList(table), quoted(scratchName(table))),
                  what);
        if (table.key == KeyKind::AutoInc) {
            const QString sequences = connection.qualified(table) + QStringLiteral(".sqlite_sequence");
            sql::Statement forget(db, QStringLiteral("DELETE FROM %1 WHERE name = ?").arg(sequences));
            forget.bind(1, table.tableName);
            forget.run(what);
            if (keuze.volgnummer) {
                sql::Statement keep(db, QStringLiteral("INSERT INTO %1 (name, seq) VALUES (?, ?)").arg(sequences));
                keep.bind(1, table.tableName).bind(2, *keuze.volgnummer);
                keep.run(what);
            }
        }
    }
    transaction.commit();
}

void dropScratch(Connection &connection, const std::vector<Keuze> &chosen)
{
    for (const Keuze &keuze : chosen)
        sqlite3_exec(connection.handle(),
                     QStringLiteral("DROP TABLE IF EXISTS temp.%1").arg(quoted(scratchName(*keuze.tabel))).toUtf8().constData(), nullptr,
                     nullptr, nullptr);
}

} // namespace

const TableSchema *tabelVan(const QString &bestandsnaam)
{
    for (const TableSchema *table : schemas::all())
        if (table->fileName.compare(bestandsnaam, Qt::CaseInsensitive) == 0)
            return table;
    return nullptr;
}

QStringList bestanden(const QString &map)
{
    QStringList names;
    const QFileInfoList entries = QDir(map).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries)
        if (entry.fileName().endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
            names << entry.fileName();
    return names;
}

void controleer(const QString &map, const QString &bestand)
{
    const TableSchema *table = tabelVan(bestand);
    if (!table)
        throw Error(QStringLiteral("Het bestand %1 is geen tabel van dit programma.").arg(bestand));
    const QString path = QDir(map).filePath(bestand);
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("Het bestand %1 ontbreekt in de map %2.").arg(bestand, shown(map)));

    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(readOnlyUri(path).toUtf8().constData(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    sql::DatabaseHandle db(raw);
    QStringList actual;
    qint64 rows = 0;
    try {
        if (rc != SQLITE_OK)
            sql::fail(db.get(), rc, QStringLiteral("Openen van %1").arg(bestand));
        sql::Statement check(db.get(), QStringLiteral("PRAGMA quick_check"));
        if (!check.step() || check.column(0).toString() != QLatin1String("ok"))
            throw Error(QStringLiteral("de inhoud is niet heel"));
        sql::Statement info(db.get(), QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table->tableName)));
        while (info.step())
            actual << info.column(1).toString() + u' ' + info.column(2).toString();
        if (actual == expectedColumns(*table)) {
            sql::Statement count(db.get(), QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table->tableName)));
            rows = count.step() ? count.columnInt(0) : 0;
        }
    } catch (const Error &e) {
        throw Error(QStringLiteral("Het bestand %1 is beschadigd of geen tabel: %2").arg(bestand, sentence(e.message())));
    }
    if (actual != expectedColumns(*table))
        throw Error(QStringLiteral("Het bestand %1 is geen %2 van dit programma: de velden ontbreken of wijken af.")
                        .arg(bestand, description(*table)));
    db.reset();

    const auto described = veiligstellen::beschrijving(map);
    for (const auto &[name, entry] : described) {
        if (name.compare(bestand, Qt::CaseInsensitive) != 0)
            continue;
        if (entry.rijen != rows || entry.controlegetal != veiligstellen::controlegetal(path))
            throw Error(QStringLiteral("Het bestand %1 klopt niet met %2 (aantal rijen of controlegetal): het is beschadigd of "
                                       "na de backup gewijzigd.")
                            .arg(bestand, QLatin1String(veiligstellen::beschrijvingNaam)));
    }
}

Resultaat zetTerug(DataModule1 &data, const QString &bronmap, const QStringList &selectie,
                   const std::function<void(const TableSchema &)> &naElkeTabel)
{
    const QString folder = QDir::cleanPath(QDir(bronmap).absolutePath());
    if (veiligstellen::isWerkmap(folder, data.werkmap()))
        throw Error(QStringLiteral("De map %1 is de administratie zelf; daaruit kan niets worden teruggezet.").arg(shown(folder)));
    if (!QFileInfo(folder).isDir())
        throw Error(QStringLiteral("De map %1 bestaat niet; er is niets teruggezet.").arg(shown(folder)));

    // Every file is checked before anything changes.
    std::vector<Keuze> chosen;
    for (const TableSchema *table : schemas::all()) // in the program's own order
        for (const QString &name : selectie)
            if (tabelVan(name) == table) {
                if (!chosen.empty() && chosen.back().tabel == table)
                    throw Error(QStringLiteral("De bestanden %1 en %2 zijn dezelfde tabel; kies er één. Er is niets teruggezet.")
                                    .arg(chosen.back().bestand, name));
                chosen.push_back({name, table, std::nullopt});
            }
    for (const QString &name : selectie) {
        try {
            controleer(folder, name);
        } catch (const Error &e) {
            throw Error(e.message() + QStringLiteral(" Er is niets teruggezet."));
        }
    }

    Resultaat result;
    if (!chosen.empty()) {
        Connection &connection = data.database1();
        std::optional<Error> failure;
        try {
            data.closeAll(); // rows being edited are posted, so the safety copy holds them
            result.kopie = veiligheidskopie::maak(connection, veiligheidskopie::restore);
        } catch (const Error &e) {
            failure = Error(QStringLiteral("%1 Er is niets teruggezet.").arg(sentence(e.message())));
        }
        if (!failure) {
            try {
                readRows(connection, folder, chosen, naElkeTabel);
                replaceRows(connection, chosen);
                for (const Keuze &keuze : chosen)
                    result.teruggezet << keuze.tabel->fileName;
            } catch (const Error &e) {
                failure = Error(QStringLiteral("%1 De administratie is niet gewijzigd.").arg(sentence(e.message())));
            }
        }
        dropScratch(connection, chosen);
        data.reopenReplaced();
        if (failure)
            throw *failure;
    }
    veiligstellen::onthoud(data, folder);
    return result;
}

} // namespace zelk::terugzetten
