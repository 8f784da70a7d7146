// zelk-cli and the mail server: the connection settings stored beside the settings files
// (never a password), wrong values refused before anything opens, the test message sent
// to the sender's own address over a real server, plain and with STARTTLS and a login; the
// mailing to the members of a selection with its log, newest first; a refusing server
// stopping it with the member and the server's answer; the dry run that only writes files;
// and mail refused while another program writes the administrations.
#include "clirun.h"
#include "databases.h"
#include "rtf/rtf.h"
#include "smtptestserver.h"
#include "testhome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocument>

using namespace zelk;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void set(const QString &key, const QString &value)
{
    const test::CliRun run = test::cli({QStringLiteral("settings"), QStringLiteral("set"), key, value});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
}

// Five members, three with an address; in name order (ignoring case) Dirk, Carla, Bert, Anna, Els.
const QByteArray vijfLeden = "Naam;Straat;Pcode;Plaats;Email\n"
                             "Vos, Els;Markt 1;2611 AA;Delft;els@vos.nl\n"
                             "Kok, Bert;Markt 2;2611 AA;Delft;\n"
                             "Smit, Anna;Gouwe 3;2801 AB;Gouda;anna@smit.nl\n"
                             "Bos, Dirk;Gouwe 4;2801 AB;Gouda;dirk bij bos.nl\n"
                             "de Wit, Carla;Markt 5;2611 AA;Delft;carla@dewit.nl\n";

// An administration with the five members, the sender's settings and the letter; the
// server setting points at `port` on 127.0.0.1. Returns the letter's path.
QString mailing(const test::TestHome &home, int port)
{
    if (test::cli({QStringLiteral("init")}).exitCode != 0)
        return {};
    const QString csv = home.path() + QStringLiteral("/leden.csv");
    QFile file(csv);
    if (!file.open(QIODevice::WriteOnly) || file.write(vijfLeden) != vijfLeden.size())
        return {};
    file.close();
    if (test::cli({QStringLiteral("members"), QStringLiteral("import"), csv}).exitCode != 0)
        return {};
    set(QStringLiteral("server"), QStringLiteral("127.0.0.1"));
    set(QStringLiteral("poort"), QString::number(port));
    set(QStringLiteral("email"), QStringLiteral("kas@club.nl"));
    set(QStringLiteral("afzender"), QStringLiteral("Penningmeester"));
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Beste <naam>,\n\nU woont in <plaats>."));
    const QString letter = home.path() + QStringLiteral("/bericht.rtf");
    rtf::writeFile(doc, letter);
    return letter;
}

QString body(const QByteArray &message)
{
    return QString::fromUtf8(message.mid(message.indexOf("\r\n\r\n") + 4));
}

// mail-log's lines without their date and time, which are checked apart.
QStringList logLines()
{
    const test::CliRun run = test::cli({QStringLiteral("mail-log")});
    QStringList lines;
    for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts))
        lines << line.section(u'\t', 2);
    return lines;
}

} // namespace

