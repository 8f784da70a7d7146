// Backup and restore of the five main tables: a backup holds exactly the tables of its
// moment and describes them; a restore gives them back row for row, or - for a damaged,
// foreign or unknown file - changes nothing at all; administration folders are never a
// target; a full disk leaves the earlier backup whole; the remembered folder is shared.
#include "boekingen.h"
#include "declar.h"
#include "freshdata.h"
#include "settingsfiles.h"
#include "smalldisk.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "tabeldump.h"
#include "terugzetten.h"
#include "veiligheidskopie.h"
#include "veiligstellen.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace zelk;

namespace {
const QDate day(2026, 5, 1);

std::vector<const TableSchema *> allFive()
{
    std::vector<const TableSchema *> tables;
    for (const veiligstellen::Onderdeel &part : veiligstellen::onderdelen())
        tables.push_back(part.tabel);
    return tables;
}

QStringList fileNames()
{
    QStringList names;
    for (const veiligstellen::Onderdeel &part : veiligstellen::onderdelen())
        names << part.tabel->fileName;
    return names;
}

// The rows of the five tables of a folder, read straight from the files.
QStringList mainRows(const QString &folder)
{
    QStringList rows;
    for (const QString &row : test::tableRows(folder))
        for (const QString &name : fileNames())
            if (row.startsWith(name + u'|') || row.startsWith(name + u':'))
                rows << row;
    return rows;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(ontbreekt)");
}

QString message(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.message();
    }
    return QStringLiteral("(geen fout)");
}
} // namespace

