// zelk-cli report on a seeded administration: every report of the catalogue that does not
// show members, as text and CSV, compared with saved expected files (fixed date, C locale);
// PDF and HTML written; the help and the refusals name every report (--filter: the member
// reports and those of an overview with a filter); wrong arguments refused.
// The member reports are in test_report_leden.cpp.
// ZELK_UPDATE_GOLDEN=1 rewrites the expected files after a deliberate change.
#include "clirun.h"
#include "goldenfile.h"
#include "reports/reportcatalogus.h"
#include "testhome.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;

namespace {

// Reports carry a fixed date, so that the saved files stay valid.
test::CliRun cli(const QStringList &arguments)
{
    return test::cli(arguments, {.reportDate = QStringLiteral("2026-03-31")});
}

// Whether the expected file `name` (below the test data) is saved; a report added to the
// catalogue fails on this by name until its output has been checked and saved.
bool isSaved(const QString &name)
{
    return QFile::exists(qEnvironmentVariable("ZELK_TESTDATA") + u'/' + name);
}

QByteArray missingMessage(const QString &report, const QString &name)
{
    return QStringLiteral("report \"%1\" of the catalogue has no saved expected file tests/data/%2; "
                          "check its output and save it with ZELK_UPDATE_GOLDEN=1")
        .arg(report, name)
        .toUtf8();
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
    std::unique_ptr<zelk::test::TestHome> home;
    QTemporaryDir out;

private Q_SLOTS:
    void initTestCase()
    {
        home = std::make_unique<zelk::test::TestHome>();
        QCOMPARE(cli({"init", "--name", "Schaakclub De Toren"}).exitCode, 0);
        QCOMPARE(cli({"seed", "--members", "4", "--bookings", "80", "--open-items", "4", "--seed", "7"}).exitCode, 0);
    }
    void cleanupTestCase() { home.reset(); }

    void matchesTheSavedFiles_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("format");
        for (const ReportEntry &entry : reportCatalogus()) {
            if (entry.memberFilter)
                continue;
            for (const char *format : {"txt", "csv"})
                QTest::addRow("%s %s", qPrintable(entry.cliName), format) << entry.cliName << QString::fromLatin1(format);
        }
    }
    void matchesTheSavedFiles()
    {
        QFETCH(QString, report);
        QFETCH(QString, format);
        const QString path = out.filePath(report + u'.' + format);
        const test::CliRun run = cli({"report", report, "--format", format, "-o", path});
        QCOMPARE(run.exitCode, 0);
        const QString expected = QStringLiteral("report/") + report + u'.' + format;
        const QByteArray saved = test::readAll(path);
        const QByteArray golden = test::golden(expected, saved);
        QVERIFY2(isSaved(expected), missingMessage(report, expected).constData());
        // The journal of the seeded administration takes two pages, the others one.
        const int pages = report == u"journaal" ? 2 : 1;
        QCOMPARE(run.out, QStringLiteral("%1 blad(en) geschreven naar ").arg(pages) + path + u'\n');
        QCOMPARE(saved, golden);
    }

    void pdfAndHtml_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("pdf from the name") << "balans.pdf" << QByteArray("%PDF");
        QTest::newRow("html from the name") << "rekeningen.html" << QByteArray("<!DOCTYPE html>");
    }
    void pdfAndHtml()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, start);
        const QString path = out.filePath(file);
        QCOMPARE(cli({"report", file.section(u'.', 0, 0), "-o", path}).exitCode, 0);
        const QByteArray bytes = test::readAll(path);
        QVERIFY(bytes.startsWith(start));
        if (file.endsWith(u"pdf")) // the balance fits one page
            QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 1);
        else
            QVERIFY(bytes.contains("Rekeningoverzicht van "));
    }

    void wrongArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown report") << QStringList{"report", "ledenlijst", "-o", "x.txt"};
        QTest::newRow("unknown format") << QStringList{"report", "balans", "--format", "qrp", "-o", "x.qrp"};
        QTest::newRow("no output file") << QStringList{"report", "balans", "--format", "txt"};
        QTest::newRow("no name") << QStringList{"report", "-o", "x.txt"};
        QTest::newRow("a member filter on the balance") << QStringList{"report", "balans", "--filter", "Naam=a", "-o", "x.txt"};
    }
    void wrongArguments()
    {
        QFETCH(QStringList, arguments);
        const test::CliRun run = cli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("Gebruik: zelk-cli report"));
    }

    // The help lists every report of the catalogue with its title; an unknown name is
    // answered with every name; --filter names the reports that take it.
    void everyReportIsNamed()
    {
        const test::CliRun help = cli({"--help"});
        QCOMPARE(help.exitCode, 0);
        const test::CliRun unknown = cli({"report", "ledenlijst", "-o", "x.txt"});
        const test::CliRun filtered = cli({"report", "rekeningen", "--filter", "Naam=a", "-o", "x.txt"});
        QCOMPARE(filtered.exitCode, 2);
        const QStringList offered = unknown.err.section(QStringLiteral("kies uit "), 1).section(u'\n', 0, 0).split(QStringLiteral(", "));
        const QStringList takingFilter = filtered.err.section(QStringLiteral("alleen voor "), 1)
                                             .section(QStringLiteral(", niet voor"), 0, 0)
                                             .split(QStringLiteral(", "));
        for (const ReportEntry &entry : reportCatalogus()) {
            QVERIFY2(help.out.contains(
                         QRegularExpression(QStringLiteral("\\n +%1 +%2\\n").arg(entry.cliName, QRegularExpression::escape(entry.title)))),
                     qPrintable(entry.cliName));
            QVERIFY2(offered.contains(entry.cliName), qPrintable(entry.cliName));
            QCOMPARE(takingFilter.contains(entry.cliName), entry.memberFilter || entry.criteria);
        }
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "test_report.moc"