class TestCliMail : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void connectionSettingsAreStoredWithoutPassword()
    {
        test::TestHome home;
        QCOMPARE(test::cli({QStringLiteral("init")}).exitCode, 0);
        QVERIFY(test::cli({QStringLiteral("settings")}).out.contains(QLatin1String("poort=25\nbeveiliging=geen\n")));
        set(QStringLiteral("poort"), QStringLiteral("587"));
        set(QStringLiteral("beveiliging"), QStringLiteral("STARTTLS"));
        set(QStringLiteral("gebruiker"), QStringLiteral("kas@club.nl"));
        const QString out = test::cli({QStringLiteral("settings")}).out;
        QVERIFY2(out.contains(QLatin1String("poort=587\nbeveiliging=starttls\ngebruiker=kas@club.nl\n")), qPrintable(out));
        const QByteArray file = bytesOf(home.administration() + QStringLiteral("/mailserver.txt"));
        QVERIFY(file.contains("poort=587\n"));
        QVERIFY(!file.toLower().contains("wachtwoord="));

        for (const auto &[key, value] : {std::pair{"poort", "70000"}, {"poort", "vijf"}, {"beveiliging", "tls13"}}) {
            const test::CliRun run
                = test::cli({QStringLiteral("settings"), QStringLiteral("set"), QLatin1String(key), QLatin1String(value)});
            QCOMPARE(run.exitCode, 2);
            QVERIFY(run.err.startsWith(QLatin1String(key)));
        }
        QVERIFY(test::cli({QStringLiteral("settings")}).out.contains(QLatin1String("poort=587\nbeveiliging=starttls\n")));
    }

    void testMessageNeedsAServer()
    {
        test::TestHome home;
        QCOMPARE(test::cli({QStringLiteral("init")}).exitCode, 0);
        const test::CliRun run = test::cli({QStringLiteral("mail-test")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.trimmed(), QStringLiteral("Fout: Er is nog geen mailserver ingevuld bij \"E-mail account\"."));
    }

    void testMessageReachesTheSender()
    {
        test::TestHome home;
        test::SmtpTestServer server;
        QCOMPARE(test::cli({QStringLiteral("init")}).exitCode, 0);
        set(QStringLiteral("server"), QStringLiteral("127.0.0.1"));
        set(QStringLiteral("poort"), QString::number(server.port()));
        set(QStringLiteral("email"), QStringLiteral("kas@club.nl"));
        set(QStringLiteral("afzender"), QStringLiteral("Penningmeester"));
        const test::CliRun run = test::cli({QStringLiteral("mail-test")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.startsWith(QLatin1String("Testbericht verstuurd naar kas@club.nl; de server antwoordde: 250")));
        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(server.recipients(0), QStringList{QStringLiteral("kas@club.nl")});
        QCOMPARE(test::headerValue(server.messages().first(), "Subject"), QByteArray("Testbericht van Zelk"));
    }

    void testMessageWithStartTlsAndLogin()
    {
        test::TestHome home;
        test::TestCertificates certificates;
        test::SmtpTestServer server({QStringLiteral("--mode"), QStringLiteral("starttls"), QStringLiteral("--cert"), certificates.cert,
                                     QStringLiteral("--key"), certificates.key, QStringLiteral("--login"), QStringLiteral("kas:geheim")});
        QCOMPARE(test::cli({QStringLiteral("init")}).exitCode, 0);
        set(QStringLiteral("server"), QStringLiteral("127.0.0.1"));
        set(QStringLiteral("poort"), QString::number(server.port()));
        set(QStringLiteral("email"), QStringLiteral("kas@club.nl"));
        set(QStringLiteral("beveiliging"), QStringLiteral("starttls"));
        set(QStringLiteral("gebruiker"), QStringLiteral("kas"));
        set(QStringLiteral("ca-bestand"), certificates.ca);
        qputenv("ZELK_SMTP_PASSWORD", "geheim");
        const test::CliRun run = test::cli({QStringLiteral("mail-test")});
        qunsetenv("ZELK_SMTP_PASSWORD");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(server.messages().size(), 1);
        QVERIFY(!bytesOf(home.administration() + QStringLiteral("/mailserver.txt")).contains("geheim"));
    }

    // The selection's members with an address get their own message, the run and the log say
    // so, and a second run's entries come before the first's.
    void mailingToTheSelection()
    {
        test::TestHome home;
        test::SmtpTestServer server;
        const QString letter = mailing(home, server.port());
        QVERIFY(!letter.isEmpty());
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const test::CliRun run
            = test::cli({QStringLiteral("mail"), letter, QStringLiteral("--subject"), QStringLiteral("Contributie 2027")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out,
                 QStringLiteral("Verstuurd aan de Wit, Carla <carla@dewit.nl>\n"
                                "Verstuurd aan Smit, Anna <anna@smit.nl>\n"
                                "Verstuurd aan Vos, Els <els@vos.nl>\n"
                                "3 e-mail(s) verstuurd.\n"
                                "Overgeslagen, geen e-mailadres: Bos, Dirk; Kok, Bert\n"));
        const QList<QByteArray> messages = server.messages();
        QCOMPARE(messages.size(), 3);
        QCOMPARE(server.recipients(1), QStringList{QStringLiteral("anna@smit.nl")});
        QCOMPARE(body(messages[1]), QStringLiteral("Beste Smit, Anna,\r\n\r\nU woont in Gouda.\r\n"));
        QCOMPARE(test::headerValue(messages[1], "Subject"), QByteArray("Contributie 2027"));

        const test::CliRun second = test::cli({QStringLiteral("mail"), letter, QStringLiteral("--subject"), QStringLiteral("Herinnering"),
                                               QStringLiteral("--filter"), QStringLiteral("Plaats=goud")});
        QVERIFY2(second.exitCode == 0, qPrintable(second.err));
        QVERIFY(second.out.endsWith(QLatin1String("1 e-mail(s) verstuurd.\nOvergeslagen, geen e-mailadres: Bos, Dirk\n")));
        QCOMPARE(server.messages().size(), 4);
        QCOMPARE(logLines(),
                 (QStringList{"Smit, Anna\tanna@smit.nl\tHerinnering", "Vos, Els\tels@vos.nl\tContributie 2027",
                              "Smit, Anna\tanna@smit.nl\tContributie 2027", "de Wit, Carla\tcarla@dewit.nl\tContributie 2027"}));
        const QString first = test::cli({QStringLiteral("mail-log")}).out.section(u'\n', 0, 0);
        const QDateTime sent = QDateTime::fromString(first.section(u'\t', 0, 1), QStringLiteral("yyyy-MM-dd\tHH:mm:ss"));
        QVERIFY2(sent >= before && sent <= QDateTime::currentDateTime(), qPrintable(first));
    }

    // The second member's address refused: the run stops there with the member and the
    // server's answer; the first stays sent and logged.
    void aRefusalStopsTheMailing()
    {
        test::TestHome home;
        test::SmtpTestServer server({QStringLiteral("--reject"), QStringLiteral("anna@smit.nl")});
        const QString letter = mailing(home, server.port());
        QVERIFY(!letter.isEmpty());
        const test::CliRun run = test::cli({QStringLiteral("mail"), letter, QStringLiteral("--subject"), QStringLiteral("Contributie")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QStringLiteral("Verstuurd aan de Wit, Carla <carla@dewit.nl>\n"));
        QVERIFY2(run.err.startsWith(QLatin1String("Fout: Versturen aan Smit, Anna <anna@smit.nl> is mislukt")), qPrintable(run.err));
        QVERIFY2(run.err.contains(QLatin1String("550 5.1.1 Onbekende ontvanger anna@smit.nl")), qPrintable(run.err));
        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(logLines(), QStringList{QStringLiteral("de Wit, Carla\tcarla@dewit.nl\tContributie")});
    }

    // The dry run writes what would be sent, one file per message, and sends or logs nothing.
    void dryRunWritesTheMessages()
    {
        test::TestHome home;
        const QString letter = mailing(home, 9); // nothing listens: nothing may be sent
        QVERIFY(!letter.isEmpty());
        const QString folder = home.path() + QStringLiteral("/proef/berichten");
        const test::CliRun run
            = test::cli({QStringLiteral("mail"), letter, QStringLiteral("--subject"), QStringLiteral("Contributie"),
                         QStringLiteral("--dry-run"), folder, QStringLiteral("--filter"), QStringLiteral("Plaats=delft")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.endsWith(QStringLiteral("2 bericht(en) geschreven naar %1; niets verstuurd en niets gelogd.\n"
                                                 "Overgeslagen, geen e-mailadres: Kok, Bert\n")
                                      .arg(folder)),
                 qPrintable(run.out));
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"001-de_Wit__Carla.eml", "002-Vos__Els.eml"}));
        const QByteArray carla = bytesOf(folder + QStringLiteral("/001-de_Wit__Carla.eml"));
        QCOMPARE(test::headerValue(carla, "To"), QByteArray("<carla@dewit.nl>"));
        QCOMPARE(body(carla), QStringLiteral("Beste de Wit, Carla,\r\n\r\nU woont in Delft.\r\n"));
        QCOMPARE(logLines(), QStringList());
    }

    void wrongArgumentsAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown field") << QStringList{"mail", "LETTER", "--subject", "x", "--filter", "Woonplaats=delf"} << 2
                                       << "--filter kent geen veld \"Woonplaats\"";
        QTest::newRow("filter without =") << QStringList{"mail", "LETTER", "--subject", "x", "--filter", "Delft"} << 2
                                          << "--filter moet de vorm VELD=TEKST hebben";
        QTest::newRow("no subject") << QStringList{"mail", "LETTER"} << 2 << "--subject";
        QTest::newRow("no letter") << QStringList{"mail", "--subject", "x"} << 2 << "BERICHT";
        QTest::newRow("a letter that is not there") << QStringList{"mail", "nergens.rtf", "--subject", "x"} << 1 << "bestaat niet";
        QTest::newRow("mail-log with arguments") << QStringList{"mail-log", "alles"} << 2 << "geen argumenten";
    }
    void wrongArgumentsAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        test::TestHome home;
        test::SmtpTestServer server;
        const QString letter = mailing(home, server.port());
        QVERIFY(!letter.isEmpty());
        arguments.replaceInStrings(QStringLiteral("LETTER"), letter);
        const test::CliRun run = test::cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(server.messages().size(), 0);
        QCOMPARE(logLines(), QStringList());
    }

    // While the desktop program holds the administrations, mail is refused with the lock's
    // message and sends nothing; mail-log still reads.
    void mailIsRefusedWhileAnotherProgramWrites()
    {
        test::TestHome home;
        test::SmtpTestServer server;
        const QString letter = mailing(home, server.port());
        QVERIFY(!letter.isEmpty());
        auto program = std::make_unique<DataModule1>(); // holds the writer lock, as zelk does
        program->openForUse();
        const test::CliRun refused = test::cli({QStringLiteral("mail"), letter, QStringLiteral("--subject"), QStringLiteral("x")});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("worden al bijgewerkt door")), qPrintable(refused.err));
        QVERIFY2(refused.err.contains(QStringLiteral("proces %1").arg(QCoreApplication::applicationPid())), qPrintable(refused.err));
        QCOMPARE(server.messages().size(), 0);
        QCOMPARE(test::cli({QStringLiteral("mail-log")}).exitCode, 0);
        program.reset();
        QCOMPARE(test::cli({QStringLiteral("mail"), letter, QStringLiteral("--subject"), QStringLiteral("x")}).exitCode, 0);
        QCOMPARE(server.messages().size(), 3);
    }
};

QTEST_MAIN(TestCliMail)
#include "test_cli_mail.moc"
