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
        QVERIFY(again.err.contains(QStringLiteral("Regel 51: er bestaat al een lid met de naam")));

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
        QVERIFY2(r.err.contains(QStringLiteral("Regel 3: \"1980-13-01\" is geen geldige datum voor Geb datum")), qPrintable(r.err));
        const QString out = home.path() + QStringLiteral("/uit.csv");
        QCOMPARE(test::cli({"members", "export", out}).out, QStringLiteral("0 leden geschreven naar %1\n").arg(out));
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
