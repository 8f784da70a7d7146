// zelk-cli members: export and import of the member register, as a script would use it.
#include "clirun.h"
#include "testhome.h"

#include <QFile>
#include <QTest>

using namespace zelk;

namespace {
void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestCliMembers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportThenImportIntoAnotherAdministration()
    {
        test::TestHome home;
        QCOMPARE(test::cli({"seed", "--members", "50"}).exitCode, 0);
        const QString file = home.path() + QStringLiteral("/leden.csv");
        const test::CliRun out = test::cli({"members", "export", file});
        QCOMPARE(out.exitCode, 0);
        QCOMPARE(out.out, QStringLiteral("50 leden geschreven naar %1\n").arg(file));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray exported = f.readAll();
        QVERIFY(exported.startsWith("\xEF\xBB\xBFNaam;Straat;Pcode;Plaats;Email;Bank-giro;Geb datum;"));

        // Importing into the same register refuses every name, and adds nothing.
        const test::CliRun again = test::cli({"members", "import", file});
        QCOMPARE(again.exitCode, 1);
        QVERIFY(again.err.contains(QStringLiteral("Er is niets ingelezen")));
        QVERIFY(again.err.contains(QStringLiteral("Er is niets ingelezen, want het bestand bevat 50 fouten:\n")));
        QVERIFY(again.err.contains(QStringLiteral("Regel 51: Er bestaat al een lid met de naam")));

        QCOMPARE(test::cli({"admin", "2"}).exitCode, 0);
        const test::CliRun in = test::cli({"members", "import", file});
        QCOMPARE(in.exitCode, 0);
        QCOMPARE(in.out, QStringLiteral("50 leden ingelezen uit %1\n").arg(file));
        const QString back = home.path() + QStringLiteral("/terug.csv");
        QCOMPARE(test::cli({"members", "export", back}).exitCode, 0);
        QFile b(back);
        QVERIFY(b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), exported);
    }

    void oneBadRowImportsNothingAndNamesTheRow()
    {
        test::TestHome home;
        const QString file = home.path() + QStringLiteral("/leden.csv");
        write(file, "Naam,Plaats,Geb datum\nBakker,Delft,01-02-1980\nVisser,Gouda,1980-13-01\nSmit,Tiel,\n");
        const test::CliRun r = test::cli({"members", "import", file});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Regel 3: \"1980-13-01\" is geen geldige geboortedatum")), qPrintable(r.err));
        const QString out = home.path() + QStringLiteral("/uit.csv");
        QCOMPARE(test::cli({"members", "export", out}).out, QStringLiteral("0 leden geschreven naar %1\n").arg(out));
    }

    void aSpreadsheetFileWithDutchHeadingsNamesTheColumnsLeftOut()
    {
        test::TestHome home;
        const QString file = qEnvironmentVariable("ZELK_TESTDATA") + QStringLiteral("/ledenimport/excel-utf8.csv");
        const test::CliRun r = test::cli({"members", "import", file});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("3 leden ingelezen uit %1\nNiet ingelezen kolommen: Lidnummer, Telefoon\n").arg(file));
    }

    void aRefusedFileLeavesTheRegisterAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty name") << QByteArray("Naam;Plaats\r\nVos, Ria;Assen\r\n  ;Delft\r\n;;\r\n")
                                    << "Regel 3: De naam ontbreekt; een lid zonder naam kan niet worden bewaard.";
        QTest::newRow("two-digit year") << QByteArray("Naam;Geboortedatum\r\nVos, Ria;12-5-61\r\n")
                                        << "Regel 2: \"12-5-61\" heeft een jaartal van twee cijfers";
        QTest::newRow("stray byte") << QByteArray("Naam;Plaats\nCaf\xC3\xA9 Noord;Delft\nCaf\xE9 Zuid;Tiel\n")
                                    << "Regel 3: Het bestand is in UTF-8 geschreven, maar op deze regel staat een teken dat geen UTF-8 is";
        QTest::newRow("NUL byte") << QByteArray("Naam;Plaats\nJan\0sen;Delft\n", 26) << "Regel 2: Naam bevat een stuurteken (code 0)";
    }

    void aRefusedFileLeavesTheRegisterAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        test::TestHome home;
        QCOMPARE(test::cli({"seed", "--members", "20"}).exitCode, 0);
        const QString before = home.path() + QStringLiteral("/voor.csv");
        QCOMPARE(test::cli({"members", "export", before}).exitCode, 0);
        const QString file = home.path() + QStringLiteral("/fout.csv");
        write(file, bytes);
        const test::CliRun r = test::cli({"members", "import", file});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("Fout: Er is niets ingelezen, want het bestand bevat een fout:\n") + problem),
                 qPrintable(r.err));
        const QString after = home.path() + QStringLiteral("/na.csv");
        QCOMPARE(test::cli({"members", "export", after}).exitCode, 0);
        QFile a(before), b(after);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
    }

    void wrongArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no file") << QStringList{"members", "export"};
        QTest::newRow("unknown action") << QStringList{"members", "merge", "x.csv"};
    }

    void wrongArguments()
    {
        QFETCH(QStringList, args);
        test::TestHome home;
        QCOMPARE(test::cli(args).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliMembers)
#include "test_cli_members.moc"
