// Administrations: the alias, creation on first use, switching, and completing the chart.
#include "administraties.h"
#include "databases.h"
#include "rekeningschema.h"
#include "store/sqlite.h"
#include "testhome.h"
#include "zelkerror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

using namespace zelk;

namespace {
QStringList accountNames(Table &t)
{
    QStringList names;
    for (int i = 0; i < t.recordCount(); ++i)
        names << t.valueAt(i, u"Naam").toString();
    return names;
}

// Shrinks the chart of the current administration to `rows` rows behind the program's back.
void keepRows(DataModule1 &data, int rows)
{
    const QString path = data.werkmap() + QStringLiteral("/rekeningen.db");
    data.disconnectDatabase();
    auto db = sql::openFile(path, false);
    sql::Statement del(db.get(), QStringLiteral("DELETE FROM rekeningen WHERE Nummer > ?"));
    del.bind(1, rows);
    del.run();
}

void writeAlias(const QByteArray &text)
{
    QFile alias(administraties::aliasFile());
    QVERIFY(alias.open(QIODevice::WriteOnly | QIODevice::Truncate));
    alias.write(text);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Copies the folder `from` with everything in it to `to`.
void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QVERIFY(QDir().mkpath(to));
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir())
            QVERIFY(QDir().mkpath(target));
        else
            QVERIFY2(QFile::copy(source, target), qPrintable(target));
    }
}

// A used administration `item` in the current root: its own association name and an
// open payable, and the alias left on it.
void useAdministration(int item, const QString &name)
{
    DataModule1 data;
    data.openAll();
    data.switchAdministration(item);
    data.setVerenigingsnaam(name);
    data.betalentabel.append();
    data.betalentabel.setValue(u"Omschrijving", name);
    data.betalentabel.post();
}
} // namespace

