// zelk-cli report for the journal, per-account and open-items reports with the filters of
// their overviews (--filter and --range, either side of a range empty) and --account,
// which builds the per-account list first and is therefore a writer; compared with saved
// expected files (fixed date, C locale). A filter that lets nothing through prints a total
// of zero; wrong criteria are refused before anything opens.
// ZELK_UPDATE_GOLDEN=1 rewrites the expected files after a deliberate change.
#include "amountformat.h"
#include "clirun.h"
#include "databases.h"
#include "goldenfile.h"
#include "testhome.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;

namespace {
test::CliRun cli(const QStringList &arguments)
{
    return test::cli(arguments, {.reportDate = QStringLiteral("2026-03-31")});
}
} // namespace

class TestReportOverzichten : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestHome> home;
    QTemporaryDir out;

    // The lines of a report that begin with a journal number and a date.
    static QStringList detailLines(const QString &text)
    {
        static const QRegularExpression detail(QStringLiteral("^ *\\d+ +\\d\\d-\\d\\d-\\d{4} "));
        QStringList lines;
        for (const QString &line : text.split(u'\n'))
            if (detail.match(line).hasMatch())
                lines << line;
        return lines;
    }

    QString report(const QStringList &arguments, test::CliRun *run = nullptr)
    {
        const QString path = out.filePath(QStringLiteral("uit.txt"));
        QFile::remove(path);
        const test::CliRun done = cli(QStringList{"report"} + arguments + QStringList{"--format", "txt", "-o", path});
        if (run)
            *run = done;
        return done.exitCode == 0 ? QString::fromUtf8(test::readAll(path)) : done.err;
    }

