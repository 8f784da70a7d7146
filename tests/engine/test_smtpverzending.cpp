// Sending over a real SMTP server on 127.0.0.1: plain as a club's own server takes it, a
// refusal that names the server's answer, and STARTTLS and SSL/TLS with a login against a
// certificate of the test's own authority; an untrusted certificate is refused.
#include "mail/mailbericht.h"
#include "mail/smtpverzending.h"
#include "smtptestserver.h"
#include "zelkerror.h"

#include <QTest>
#include <QTimeZone>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zelk;
using namespace zelk::mail;
using test::SmtpTestServer;

namespace {

QByteArray bericht(const QString &ontvanger, const QString &onderwerp = QStringLiteral("verenigingsbericht"))
{
    Bericht b;
    b.afzenderNaam = QStringLiteral("René de Penningmeester");
    b.afzenderAdres = QStringLiteral("kas@club.nl");
    b.ontvanger = ontvanger;
    b.onderwerp = onderwerp;
    b.regels = QStringList{QStringLiteral("Beste lid,"), QStringLiteral(".een regel met een punt"), QStringLiteral("Groet")};
    b.datum = QDateTime::currentDateTime();
    return opgemaakt(b);
}

Verbinding naar(const SmtpTestServer &server, Beveiliging beveiliging = Beveiliging::Geen)
{
    Verbinding v;
    v.server = QStringLiteral("127.0.0.1");
    v.poort = server.port();
    v.beveiliging = beveiliging;
    return v;
}

// A port of 127.0.0.1 that was free a moment ago.
int freePort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr *>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

QString failureOf(const std::function<void()> &send)
{
    try {
        send();
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}

} // namespace

class TestSmtpVerzending : public QObject {
    Q_OBJECT
    test::TestCertificates certificates;

private Q_SLOTS:
    void plainDeliveryOnTheClubsOwnServer()
    {
        SmtpTestServer server;
        const QString answer = verstuur(naar(server), QStringLiteral("kas@club.nl"), QStringLiteral("jan@voorbeeld.nl"),
                                        bericht(QStringLiteral("jan@voorbeeld.nl"), QStringLiteral("Zomerfeest\r\nBcc: x@y.nl")));
        QVERIFY2(answer.startsWith(QLatin1String("250")), qPrintable(answer));
        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(server.recipients(0), QStringList{QStringLiteral("jan@voorbeeld.nl")});
        const QByteArray m = server.messages().first();
        QCOMPARE(test::headerCount(m, "Subject"), 1);
        QCOMPARE(test::headerCount(m, "Bcc"), 0);
        QCOMPARE(test::headerCount(m, "From"), 1);
        QVERIFY(test::headerValue(m, "From").startsWith("=?UTF-8?B?"));
        QVERIFY(QDateTime::fromString(QString::fromLatin1(test::headerValue(m, "Date")), Qt::RFC2822Date).isValid());
        QVERIFY(m.contains("\r\n.een regel met een punt\r\n")); // the dot survives the transport
    }

    void refusedRecipientGivesTheServersAnswer()
    {
        SmtpTestServer server({QStringLiteral("--reject"), QStringLiteral("weg@voorbeeld.nl")});
        const QString message = failureOf([&] {
            verstuur(naar(server), QStringLiteral("kas@club.nl"), QStringLiteral("weg@voorbeeld.nl"),
                     bericht(QStringLiteral("weg@voorbeeld.nl")));
        });
        QVERIFY2(message.contains(QLatin1String("550 5.1.1 Onbekende ontvanger weg@voorbeeld.nl")), qPrintable(message));
        QVERIFY(message.startsWith(QLatin1String("De mailserver 127.0.0.1")));
        QVERIFY(server.messages().isEmpty());
    }

    void unreachableServerSaysSo()
    {
        Verbinding v;
        v.server = QStringLiteral("127.0.0.1");
        v.poort = freePort(); // nobody listens there

        const QString message
            = failureOf([&] { verstuur(v, QStringLiteral("kas@club.nl"), QStringLiteral("a@b.nl"), bericht(QStringLiteral("a@b.nl"))); });
        QCOMPARE(message, QStringLiteral("De mailserver 127.0.0.1 (poort %1) is niet te bereiken: er kwam geen verbinding tot "
                                         "stand. Kijk de server en de poort na bij Instellingen.")
                              .arg(v.poort));
    }