class TestVeiligstellen : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    QString folder(const QString &name) const
    {
        const QString path = data->testHome().path() + QStringLiteral("/backups/") + name;
        QDir().mkpath(path);
        return path;
    }
    void someBookkeeping()
    {
        declar::boekpost(*data, 23, 1, QStringLiteral("Beginbalans"), day, 1250);
        boekingen::uitgaven(*data, 24, 13, {QStringLiteral("Advertentie"), day, 40});
        boekingen::inkomsten(*data, 7, 25, {QStringLiteral("Contributie Jansen"), day, 12.5});
        Table &m = data->ledentabel;
        m.append();
        m.setValue(veld::leden::Naam, QStringLiteral("Jansen"));
        m.setValue(QStringLiteral("Mrt"), true);
        m.post();
        data->setVerenigingsnaam(QStringLiteral("HSV Het Dobbertje"));
    }
    qint64 safetyCopies() const { return veiligheidskopie::lijst(data->werkmap()).size(); }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void backupThenRestoreGivesBackTheBackedUpTables()
    {
        someBookkeeping();
        const QString target = folder(QStringLiteral("maandag"));
        QStringList progress;
        const auto result = veiligstellen::maak(*data, target, allFive(), [&](const TableSchema &t) { progress << t.fileName; });
        QCOMPARE(result.gekopieerd, fileNames());
        QCOMPARE(progress, fileNames());
        QCOMPARE(result.rijen.at(QStringLiteral("journaal.db")), 3);
        const QStringList backedUp = mainRows(data->werkmap());
        QCOMPARE(mainRows(target), backedUp);
        // Nothing half written beside the tables; the description names each of them.
        QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"journaal.db", "leden.DB", "rekeningen.db", "tebetalen.db", "teontvangen.db", "zelk-backup.txt"}));
        const QString about = QString::fromUtf8(readFile(target + QStringLiteral("/zelk-backup.txt")));
        QVERIFY2(about.contains(QStringLiteral("administratie=") + data->werkmap() + u'\n'), qPrintable(about));
        QVERIFY(about.contains(QStringLiteral("vereniging=HSV Het Dobbertje\n")));
        QVERIFY(about.startsWith(QStringLiteral("datum=") + QDate::currentDate().toString(Qt::ISODate)));
        const auto described = veiligstellen::beschrijving(target);
        QCOMPARE(described.size(), size_t(5));
        QCOMPARE(described.at(QStringLiteral("rekeningen.db")).rijen, 37);
        QCOMPARE(described.at(QStringLiteral("leden.DB")).controlegetal,
                 veiligstellen::controlegetal(target + QStringLiteral("/leden.DB")));

        // Bookings and a member after the backup.
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie Pietersen"), day, 15);
        boekingen::inkomsten(*data, 8, 25, {QStringLiteral("Donatie"), day, 30});
        data->ledentabel.append();
        data->ledentabel.setValue(veld::leden::Naam, QStringLiteral("Pietersen"));
        data->ledentabel.post();
        QCOMPARE(data->lastJournalNumber(), 5);
        const QStringList changed = test::tableRows(data->werkmap());

        // The file names of the backup in another letter case still find their tables.
        QVERIFY(QFile::rename(target + QStringLiteral("/leden.DB"), target + QStringLiteral("/leden.db")));
        progress.clear();
        const auto restored
            = terugzetten::zetTerug(*data, target, terugzetten::bestanden(target), [&](const TableSchema &t) { progress << t.fileName; });
        QCOMPARE(restored.teruggezet, fileNames());
        QCOMPARE(progress, fileNames());
        QCOMPARE(mainRows(data->werkmap()), backedUp);
        QVERIFY(!QFileInfo::exists(data->werkmap() + QStringLiteral("/leden.db")));
        // The running program's tables show the backup, and the journal numbers follow on.
        QCOMPARE(data->lastJournalNumber(), 3);
        QCOMPARE(data->ledentabel.recordCount(), 1);
        QCOMPARE(data->journaaltabel.recordCount(), 3);
        QVERIFY(data->betalentabel.isOpen() && data->ontvangentabel.isOpen() && data->mailtjestabel.isOpen());
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie"), day, 10);
        QCOMPARE(data->lastJournalNumber(), 4);
        // What it replaced is in the safety copy made before.
        QCOMPARE(restored.kopie.handeling, QStringLiteral("restore"));
        QCOMPARE(test::tableRows(restored.kopie.pad), changed);
        // And the folder is remembered, in memory and in konfigur.dat.
        QCOMPARE(settingsfiles::readKonfigur(data->werkmap()).backupMap(), target);
        QCOMPARE(veiligstellen::onthouden(*data), target);
    }

    void someTablesOnlyReplaceThoseTables()
    {
        someBookkeeping();
        const QString target = folder(QStringLiteral("drie"));
        const auto result = veiligstellen::maak(*data, target, {&schemas::teontvangen(), &schemas::leden(), &schemas::journaal()});
        QCOMPARE(result.gekopieerd, (QStringList{"leden.DB", "journaal.db", "teontvangen.db"}));
        QCOMPARE(terugzetten::bestanden(target), (QStringList{"journaal.db", "leden.DB", "teontvangen.db"}));
        const QStringList members = mainRows(target).filter(QRegularExpression(QStringLiteral("^leden")));
        data->ledentabel.append();
        data->ledentabel.setValue(veld::leden::Naam, QStringLiteral("Pietersen"));
        data->ledentabel.post();
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie"), day, 10);
        const QStringList accounts = mainRows(data->werkmap()).filter(QRegularExpression(QStringLiteral("^rekeningen")));
        terugzetten::zetTerug(*data, target, {QStringLiteral("leden.DB")});
        QCOMPARE(mainRows(data->werkmap()).filter(QRegularExpression(QStringLiteral("^leden"))), members);
        QCOMPARE(mainRows(data->werkmap()).filter(QRegularExpression(QStringLiteral("^rekeningen"))), accounts);
        QCOMPARE(data->lastJournalNumber(), 4); // the journal was not chosen
    }

    void aDamagedForeignOrUnknownFileChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beschadigd") << "journaal.db"
                                    << "Het bestand journaal.db is beschadigd of geen tabel: ";
        QTest::newRow("ander programma") << "tebetalen.db"
                                         << "Het bestand tebetalen.db is beschadigd of geen tabel: ";
        QTest::newRow("geen ledentabel") << "leden.DB"
                                         << "Het bestand leden.DB is geen leden bestand van dit programma: de velden ontbreken of "
                                            "wijken af.";
        QTest::newRow("gewijzigd") << "rekeningen.db"
                                   << "Het bestand rekeningen.db klopt niet met zelk-backup.txt";
        QTest::newRow("onbekend") << "foto.db"
                                  << "Het bestand foto.db is geen tabel van dit programma.";
    }
    void aDamagedForeignOrUnknownFileChangesNothing()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        someBookkeeping();
        const QString target = folder(QStringLiteral("vijf"));
        veiligstellen::maak(*data, target, allFive());
        const QString path = target + u'/' + file;
        if (file == QLatin1String("journaal.db")) { // pages overwritten in the middle
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(100);
            f.write(QByteArray(5000, '\x5a'));
        } else if (file == QLatin1String("tebetalen.db")) { // a text file of another program
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("Datum;Omschrijving;Bedrag\n01-05-2026;Huur;40\n");
        } else if (file == QLatin1String("leden.DB")) { // the accounts table under the members' name
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::copy(target + QStringLiteral("/rekeningen.db"), path));
            // and described as such, so only its fields give it away
            QFile about(target + QStringLiteral("/zelk-backup.txt"));
            QVERIFY(about.remove());
        } else if (file == QLatin1String("rekeningen.db")) { // a valid table, changed after the backup
            sql::DatabaseHandle db = sql::openFile(path, false);
            sql::exec(db.get(), QStringLiteral("UPDATE rekeningen SET Saldo = 1000000 WHERE Nummer = 1"));
        } else {
            QFile::copy(target + QStringLiteral("/teontvangen.db"), path);
        }
        declar::boekpost(*data, 7, 1, QStringLiteral("Na de backup"), day, 10);
        const QStringList before = test::dump(data->werkmap());
        const qint64 copies = safetyCopies();

        const QString refusal = message([&] { terugzetten::zetTerug(*data, target, terugzetten::bestanden(target)); });
        QVERIFY2(refusal.startsWith(expected), qPrintable(refusal));
        QVERIFY2(refusal.endsWith(QStringLiteral("Er is niets teruggezet.")), qPrintable(refusal));
        QCOMPARE(test::dump(data->werkmap()), before);
        QCOMPARE(safetyCopies(), copies); // nothing happened, so no copy was needed
        QVERIFY(data->journaaltabel.isOpen());
        QCOMPARE(data->lastJournalNumber(), 4);
        QCOMPARE(settingsfiles::readKonfigur(data->werkmap()).backupMap(), target); // from the backup, not the refusal
    }

    // A table whose rows the administration's own table refuses (here a row without its
    // place in the order), after four that were replaced already: all five stay as they were.
    void aFailureWhileReplacingLeavesTheAdministrationAsItWas()
    {
        someBookkeeping();
        const QString target = folder(QStringLiteral("half"));
        veiligstellen::maak(*data, target, allFive());
        QVERIFY(QFile::remove(target + QStringLiteral("/zelk-backup.txt")));
        {
            sql::DatabaseHandle db = sql::openFile(target + QStringLiteral("/teontvangen.db"), false);
            sql::exec(db.get(), QStringLiteral("ALTER TABLE teontvangen RENAME TO oud"));
            sql::exec(db.get(),
                      QStringLiteral("CREATE TABLE teontvangen (Datum DATE, Omschrijving VARCHAR(40), Bedrag CURRENCY, "
                                     "_volgorde REAL)"));
            sql::exec(db.get(), QStringLiteral("INSERT INTO teontvangen SELECT * FROM oud"));
            sql::exec(db.get(), QStringLiteral("INSERT INTO teontvangen VALUES ('2026-05-02', 'Zonder plaats', 5, NULL)"));
            sql::exec(db.get(), QStringLiteral("DROP TABLE oud"));
        }
        terugzetten::controleer(target, QStringLiteral("teontvangen.db")); // the fields are as expected
        declar::boekpost(*data, 7, 1, QStringLiteral("Na de backup"), day, 10);
        const QStringList before = test::dump(data->werkmap());

        const QString failure = message([&] { terugzetten::zetTerug(*data, target, terugzetten::bestanden(target)); });
        QVERIFY2(failure.startsWith(QStringLiteral("Terugzetten van teontvangen.db: ")), qPrintable(failure));
        QVERIFY2(failure.endsWith(QStringLiteral("De administratie is niet gewijzigd.")), qPrintable(failure));
        QCOMPARE(test::dump(data->werkmap()), before);
        QCOMPARE(safetyCopies(), 1);
        QVERIFY(data->ledentabel.isOpen() && data->journaaltabel.isOpen() && data->ontvangentabel.isOpen());
        QCOMPARE(data->lastJournalNumber(), 4);
        QCOMPARE(settingsfiles::readKonfigur(data->werkmap()).backupMap(), target); // from the backup, not the failure
    }

    void administrationFoldersAreNeverATarget()
    {
        const QString root = data->testHome().path();
        for (const char *name : {"zelk01", "zelk02", "zelk03", "zelk04"}) {
            QDir().mkpath(root + u'/' + name);
            QVERIFY(veiligstellen::beschermd(root + u'/' + name));
            const QString refusal = message([&] { veiligstellen::maak(*data, root + u'/' + name + u'/', allFive()); });
            QVERIFY2(refusal.startsWith(QStringLiteral("In de map %1/%2 kan geen backup worden gemaakt").arg(root, name)),
                     qPrintable(refusal));
            QCOMPARE(QDir(root + u'/' + name).entryList(QDir::Files), QStringList());
        }
        // Reached through a link it is the same folder.
        QVERIFY(QFile::link(root + QStringLiteral("/zelk02"), root + QStringLiteral("/snelkoppeling")));
        QVERIFY(veiligstellen::beschermd(root + QStringLiteral("/snelkoppeling")));
        // The administration itself copies nothing and remembers nothing.
        const QStringList before = test::dump(data->werkmap());
        QVERIFY(veiligstellen::maak(*data, data->werkmap(), allFive()).eigenMap);
        QCOMPARE(test::dump(data->werkmap()), before);
        QVERIFY(message([&] {
                    terugzetten::zetTerug(*data, data->werkmap(), fileNames());
                }).startsWith(QStringLiteral("De map %1 is de administratie zelf").arg(data->werkmap())));
        // A subfolder of one is an ordinary folder.
        const QString sub = root + QStringLiteral("/zelk03/backup");
        QVERIFY(QDir().mkpath(sub));
        QVERIFY(!veiligstellen::beschermd(sub));
        QCOMPARE(veiligstellen::maak(*data, sub, allFive()).gekopieerd.size(), 5);
        QVERIFY(message([&] {
                    veiligstellen::maak(*data, root + QStringLiteral("/bestaat-niet"), allFive());
                }).startsWith(QStringLiteral("De map %1/bestaat-niet bestaat niet").arg(root)));
    }

    void theRememberedFolderIsSharedAndKeptWhole()
    {
        const QString a = folder(QStringLiteral("a"));
        const QString b = folder(QStringLiteral("b"));
        veiligstellen::maak(*data, a, {&schemas::leden()});
        QCOMPARE(settingsfiles::readKonfigur(data->werkmap()).backupMap(), a);
        veiligstellen::maak(*data, b, allFive());
        terugzetten::zetTerug(*data, a, {}); // nothing chosen: only remembered
        QCOMPARE(settingsfiles::readKonfigur(data->werkmap()).backupMap(), a);
        // A path that does not fit the 200 characters is not cut but left out.
        const QString deep = folder(QString(190, u'd'));
        QVERIFY(deep.size() > 200);
        veiligstellen::maak(*data, deep, {&schemas::leden()});
        QCOMPARE(settingsfiles::readKonfigur(data->werkmap()).backupMap(), a);
        QVERIFY(QFileInfo::exists(deep + QStringLiteral("/leden.DB")));
        // The record's other settings stay as they were.
        data->settings.konfigur.setNederlandseBedragen(true);
        data->writeKonfigur();
        veiligstellen::maak(*data, b, {&schemas::leden()});
        QVERIFY(settingsfiles::readKonfigur(data->werkmap()).nederlandseBedragen());
        QCOMPARE(settingsfiles::readKonfigur(data->werkmap()).backupMap(), b);
    }

    void sizesCountEveryFileOfATableIn64Bits()
    {
        const QString werkmap = data->werkmap();
        const qint64 table = QFileInfo(werkmap + QStringLiteral("/leden.DB")).size();
        QCOMPARE(veiligstellen::grootte(werkmap, schemas::leden()), table);
        // A companion file of 5 GB (sparse): beyond what 32 bits hold.
        QFile big(werkmap + QStringLiteral("/leden.px"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(Q_INT64_C(5) * 1024 * 1024 * 1024));
        big.close();
        QCOMPARE(veiligstellen::grootte(werkmap, schemas::leden()), table + Q_INT64_C(5) * 1024 * 1024 * 1024);
        QCOMPARE(veiligstellen::grootte(werkmap, schemas::ledennew()), QFileInfo(werkmap + QStringLiteral("/ledennew.DB")).size());
        QFile::remove(big.fileName());
    }

    // A backup onto a disk that fills up: the failure names the table, and the earlier
    // backup in that folder stays whole, byte for byte.
    void aFullDiskLeavesTheEarlierBackupWhole()
    {
        someBookkeeping();
        const QString target = folder(QStringLiteral("stick"));
        test::SmallDisk disk(target, "1m");
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        veiligstellen::maak(*data, target, allFive());
        QStringList earlier;
        for (const QString &name : QDir(target).entryList(QDir::Files))
            earlier << name + u'=' + QString::fromLatin1(readFile(target + u'/' + name).toHex());
        declar::boekpost(*data, 7, 1, QStringLiteral("Na de backup"), day, 10);
        QVERIFY(disk.fill());
        const QString failure = message([&] { veiligstellen::maak(*data, target, allFive()); });
        QVERIFY2(failure.startsWith(QStringLiteral("De backup van de tabel leden.DB naar %1 is mislukt: ").arg(target)),
                 qPrintable(failure));
        QVERIFY2(failure.endsWith(QStringLiteral("Een eerdere backup van deze tabel in die map is niet aangetast.")), qPrintable(failure));
        QStringList after;
        for (const QString &name : QDir(target).entryList(QDir::Files))
            after << name + u'=' + QString::fromLatin1(readFile(target + u'/' + name).toHex());
        QCOMPARE(after, earlier);
        QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("bezig")), QStringList());
        // The earlier backup still restores.
        disk.free();
        terugzetten::zetTerug(*data, target, terugzetten::bestanden(target));
        QCOMPARE(data->lastJournalNumber(), 3);
    }
};

QTEST_GUILESS_MAIN(TestVeiligstellen)
#include "test_veiligstellen.moc"