private Q_SLOTS:
    void initTestCase()
    {
        home = std::make_unique<test::TestHome>();
        QCOMPARE(cli({"init", "--name", "Schaakclub De Toren"}).exitCode, 0);
        QCOMPARE(cli({"seed", "--members", "4", "--bookings", "80", "--open-items", "6", "--seed", "7"}).exitCode, 0);
    }
    void cleanupTestCase() { home.reset(); }

    void matchesTheSavedFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("journal, a date range and a description")
            << QStringList{"journaal", "--range", "Datum=01-03-2026..31-05-2026", "--filter", "Omschrijving=KANTINE"}
            << "journaal-voorjaar.txt";
        QTest::newRow("journal, journal numbers up to 12, by field name")
            << QStringList{"journaal", "--range", "JrNr=..12", "--filter", "vanrekening=bank"} << "journaal-tot12.txt";
        QTest::newRow("account 1, built first") << QStringList{"rekening", "--account", "1"} << "rekening-bank1.txt";
        QTest::newRow("payables of 100 or less") << QStringList{"tebetalen", "--range", "Bedrag=..100"} << "tebetalen-tot100.txt";
        QTest::newRow("receivables from a date on")
            << QStringList{"teontvangen", "--range", "Datum=2026-06-01.."} << "teontvangen-vanjuni.txt";
    }
    void matchesTheSavedFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        test::CliRun run;
        const QByteArray saved = report(arguments, &run).toUtf8();
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(
            QRegularExpression(QStringLiteral("^(\\d+ mutatie\\(s\\) van .+ opgebouwd\\n)?\\d+ blad\\(en\\) geschreven naar "))));
        const QByteArray golden = test::golden(QStringLiteral("report/") + expected, saved);
        QVERIFY2(
            QFile::exists(qEnvironmentVariable("ZELK_TESTDATA") + QStringLiteral("/report/") + expected),
            qPrintable(QStringLiteral("no saved expected file tests/data/report/%1; check the output and save it with ZELK_UPDATE_GOLDEN=1")
                           .arg(expected)));
        QCOMPARE(saved, golden);
    }

    void aFilterThatLetsNothingThroughPrintsZero_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("journal, a text nowhere") << QStringList{"journaal", "--filter", "Omschrijving=bestaat niet"};
        QTest::newRow("journal, numbers from above to") << QStringList{"journaal", "--range", "Boekstuk=50..40"};
        QTest::newRow("payables, a date long ago") << QStringList{"tebetalen", "--range", "Datum=..31-12-1999"};
        QTest::newRow("receivables, a large amount") << QStringList{"teontvangen", "--range", "Bedrag=1000000.."};
        QTest::newRow("account without bookings") << QStringList{"rekening", "--account", "3"};
    }
    void aFilterThatLetsNothingThroughPrintsZero()
    {
        QFETCH(QStringList, arguments);
        test::CliRun run;
        const QString text = report(arguments, &run);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Totaaltelling van de getoonde (mutaties|posten) +€ 0.00\\n"))),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Bedrag")));
    }

    // The printed total is the sum of the printed amounts, over both pages of the journal.
    void theTotalIsTheSumOfTheLinesPrinted()
    {
        const QString text = report({"journaal"});
        QVERIFY(text.contains(u'\f'));
        static const QRegularExpression line(QStringLiteral("^ *\\d+ +\\d\\d-\\d\\d-\\d{4} .* (-?[\\d,]+\\.\\d\\d)$"),
                                             QRegularExpression::MultilineOption);
        qint64 cents = 0;
        int lines = 0;
        for (auto it = line.globalMatch(text); it.hasNext(); ++lines)
            cents += qRound64(it.next().captured(1).remove(u',').toDouble() * 100);
        QCOMPARE(lines, 86);
        const QString printed = text.section(QStringLiteral("Totaaltelling van de getoonde mutaties"), 1).section(u'\n', 0, 0).trimmed();
        QCOMPARE(printed, AmountFormat().currency(cents / 100.0));
    }

    void wrongCriteriaAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        QTest::newRow("a range on a text") << QStringList{"journaal", "--range", "Omschrijving=a..b"} << "kent bij journaal geen veld";
        QTest::newRow("a text on a range") << QStringList{"tebetalen", "--filter", "Bedrag=12"} << "kent bij tebetalen geen veld";
        QTest::newRow("an unknown field") << QStringList{"journaal", "--filter", "Plaats=Delft"} << "kies uit Omschrijving, Vanrekening";
        QTest::newRow("no dots") << QStringList{"journaal", "--range", "Datum=01-01-2026"} << "VELD=VAN..TOT";
        QTest::newRow("no date") << QStringList{"journaal", "--range", "Datum=32-01-2026.."} << "geen datum";
        QTest::newRow("no number") << QStringList{"teontvangen", "--range", "Bedrag=..twaalf"} << "geen getal";
        QTest::newRow("a range on the balance") << QStringList{"balans", "--range", "Datum=..01-01-2026"} << "--range geldt alleen voor";
        QTest::newRow("a filter on the account report")
            << QStringList{"rekening", "--filter", "Omschrijving=a"} << "--filter geldt alleen voor";
        QTest::newRow("an account for the journal") << QStringList{"journaal", "--account", "1"} << "--account geldt alleen voor rekening";
        QTest::newRow("account 0") << QStringList{"rekening", "--account", "0"} << "van 1 tot en met 37";
        QTest::newRow("account 38") << QStringList{"rekening", "--account", "38"} << "van 1 tot en met 37";
    }
    void wrongCriteriaAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        test::CliRun run;
        report(arguments, &run);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QVERIFY(run.err.contains(QStringLiteral("Gebruik: zelk-cli report")));
    }

    // Building the per-account list writes hulp.db: refused while another program writes;
    // printing the list as it stands only reads and works beside it.
    void buildingTheAccountListIsWriting()
    {
        {
            DataModule1 program; // holds the writer lock, as zelk does
            program.openForUse();
            test::CliRun run;
            report({"rekening", "--account", "7"}, &run);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(QStringLiteral("worden al bijgewerkt door")), qPrintable(run.err));
            const QString text = report({"rekening"}, &run);
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Rekening naam : +In deze sessie is niets opgebouwd"))),
                     qPrintable(text));
        }
        const QString text = report({"rekening", "--account", "7"});
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Rekening naam : +Contributies "))), qPrintable(text));
        // The list stays for the next run, under the first texts.
        const QString again = report({"rekening"});
        QVERIFY(again.contains(QRegularExpression(QStringLiteral("Rekening naam : +In deze sessie is niets opgebouwd"))));
        QCOMPARE(detailLines(again), detailLines(text));
        QVERIFY(!detailLines(text).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportOverzichten)
#include "test_report_overzichten.moc"
