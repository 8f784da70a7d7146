// zelk-cli report for every report of the catalogue that shows members, compared with saved
// expected files (fixed date, C locale): member list 1 over filtered members, an empty member
// table, the dues overview of a member with only Mrt set, the others as plain text; each as PDF.
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

const QByteArray members = "Naam;Straat;Pcode;Plaats;Email;Geb datum;Soortlid;Opmerk1;Mrt\n"
                           "Bakker, Els;Molenweg 12;2611 AB;Delft;els@bakker.nl;;Senior;Bestuur;1\n"
                           "de Vries, Jan;Kerkstraat 3;2801 EF;Gouda;jan@devries.nl;02-01-1980;Junior;;\n"
                           "Jansen, Piet;Dorpsstraat 7;9901 GH;Delfzijl;piet@jansen.nl;1990-04-05;Donateur;;0\n";

struct SavedCase {
    QString description;
    QString admin;       // 0 has the three members above, 1 none
    QStringList options; // after the report's name
    QString expected;    // below report/ in the test data
};

// The cases of a report other than its plain text over all members ("<name>.txt"), by
// zelk-cli name.
const QHash<QString, QList<SavedCase>> &specialCases()
{
    static const QHash<QString, QList<SavedCase>> cases = {
        {QStringLiteral("leden"),
         {{"member list 1 filtered on Plaats, text", "0", {"--filter", "Plaats=delf", "--format", "txt"}, "leden-delf.txt"},
          {"member list 1 filtered on Plaats, csv", "0", {"--filter", "Plaats=delf", "--format", "csv"}, "leden-delf.csv"},
          {"member list 1 of an empty table", "1", {"--format", "txt"}, "leden-leeg.txt"}}},
        {QStringLiteral("contributies"),
         {{"dues overview, text", "0", {"--filter", "Naam=Bakker", "--format", "txt"}, "contributies-mrt.txt"},
          {"dues overview, csv", "0", {"--filter", "Naam=Bakker", "--format", "csv"}, "contributies-mrt.csv"}}},
        // The letter of the last print (there is none: an empty letter) for one member.
        {QStringLiteral("brieven"),
         {{"letters filtered on Naam, text", "0", {"--filter", "Naam=Bakker", "--format", "txt"}, "brieven-bakker.txt"}}},
    };
    return cases;
}

QList<SavedCase> casesOf(const ReportEntry &entry)
{
    const QList<SavedCase> special = specialCases().value(entry.cliName);
    if (!special.isEmpty())
        return special;
    return {{entry.cliName + QStringLiteral(", text"),
             QStringLiteral("0"),
             {QStringLiteral("--format"), QStringLiteral("txt")},
             entry.cliName + QStringLiteral(".txt")}};
}

} // namespace

class TestReportLeden : public QObject {
    Q_OBJECT
    std::unique_ptr<zelk::test::TestHome> home;
    QTemporaryDir out;

private Q_SLOTS:
    void initTestCase()
    {
        home = std::make_unique<zelk::test::TestHome>();
        QCOMPARE(cli({"init", "--name", "Schaakclub De Toren"}).exitCode, 0);
        // Administration 1 stays empty; administration 0 gets three members.
        QCOMPARE(cli({"admin", "1"}).exitCode, 0);
        QCOMPARE(cli({"init", "--name", "Schaakclub De Toren"}).exitCode, 0);
        QCOMPARE(cli({"admin", "0"}).exitCode, 0);
        QFile file(out.filePath(QStringLiteral("leden.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(members);
        file.close();
        QCOMPARE(cli({"members", "import", file.fileName()}).exitCode, 0);
    }
    void cleanupTestCase() { home.reset(); }

    void matchesTheSavedFiles_data()
    {
        QTest::addColumn<QString>("admin");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        for (const ReportEntry &entry : reportCatalogus()) {
            if (!entry.memberFilter)
                continue;
            for (const SavedCase &saved : casesOf(entry))
                QTest::newRow(qPrintable(saved.description)) << saved.admin << QStringList{entry.cliName} + saved.options << saved.expected;
        }
    }
    void matchesTheSavedFiles()
    {
        QFETCH(QString, admin);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCOMPARE(cli({"admin", admin}).exitCode, 0);
        const QString path = out.filePath(expected);
        const test::CliRun run = cli(QStringList{"report"} + arguments + QStringList{"-o", path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("1 blad(en) geschreven naar ") + path + u'\n');
        const QByteArray saved = test::readAll(path);
        const QByteArray golden = test::golden(QStringLiteral("report/") + expected, saved);
        QVERIFY2(QFile::exists(qEnvironmentVariable("ZELK_TESTDATA") + QStringLiteral("/report/") + expected),
                 qPrintable(QStringLiteral("report \"%1\" of the catalogue has no saved expected file tests/data/report/%2; "
                                           "check its output and save it with ZELK_UPDATE_GOLDEN=1")
                                .arg(arguments.first(), expected)));
        QCOMPARE(saved, golden);
        QCOMPARE(cli({"admin", "0"}).exitCode, 0);
    }

    // Only reports of the catalogue that show members have cases of their own here.
    void everySpecialCaseIsAMemberReport()
    {
        for (const QString &name : specialCases().keys()) {
            const ReportEntry *entry = reportByCliName(name);
            QVERIFY2(entry && entry->memberFilter, qPrintable(name));
        }
    }

    void memberReportsAsPdf_data()
    {
        QTest::addColumn<QString>("report");
        for (const ReportEntry &entry : reportCatalogus())
            if (entry.memberFilter)
                QTest::newRow(qPrintable(entry.cliName)) << entry.cliName;
    }
    void memberReportsAsPdf()
    {
        QFETCH(QString, report);
        const QString path = out.filePath(report + QStringLiteral(".pdf"));
        QCOMPARE(cli({"report", report, "-o", path}).exitCode, 0);
        const QByteArray bytes = test::readAll(path);
        QVERIFY(bytes.startsWith("%PDF"));
        // The letters print a page for each of the three members, the lists one page.
        const int pages = report == u"brieven" ? 3 : 1;
        QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), pages);
    }

    void aFilterOnAnUnknownFieldIsRefused()
    {
        const test::CliRun run = cli({"report", "leden", "--filter", "Woonplaats=delf", "-o", out.filePath(QStringLiteral("x.txt"))});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("geen veld"));
    }
};

QTEST_GUILESS_MAIN(TestReportLeden)
#include "test_report_leden.moc"