    void encryptedWithLogin_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("beveiliging");
        QTest::newRow("STARTTLS") << QStringLiteral("starttls") << int(Beveiliging::StartTls);
        QTest::newRow("SSL/TLS") << QStringLiteral("ssl") << int(Beveiliging::SslTls);
    }
    void encryptedWithLogin()
    {
        QFETCH(QString, mode);
        QFETCH(int, beveiliging);
        SmtpTestServer server({QStringLiteral("--mode"), mode, QStringLiteral("--cert"), certificates.cert, QStringLiteral("--key"),
                               certificates.key, QStringLiteral("--login"), QStringLiteral("kas:geheim")});
        Verbinding v = naar(server, Beveiliging(beveiliging));
        v.caBestand = certificates.ca;
        v.gebruiker = QStringLiteral("kas");
        v.wachtwoord = QStringLiteral("fout");
        QString refused;
        try {
            verstuur(v, QStringLiteral("kas@club.nl"), QStringLiteral("a@b.nl"), bericht(QStringLiteral("a@b.nl")));
        } catch (const LoginGeweigerd &e) { // told apart from other failures: the password is asked again
            refused = e.message();
        }
        QVERIFY2(refused.contains(QLatin1String("weigerde de gebruikersnaam of het wachtwoord")), qPrintable(refused));
        v.wachtwoord = QStringLiteral("geheim");
        verstuur(v, QStringLiteral("kas@club.nl"), QStringLiteral("a@b.nl"), bericht(QStringLiteral("a@b.nl")));
        QCOMPARE(server.messages().size(), 1);
    }

    void untrustedCertificateIsRefusedUnlessExcepted()
    {
        SmtpTestServer server({QStringLiteral("--mode"), QStringLiteral("starttls"), QStringLiteral("--cert"), certificates.vreemdCert,
                               QStringLiteral("--key"), certificates.vreemdKey});
        Verbinding v = naar(server, Beveiliging::StartTls);
        v.caBestand = certificates.ca; // trusts the test's authority, which did not sign this one
        const QString message
            = failureOf([&] { verstuur(v, QStringLiteral("kas@club.nl"), QStringLiteral("a@b.nl"), bericht(QStringLiteral("a@b.nl"))); });
        QVERIFY2(message.startsWith(QLatin1String("Het certificaat van de mailserver 127.0.0.1")), qPrintable(message));
        QVERIFY(server.messages().isEmpty());
        v.vertrouwServer = true;
        verstuur(v, QStringLiteral("kas@club.nl"), QStringLiteral("a@b.nl"), bericht(QStringLiteral("a@b.nl")));
        QCOMPARE(server.messages().size(), 1);
    }

    void aPasswordNeverGoesUnencrypted()
    {
        SmtpTestServer server;
        Verbinding v = naar(server);
        v.gebruiker = QStringLiteral("kas");
        v.wachtwoord = QStringLiteral("geheim");
        const QString message
            = failureOf([&] { verstuur(v, QStringLiteral("kas@club.nl"), QStringLiteral("a@b.nl"), bericht(QStringLiteral("a@b.nl"))); });
        QVERIFY(message.startsWith(QLatin1String("Een wachtwoord gaat nooit onversleuteld")));
        QVERIFY(server.messages().isEmpty());
    }

    void aMissingCaFileIsNamed()
    {
        SmtpTestServer server;
        Verbinding v = naar(server, Beveiliging::StartTls);
        v.caBestand = QStringLiteral("/bestaat/niet.pem");
        const QString message
            = failureOf([&] { verstuur(v, QStringLiteral("kas@club.nl"), QStringLiteral("a@b.nl"), bericht(QStringLiteral("a@b.nl"))); });
        QVERIFY2(message.startsWith(QLatin1String("Het CA-bestand /bestaat/niet.pem is niet te lezen")), qPrintable(message));
    }
};

QTEST_MAIN(TestSmtpVerzending)
#include "test_smtpverzending.moc"
