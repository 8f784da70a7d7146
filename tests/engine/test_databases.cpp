// Administrations: the alias, creation on first use, switching, and completing the chart.
#include "administraties.h"
#include "databases.h"
#include "rekeningschema.h"
#include "store/sqlite.h"
#include "testhome.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QTest>

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
        for (const char *file : {"leden.DB", "rekeningen.db", "journaal.db", "tebetalen.db", "teontvangen.db", "mailtjes.db",
                                 "hulp.db", "ledennew.DB", "mailtjesnew.db", "lidbedraglogo.jpg"})
            QVERIFY2(QFile::exists(data.werkmap() + u'/' + QLatin1String(file)), file);
        QCOMPARE(data.rekeningtabel.recordCount(), 25);
        QCOMPARE(accountNames(data.rekeningtabel).mid(22), (QStringList{"Eigen vermogen", "Nog te betalen", "Nog te ontvangen"}));
        QCOMPARE(data.lastJournalNumber(), 0);
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
        QCOMPARE(names.mid(25), (QStringList{"Verkoop 2", "Verkoop 3", "Verkoop 4", "Jubileumkosten", "Organisatiekosten",
                                             "Overige inkomsten 2", "Overige inkomsten 3", "Overige kosten 2",
                                             "Overige kosten 3", "Overige kosten 4", "Kas 3", "Kas 4"}));
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
            // A new administration created by a switch names the logo after the program.
            QCOMPARE(data.settings.logoPad, administraties::programBase() + QStringLiteral("logo.jpg"));
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
