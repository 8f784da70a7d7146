// zelk-cli report on a seeded administration: text and CSV compared with saved expected
// files (fixed date, C locale), PDF and HTML written, wrong arguments refused.
// ZELK_UPDATE_GOLDEN=1 rewrites the expected files after a deliberate change.
#include "clirun.h"
#include "goldenfile.h"
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
        QTest::newRow("balans txt") << "balans" << "txt";
        QTest::newRow("balans csv") << "balans" << "csv";
        QTest::newRow("rekeningen txt") << "rekeningen" << "txt";
        QTest::newRow("rekeningen csv") << "rekeningen" << "csv";
    }
    void matchesTheSavedFiles()
    {
        QFETCH(QString, report);
        QFETCH(QString, format);
        const QString path = out.filePath(report + u'.' + format);
        const test::CliRun run = cli({"report", report, "--format", format, "-o", path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("1 blad(en) geschreven naar ") + path + u'\n');
        const QByteArray saved = test::readAll(path);
        QCOMPARE(saved, test::golden(QStringLiteral("report/") + report + u'.' + format, saved));
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
    }
    void wrongArguments()
    {
        QFETCH(QStringList, arguments);
        const test::CliRun run = cli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("Gebruik: zelk-cli report"));
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "test_report.moc"
