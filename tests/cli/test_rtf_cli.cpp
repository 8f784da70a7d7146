#include "clirun.h"
#include "goldenfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;
using test::cli;

namespace {

QString dataFile(const QString &name)
{
    return QDir(qEnvironmentVariable("ZELK_TESTDATA")).filePath(QStringLiteral("rtf/") + name);
}

} // namespace

class TestRtfCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("out");
        QTest::newRow("rtf from pandoc") << dataFile("pandoc-verslag.rtf")
                                         << u"Verslag van de penningmeester\n\nJaarverslag 2024\n"
                                            "De vereniging heeft een positief saldo van € 1.234,50. De kascommissie keurde het verslag "
                                            "goed. Ideeën voor het café zijn welkom.\n•\tContributie: € 25,00\n•\tDonaties: € 100,00\n"
                                            "Met vriendelijke groet,\nde penningmeester\n"_qs;
        // A text file ending in a line end has an empty last paragraph, printed as an empty line.
        QTest::newRow("plain text file") << dataFile("sources/notulen.tex")
                                         << QString::fromUtf8(test::readAll(dataFile("sources/notulen.tex"))) + u'\n';
    }
    void text()
    {
        QFETCH(QString, file);
        QFETCH(QString, out);
        const test::CliRun run = cli({"rtf", "text", file});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, out);
    }

    // What the writer makes of other programs' files is pinned in expected files.
    void copy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("pandoc") << "pandoc-verslag.rtf";
        QTest::newRow("libreoffice") << "libreoffice-brief.rtf";
    }
    void copy()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString target = dir.filePath(name);
        const test::CliRun run = cli({"rtf", "copy", dataFile(name), target});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(test::readAll(target), test::readAll(dataFile("expected/" + name)));
        QCOMPARE(cli({"rtf", "text", target}).out, cli({"rtf", "text", dataFile(name)}).out);
    }

    // The manual is written as HTML and shipped as RTF; its headings survive.
    void htmlBecomesRtf()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath("pagina.html");
        QFile html(page);
        QVERIFY(html.open(QIODevice::WriteOnly));
        html.write("<h1>5. VERWERKEN INKOMSTEN</h1><p>Met de knop <b>Inkomsten</b> \xe2\x82\xac 25,00.</p>");
        html.close();
        const QString target = dir.filePath("uitleg.rtf");
        QCOMPARE(cli({"rtf", "html", page, target}).exitCode, 0);
        QVERIFY(test::readAll(target).startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(test::readAll(target).contains("{\\f0\\fs"));
        QCOMPARE(cli({"rtf", "text", target}).out, u"5. VERWERKEN INKOMSTEN\nMet de knop Inkomsten € 25,00.\n"_qs);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QStringList{"rtf", "text", "/nonexistent/brief.rtf"} << 1
                                      << "Het bestand \"/nonexistent/brief.rtf\" kan niet worden gelezen.";
        QTest::newRow("unwritable target")
            << QStringList{"rtf", "copy", dataFile("pandoc-verslag.rtf"), "/nonexistent/uit.rtf"} << 1
            << "Het bestand /nonexistent/uit.rtf kan niet worden opgeslagen: de map /nonexistent bestaat niet.";
        QTest::newRow("no action") << QStringList{"rtf"} << 2 << "Gebruik: zelk-cli rtf text BESTAND";
        QTest::newRow("copy without target") << QStringList{"rtf", "copy", "a.rtf"} << 2 << "Gebruik:";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const test::CliRun run = cli(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRtfCli)
#include "test_rtf_cli.moc"