class TestDatabases : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartCreatesTheAliasAndAStandardAdministration()
    {
        test::TestHome home;
        QVERIFY(!administraties::aliasExists());
        DataModule1 data;
        data.openAll();
        QVERIFY(administraties::aliasExists());
        QCOMPARE(data.werkmap(), home.administration(0));
        QCOMPARE(data.werkmapMetScheiding(), home.administration(0) + u'/');
        for (const char *file : {"leden.DB", "rekeningen.db", "journaal.db", "tebetalen.db", "teontvangen.db", "mailtjes.db", "hulp.db",
                                 "ledennew.DB", "mailtjesnew.db", "lidbedraglogo.jpg"})
            QVERIFY2(QFile::exists(data.werkmap() + u'/' + QLatin1String(file)), file);
        QCOMPARE(data.rekeningtabel.recordCount(), 25);
        QCOMPARE(accountNames(data.rekeningtabel).mid(22), (QStringList{"Eigen vermogen", "Nog te betalen", "Nog te ontvangen"}));
        QCOMPARE(data.lastJournalNumber(), 0);
    }

    // Starting reads settings and counts, not rows: the main menu's last journal number
    // comes from the file's last row, and every table reads its rows when first asked.
    void startingReadsNoRows()
    {
        test::TestHome home;
        {
            DataModule1 earlier;
            earlier.openForUse();
            Transaction transaction(earlier.database1());
            for (int i = 1; i <= 3; ++i) {
                earlier.journaaltabel.append();
                earlier.journaaltabel.setValue(u"JrNr", i);
                earlier.journaaltabel.setValue(u"Omschrijving", QStringLiteral("Boeking %1").arg(i));
                earlier.journaaltabel.post();
            }
            earlier.ledentabel.append();
            earlier.ledentabel.setValue(u"Naam", QStringLiteral("Jansen"));
            earlier.ledentabel.post();
            transaction.commit();
        }
        DataModule1 data;
        data.openForUse();
        QCOMPARE(data.lastJournalNumber(), 3);
        for (Table *t : {&data.ledentabel, &data.rekeningtabel, &data.journaaltabel, &data.betalentabel, &data.ontvangentabel,
                         &data.mailtjestabel, &data.hulpT})
            QVERIFY2(t->isOpen() && !t->isLoaded(), qPrintable(t->objectName()));
        QCOMPARE(data.journaaltabel.text(u"Omschrijving"), QStringLiteral("Boeking 1"));
        QCOMPARE(data.journaaltabel.recordCount(), 3);
        QCOMPARE(data.ledentabel.text(u"Naam"), QStringLiteral("Jansen"));
        QCOMPARE(data.rekeningtabel.recordCount(), 37);
        QCOMPARE(data.lastJournalNumber(), 3);
        QCOMPARE(data.journaaltabel.currentRow(), 0); // asking for the number moved nothing
    }

    void chartCompletion_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("added");
        QTest::addColumn<QString>("firstAdded");
        QTest::newRow("25 rows: all three groups") << 25 << 12 << "Verkoop 2";
        QTest::newRow("30 rows: second and third group") << 30 << 7 << "Overige inkomsten 2";
        QTest::newRow("33 rows: completed to exactly 37") << 33 << 4 << "Overige kosten 3";
        QTest::newRow("35 rows: Kas 3 and Kas 4") << 35 << 2 << "Kas 3";
        QTest::newRow("36 rows: only Kas 4") << 36 << 1 << "Kas 4";
        QTest::newRow("37 rows: nothing") << 37 << 0 << "";
        QTest::newRow("10 rows: the rest of the chart") << 10 << 27 << "Overige inkomsten";
    }
    void chartCompletion()
    {
        QFETCH(int, rows);
        QFETCH(int, added);
        QFETCH(QString, firstAdded);
        test::TestHome home;
        DataModule1 data;
        data.openAll();
        data.completeChart();
        keepRows(data, rows);
        data.openAll();
        QCOMPARE(data.rekeningtabel.recordCount(), rows);
        QCOMPARE(data.completeChart(), added);
        QCOMPARE(data.rekeningtabel.recordCount(), 37);
        if (added > 0)
            QCOMPARE(data.rekeningtabel.valueAt(rows, u"Naam").toString(), firstAdded);
        QCOMPARE(data.rekeningtabel.currentRow(), 0);
        const QStringList names = accountNames(data.rekeningtabel);
        QCOMPARE(names.mid(25),
                 (QStringList{"Verkoop 2", "Verkoop 3", "Verkoop 4", "Jubileumkosten", "Organisatiekosten", "Overige inkomsten 2",
                              "Overige inkomsten 3", "Overige kosten 2", "Overige kosten 3", "Overige kosten 4", "Kas 3", "Kas 4"}));
        // Account numbers follow positions, so position n is still the n-th row.
        for (int i = 1; i < 37; ++i)
            QVERIFY(data.rekeningtabel.valueAt(i, u"Nummer").toLongLong() > data.rekeningtabel.valueAt(i - 1, u"Nummer").toLongLong());
    }

    void aLargerChartIsNeverExtended()
    {
        test::TestHome home;
        DataModule1 data;
        data.openAll();
        data.completeChart();
        data.rekeningtabel.append();
        data.rekeningtabel.setValue(u"Naam", QStringLiteral("Extra"));
        data.rekeningtabel.post();
        QCOMPARE(data.completeChart(), 0);
        QCOMPARE(data.rekeningtabel.recordCount(), 38);
    }

    void switchingKeepsAdministrationsApart()
    {
        test::TestHome home;
        {
            DataModule1 data;
            data.openAll();
            data.completeChart();
            data.settings.instelling.setEmailAdres(QStringLiteral("kas@club.nl"));
            data.writeInstelling();
            data.betalentabel.append();
            data.betalentabel.setValue(u"Omschrijving", QStringLiteral("zaalhuur"));
            data.betalentabel.post();

            data.switchAdministration(3);
            QCOMPARE(data.werkmap(), home.administration(3));
            QCOMPARE(data.settings.instelling.emailAdres(), QString()); // its own, fresh settings
            QCOMPARE(data.betalentabel.recordCount(), 0);
            QCOMPARE(data.rekeningtabel.recordCount(), 37);
            QVERIFY(data.ledentabel.isOpen() && data.journaaltabel.isOpen() && data.mailtjestabel.isOpen());
            // A new administration created by a switch takes a logo installed beside the
            // program; there is none here, so it takes its own.
            QVERIFY(!QFile::exists(administraties::programBase() + QStringLiteral("logo.jpg")));
            QCOMPARE(data.settings.logoPad, home.administration(3) + QStringLiteral("/lidbedraglogo.jpg"));
            QVERIFY(QFile::exists(data.settings.logoPad));
        }
        // The alias remembers the last choice for the next start.
        DataModule1 again;
        again.openAll();
        QCOMPARE(again.werkmap(), home.administration(3));
        again.switchAdministration(0);
        again.readSettings();
        QCOMPARE(again.settings.instelling.emailAdres(), QStringLiteral("kas@club.nl"));
        QCOMPARE(again.betalentabel.recordCount(), 1);
    }

    void itemOfFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("item");
        QTest::newRow("standard") << "/home/kas/.local/share/zelk/zelk" << 0;
        QTest::newRow("03") << "/data/zelk03" << 3;
        QTest::newRow("trailing separator") << "/data/zelk01/" << 1;
        QTest::newRow("other") << "/data/archief" << -1;
    }
    void itemOfFolder()
    {
        QFETCH(QString, folder);
        QFETCH(int, item);
        QCOMPARE(administraties::itemOf(folder), item);
    }

    void theAliasNamesTheFolderRelativeToTheRoot()
    {
        test::TestHome home;
        DataModule1 data;
        data.openAll();
        QCOMPARE(fileBytes(administraties::aliasFile()), QByteArray("PATH=zelk\n"));
        data.switchAdministration(2);
        QCOMPARE(fileBytes(administraties::aliasFile()), QByteArray("PATH=zelk02\n"));
        QCOMPARE(administraties::aliasFolder(), home.administration(2));
    }

    void aCopiedRootWorksOnItsOwnFolders()
    {
        test::TestHome original;
        useAdministration(1, QStringLiteral("Origineel"));
        test::TestHome copy; // the copy is the root from here on
        copyTree(original.path(), copy.path());
        DataModule1 data;
        data.openAll();
        QCOMPARE(data.werkmap(), copy.administration(1));
        QCOMPARE(data.takeNotice(), QString());
        QCOMPARE(data.betalentabel.recordCount(), 1);
        data.setVerenigingsnaam(QStringLiteral("Kopie"));
        data.betalentabel.append();
        data.betalentabel.post();
        data.closeAll();
        QCOMPARE(fileBytes(original.administration(1) + QStringLiteral("/vereniging.txt")), QByteArray("Origineel\n"));
        QCOMPARE(fileBytes(copy.administration(1) + QStringLiteral("/vereniging.txt")), QByteArray("Kopie\n"));
    }

    void aMovedRootWorksAndNothingComesBackAtTheOldPlace()
    {
        test::TestHome place;
        const QString before = place.path() + QStringLiteral("/oud");
        const QString after = place.path() + QStringLiteral("/nieuw");
        qputenv("ZELK_HOME", before.toUtf8());
        useAdministration(1, QStringLiteral("Verhuisd"));
        QVERIFY(QDir().rename(before, after));
        qputenv("ZELK_HOME", after.toUtf8());
        DataModule1 data;
        data.openAll();
        QCOMPARE(data.werkmap(), after + QStringLiteral("/zelk01"));
        QCOMPARE(data.takeNotice(), QString());
        QCOMPARE(data.betalentabel.recordCount(), 1);
        data.readSettings();
        QCOMPARE(data.settings.verenigingsnaam, QStringLiteral("Verhuisd"));
        data.switchAdministration(0);
        data.switchAdministration(1);
        QVERIFY(!QFileInfo::exists(before));
    }

    void anAliasThatLeadsNowhereOpensTheStandardAdministration_data()
    {
        QTest::addColumn<QByteArray>("alias");
        QTest::addColumn<QString>("notice");   // a part of it
        QTest::addColumn<QString>("notThere"); // a folder that must not be made, relative to the root
        QTest::newRow("missing folder") << QByteArray("PATH=zelk03\n") << "zelk03, die het bestand"
                                        << "zelk03";
        QTest::newRow("old full path outside the root")
            << QByteArray("PATH=/media/usb/zelk/zelk01\n") << "/media/usb/zelk/zelk01, buiten de map"
            << "../../media/usb/zelk/zelk01";
        QTest::newRow("leaving the root") << QByteArray("PATH=../elders\n") << "../elders, buiten de map"
                                          << "../elders";
        QTest::newRow("the root itself") << QByteArray("PATH=.\n") << "wijst naar ., buiten de map"
                                         << "";
        QTest::newRow("no PATH line") << QByteArray("zelk01\n") << "noemt geen administratie"
                                      << "";
        QTest::newRow("empty") << QByteArray() << "noemt geen administratie"
                               << "";
    }
    void anAliasThatLeadsNowhereOpensTheStandardAdministration()
    {
        QFETCH(QByteArray, alias);
        QFETCH(QString, notice);
        QFETCH(QString, notThere);
        test::TestHome home;
        useAdministration(0, QStringLiteral("Standaard"));
        writeAlias(alias);
        DataModule1 data;
        data.openAll();
        QCOMPARE(data.werkmap(), home.administration(0));
        QCOMPARE(data.settings.verenigingsnaam, QString()); // settings are read by the caller
        data.readSettings();
        QCOMPARE(data.settings.verenigingsnaam, QStringLiteral("Standaard"));
        const QString told = data.takeNotice();
        QVERIFY2(told.contains(notice)
                     && told.contains(QStringLiteral("Daarom wordt de standaardadministratie %1 gebruikt.").arg(home.administration(0))),
                 qPrintable(told));
        QCOMPARE(data.takeNotice(), QString()); // told once
        if (!notThere.isEmpty())
            QVERIFY(!QFileInfo::exists(QDir(home.path()).filePath(notThere)));
        QCOMPARE(fileBytes(administraties::aliasFile()), alias); // the choice is kept for when the folder is back
        QCOMPARE(QDir(home.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("zelk")});
    }

    void withoutTheStandardAdministrationTooANewOneIsMadeAndSaidSo()
    {
        test::TestHome home;
        useAdministration(0, QStringLiteral("Standaard"));
        QVERIFY(QDir(home.administration(0)).removeRecursively());
        writeAlias("PATH=zelk04\n");
        DataModule1 data;
        data.openForUse();
        QCOMPARE(data.werkmap(), home.administration(0));
        QCOMPARE(data.rekeningtabel.recordCount(), 37);
        QVERIFY2(data.notice().endsWith(QStringLiteral("die nu nieuw en leeg is aangemaakt.")), qPrintable(data.notice()));
        QVERIFY(!QFileInfo::exists(home.administration(4)));
    }

    void anOldAliasWithTheFullPathInsideTheRootIsFollowed()
    {
        test::TestHome home;
        useAdministration(2, QStringLiteral("Twee"));
        writeAlias((QStringLiteral("PATH=") + home.administration(2) + u'\n').toUtf8());
        {
            DataModule1 data;
            data.openAll();
            QCOMPARE(data.werkmap(), home.administration(2));
            QCOMPARE(data.takeNotice(), QString());
            QCOMPARE(data.betalentabel.recordCount(), 1);
        }
        // Also when the root is reached along a link and the alias names the real place.
        test::TestHome other;
        const QString link = other.path() + QStringLiteral("/koppeling");
        QVERIFY(QFile::link(home.path(), link));
        qputenv("ZELK_HOME", link.toUtf8());
        DataModule1 data;
        data.openAll();
        QCOMPARE(data.werkmap(), link + QStringLiteral("/zelk02"));
        QCOMPARE(data.takeNotice(), QString());
    }

    void anAliasThatIsNoRegularFileIsNotOpened()
    {
        test::TestHome home;
        useAdministration(1, QStringLiteral("Een"));
        QVERIFY(QFile::remove(administraties::aliasFile()));
        QCOMPARE(::mkfifo(QFile::encodeName(administraties::aliasFile()).constData(), 0600), 0); // reading it would wait for ever
        DataModule1 data;
        data.openAll();
        QCOMPARE(data.werkmap(), home.administration(0));
        const QString notice = data.takeNotice();
        QVERIFY2(notice.startsWith(QStringLiteral("Het bestand %1 is geen gewoon bestand").arg(administraties::aliasFile())),
                 qPrintable(notice));
    }

    void newAdministrationsAreBuiltBesideAndMovedIn()
    {
        test::TestHome home;
        // What a program stopped while building leaves behind is cleared by the next start.
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral(".nieuw-zelk/half")));
        QFile(home.path() + QStringLiteral("/.nieuw-zelk/rekeningen.db")).open(QIODevice::WriteOnly);
        DataModule1 data;
        data.openAll();
        QCOMPARE(data.rekeningtabel.recordCount(), 25);
        const auto entries = [&] { return QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
        QCOMPARE(entries(), (QStringList{"zelk", "zelk.cfg", "zelk.lock"}));
        // An existing folder without any table gets them all; one that lacks only the
        // never-used layout copies gets those.
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("zelk01")));
        data.switchAdministration(1);
        QCOMPARE(data.rekeningtabel.recordCount(), 37);
        QVERIFY(QFile::remove(home.administration(1) + QStringLiteral("/ledennew.DB")));
        QVERIFY(QFile::remove(home.administration(1) + QStringLiteral("/lidbedraglogo.jpg")));
        data.switchAdministration(0);
        data.switchAdministration(1);
        QVERIFY(QFile::exists(home.administration(1) + QStringLiteral("/ledennew.DB")));
        QVERIFY(QFile::exists(home.administration(1) + QStringLiteral("/lidbedraglogo.jpg")));
        QCOMPARE(entries(), (QStringList{"zelk", "zelk.cfg", "zelk.lock", "zelk01"}));
    }

    void aFolderMissingSomeTablesIsReportedNotPatched()
    {
        test::TestHome home;
        {
            DataModule1 data;
            data.openAll();
        }
        QVERIFY(QFile::remove(home.administration(0) + QStringLiteral("/journaal.db")));
        DataModule1 data;
        try {
            data.openAll();
            QFAIL("opened an administration without its journal");
        } catch (const Error &e) {
            QVERIFY2(e.message().contains(QStringLiteral("journaal.db")), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(home.administration(0) + QStringLiteral("/journaal.db")));
    }
};

QTEST_GUILESS_MAIN(TestDatabases)
#include "test_databases.moc"
