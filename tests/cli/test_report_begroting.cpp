// zelk-cli report begroting and grafiek: the budget report with its amounts from
// --budget FILE (saved expected text and CSV), refusals of a wrong budget file, --budget
// only for the budget, and the chart in every format (HTML with the charts as pictures).
#include "clirun.h"
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

class TestReportBegroting : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestHome> home;
    QTemporaryDir out;

    QString write(const QString &name, const QByteArray &contents)
    {
        const QString path = out.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(contents);
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        home = std::make_unique<test::TestHome>();
        QCOMPARE(cli({"init", "--name", "Schaakclub De Toren"}).exitCode, 0);
        QCOMPARE(cli({"seed", "--members", "4", "--bookings", "80", "--open-items", "4", "--seed", "7"}).exitCode, 0);
    }
    void cleanupTestCase() { home.reset(); }

    void budgetFromAFile_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("text") << "txt";
        QTest::newRow("csv") << "csv";
    }
    void budgetFromAFile()
    {
        QFETCH(QString, format);
        const QString budget = write(QStringLiteral("begroting2027.csv"),
                                     "# begroting 2027\n7;1200\n26;300\n8;0\n9;-50\n"
                                     "12;250.75\n21;1800\n35;12.5\n");
        const QString path = out.filePath(QStringLiteral("begroting-bestand.") + format);
        const test::CliRun run = cli({"report", "begroting", "--budget", budget, "-o", path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("1 blad(en) geschreven naar ") + path + u'\n');
        const QByteArray saved = test::readAll(path);
        QCOMPARE(saved, test::golden(QStringLiteral("report/begroting-bestand.") + format, saved));
        // 1450 of income against 2063.25 of expenses: a shortfall of 613.25.
        QVERIFY(saved.contains("613.25"));
    }

    void wrongBudget_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("a bank account") << QByteArray("7;10\n1;50\n") << "Fout: Regel 2 van de begroting (\"1;50\"): 1 is geen rekening";
        QTest::newRow("no amount") << QByteArray("7;tien\n") << "\"tien\" is geen bedrag";
    }
    void wrongBudget()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        const QString target = out.filePath(QStringLiteral("fout.txt"));
        const test::CliRun run = cli({"report", "begroting", "--budget", write(QStringLiteral("fout.csv"), contents), "-o", target});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(target));
    }

    void missingBudgetFile()
    {
        const test::CliRun run = cli({"report", "begroting", "--budget", out.filePath(QStringLiteral("weg.csv")), "-o", "x.txt"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Fout: De begroting ") + out.filePath(QStringLiteral("weg.csv"))), qPrintable(run.err));
    }

    void budgetOnlyForTheBudget()
    {
        const test::CliRun run = cli({"report", "balans", "--budget", "b.csv", "-o", "x.txt"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("--budget geldt alleen voor begroting")), qPrintable(run.err));
        QVERIFY(cli({"--help"}).out.contains(QStringLiteral("--budget BESTAND")));
    }

    void chartInEveryFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("pdf") << "pdf" << QByteArray("%PDF");
        QTest::newRow("html") << "html" << QByteArray("<!DOCTYPE html>");
        QTest::newRow("txt") << "txt" << QByteArray();
        QTest::newRow("csv") << "csv" << QByteArray("Grafiek,Positie,Rekening,Bedrag,Aandeel\n");
    }
    void chartInEveryFormat()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, start);
        const QString path = out.filePath(QStringLiteral("grafiek.") + format);
        const test::CliRun run = cli({"report", "grafiek", "-o", path});
        QCOMPARE(run.exitCode, 0);
        const QByteArray bytes = test::readAll(path);
        QVERIFY(bytes.startsWith(start));
        if (format == u"pdf")
            QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 1);
        if (format == u"html") {
            QCOMPARE(bytes.count("<img "), 2);
            QCOMPARE(bytes.count("src=\"data:image/png;base64,"), 2);
            QVERIFY(bytes.contains("alt=\"INKOMSTEN\""));
            QVERIFY(bytes.contains("alt=\"UITGAVEN\""));
        }
        if (format == u"txt") {
            QVERIFY(bytes.contains("INKOMSTEN"));
            QVERIFY(bytes.contains("Overzicht inkomsten/uitgaven van"));
            QVERIFY(bytes.contains("Schaakclub De Toren"));
        }
        if (format == u"csv")
            QCOMPARE(bytes.count('\n'), 1 + 10 + 16);
    }
};

QTEST_GUILESS_MAIN(TestReportBegroting)
#include "test_report_begroting.moc"
