// zelk-cli letters and merge over imported members: a filter on the town matching three
// members prints three one-page letters in name order with their own data (read back with
// pdftotext); without a filter every member gets a letter; merge shows one member's letter
// as plain text; wrong fields, letters and members are refused.
#include "clirun.h"
#include "rtf/rtf.h"
#include "testhome.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace zelk;

namespace {
const QByteArray members = "Naam;Straat;Pcode;Plaats;Email;Geb datum;Soortlid;Opmerk1;Lidbedrag\n"
                           "Visser, Anna;Dorpsstraat 7;2611 CD;Delft;anna@visser.nl;02-01-1980;Senior;;12,50\n"
                           "de Vries, Jan;Kerkstraat 3;2801 EF;Gouda;jan@devries.nl;;Junior;;25\n"
                           "Bakker, Els;Molenweg 12;2611 AB;Delft;els@bakker.nl;;Senior;Bestuur;vrijgesteld\n"
                           "Jansen, Piet;Dorpsstraat 7;9901 GH;Delfzijl;piet@jansen.nl;1990-04-05;Donateur;;30\n";

QString pdfText(const QString &pdf, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
                   QStringLiteral("-")});
    process.waitForFinished(60000);
    QStringList lines;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (!line.trimmed().isEmpty())
            lines << line.simplified();
    return lines.join(u'\n');
}

int pdfPages(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}
} // namespace

class TestCliLetters : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestHome> home;
    QString letter;

private Q_SLOTS:
    void initTestCase()
    {
        home = std::make_unique<test::TestHome>();
        QCOMPARE(test::cli({"init", "--name", "Schaakclub De Toren"}).exitCode, 0);
        const QString csv = home->path() + QStringLiteral("/leden.csv");
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(members);
        file.close();
        QCOMPARE(test::cli({"members", "import", csv}).exitCode, 0);

        QTextDocument doc;
        QTextCursor cursor(&doc);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Beste "));
        cursor.insertText(QStringLiteral("<NAAM>"), bold);
        cursor.insertText(QStringLiteral(",\nU woont in <plaats> (<pcode>), geboren <gebdat>.\nContributie: <contributie> <onbekend>"));
        letter = home->path() + QStringLiteral("/brief.rtf");
        rtf::writeFile(doc, letter);
    }
    void cleanupTestCase() { home.reset(); }

    void aLetterPerMemberOfTheFilterInNameOrder()
    {
        const QString pdf = home->path() + QStringLiteral("/delft.pdf");
        const test::CliRun run = test::cli({"letters", letter, "--filter", "Plaats=delf", "-o", pdf});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("3 brief/brieven, 3 blad(en) geschreven naar %1\n").arg(pdf));
        QCOMPARE(pdfPages(pdf), 3);
        QCOMPARE(pdfText(pdf, 1),
                 QStringLiteral("Beste Bakker, Els,\nU woont in Delft (2611 AB), geboren .\n"
                                "Contributie: vrijgesteld <onbekend>\nBlad: 1"));
        QCOMPARE(pdfText(pdf, 2),
                 QStringLiteral("Beste Jansen, Piet,\nU woont in Delfzijl (9901 GH), geboren 05-04-1990.\n"
                                "Contributie: 30 <onbekend>\nBlad: 2"));
        QCOMPARE(pdfText(pdf, 3),
                 QStringLiteral("Beste Visser, Anna,\nU woont in Delft (2611 CD), geboren 02-01-1980.\n"
                                "Contributie: 12,50 <onbekend>\nBlad: 3"));
    }

    void everyMemberWithoutAFilterAndNoneWhenNoneMatch()
    {
        const QString all = home->path() + QStringLiteral("/alle.pdf");
        QCOMPARE(test::cli({"letters", letter, "-o", all}).exitCode, 0);
        QCOMPARE(pdfPages(all), 4);
        const QString none = home->path() + QStringLiteral("/geen.pdf");
        const test::CliRun run = test::cli({"letters", letter, "--filter", "Naam=Pietersen", "--filter", "Plaats=delf", "-o", none});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(pdfPages(none), 1);
        QCOMPARE(pdfText(none, 1), QStringLiteral("Blad: 1"));
    }

    void mergeShowsOneMembersLetter()
    {
        const test::CliRun run = test::cli({"merge", letter, "--member", "de Vries, Jan"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Beste de Vries, Jan,\nU woont in Gouda (2801 EF), geboren .\nContributie: 25 <onbekend>\n"));
    }

    void wrongArgumentsAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown field") << QStringList{"letters", "LETTER", "--filter", "Woonplaats=delf", "-o", "x.pdf"} << 2
                                       << "geen veld \"Woonplaats\"";
        QTest::newRow("no output") << QStringList{"letters", "LETTER"} << 2 << "-o";
        QTest::newRow("no letter") << QStringList{"letters", "-o", "x.pdf"} << 2 << "BRIEF";
        QTest::newRow("a letter that is not there") << QStringList{"letters", "nergens.rtf", "-o", "x.pdf"} << 1 << "bestaat niet";
        QTest::newRow("an unknown member") << QStringList{"merge", "LETTER", "--member", "Pietersen"} << 1
                                           << "Er is geen lid met de naam \"Pietersen\".";
        QTest::newRow("merge without member") << QStringList{"merge", "LETTER"} << 2 << "--member";
    }
    void wrongArgumentsAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        arguments.replaceInStrings(QStringLiteral("LETTER"), letter);
        const test::CliRun run = test::cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

QTEST_MAIN(TestCliLetters)
#include "test_cli_letters.moc"
