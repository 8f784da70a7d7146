// zelk-cli and the mail server: the connection settings stored beside the settings files
// (never a password), wrong values refused before anything opens, and the test message sent
// to the sender's own address over a real server, plain and with STARTTLS and a login.
#include "clirun.h"
#include "smtptestserver.h"
#include "testhome.h"

#include <QFile>
#include <QTest>

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
};

QTEST_MAIN(TestCliMail)
#include "test_cli_mail.moc"
