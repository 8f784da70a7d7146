// The outgoing message as bytes: headers that stay headers whatever was typed, a Date header
// a mail program can read in winter and summer, and a body in the right character set.
#include "mail/mailbericht.h"

#include <QTest>
#include <QTimeZone>

using namespace zelk::mail;

namespace {

Bericht proefbericht()
{
    Bericht b;
    b.afzenderNaam = QStringLiteral("Penningmeester");
    b.afzenderAdres = QStringLiteral("kas@club.nl");
    b.ontvanger = QStringLiteral("jan@voorbeeld.nl");
    b.onderwerp = QStringLiteral("verenigingsbericht");
    b.regels = QStringList{QStringLiteral("Beste Jan,"), QString(), QStringLiteral("Tot ziens.")};
    b.datum = QDateTime(QDate(2026, 1, 15), QTime(10, 30, 5), QTimeZone("Europe/Amsterdam"));
    return b;
}

QByteArray header(const QByteArray &message, const QByteArray &name)
{
    const QByteArray head = message.left(message.indexOf("\r\n\r\n"));
    for (const QByteArray &line : head.split('\n'))
        if (line.startsWith(name + ": "))
            return line.mid(name.size() + 2).trimmed();
    return {};
}

QByteArray body(const QByteArray &message)
{
    return message.mid(message.indexOf("\r\n\r\n") + 4);
}

QStringList headerNames(const QByteArray &message)
{
    QStringList names;
    for (const QByteArray &line : message.left(message.indexOf("\r\n\r\n")).split('\n'))
        if (!line.startsWith(' ') && !line.startsWith('\t'))
            names << QString::fromLatin1(line.left(line.indexOf(':')));
    return names;
}

} // namespace

class TestMailbericht : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void asciiMessageGoesAsUsAscii()
    {
        const QByteArray m = opgemaakt(proefbericht());
        QCOMPARE(header(m, "Content-Type"), QByteArray("text/plain; charset=us-ascii"));
        QCOMPARE(header(m, "From"), QByteArray("\"Penningmeester\" <kas@club.nl>"));
        QCOMPARE(header(m, "To"), QByteArray("<jan@voorbeeld.nl>"));
        QCOMPARE(header(m, "Subject"), QByteArray("verenigingsbericht"));
        QCOMPARE(body(m), QByteArray("Beste Jan,\r\n\r\nTot ziens.\r\n"));
        QByteArray withoutCrLf = m;
        QVERIFY(!withoutCrLf.replace("\r\n", "").contains('\n')); // every line ends in CR LF
    }

    // Winter and summer: the real offset of the time zone, English names, readable back.
    void dateHeaderCarriesTheLocalOffset_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QByteArray>("expected");
        const QTimeZone amsterdam("Europe/Amsterdam");
        QTest::newRow("winter") << QDateTime(QDate(2026, 1, 15), QTime(10, 30, 5), amsterdam)
                                << QByteArray("Thu, 15 Jan 2026 10:30:05 +0100");
        QTest::newRow("summer") << QDateTime(QDate(2026, 7, 4), QTime(23, 0, 0), amsterdam)
                                << QByteArray("Sat, 04 Jul 2026 23:00:00 +0200");
        QTest::newRow("west") << QDateTime(QDate(2026, 3, 1), QTime(8, 5, 0), QTimeZone("America/St_Johns"))
                              << QByteArray("Sun, 01 Mar 2026 08:05:00 -0330");
    }
    void dateHeaderCarriesTheLocalOffset()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QByteArray, expected);
        Bericht b = proefbericht();
        b.datum = moment;
        const QByteArray date = header(opgemaakt(b), "Date");
        QCOMPARE(date, expected);
        const QDateTime back = QDateTime::fromString(QString::fromLatin1(date), Qt::RFC2822Date);
        QVERIFY(back.isValid());
        QCOMPARE(back.toUTC(), moment.toUTC());
    }

    // Typed line breaks never make a header of their own.
    void lineBreaksNeverStartAHeader()
    {
        Bericht b = proefbericht();
        b.onderwerp = QStringLiteral("Contributie\r\nBcc: iedereen@elders.nl");
        b.afzenderNaam = QStringLiteral("Kas\nX-Spam: ja");
        b.ontvanger = QStringLiteral("jan@voorbeeld.nl\r\nCc: buur@elders.nl");
        b.afzenderAdres = QStringLiteral("kas@club.nl>\r\nReply-To: <boef@elders.nl");
        const QByteArray m = opgemaakt(b);
        const QStringList names = headerNames(m);
        for (const char *forbidden : {"Bcc", "Cc", "X-Spam", "Reply-To"})
            QVERIFY2(!names.contains(QLatin1String(forbidden)), forbidden);
        QCOMPARE(names.count(QStringLiteral("Subject")), 1);
        QCOMPARE(header(m, "Subject"), QByteArray("Contributie  Bcc: iedereen@elders.nl"));
        QCOMPARE(header(m, "To"), QByteArray("<jan@voorbeeld.nlCc:buur@elders.nl>"));
    }

    void nonAsciiTextIsEncoded()
    {
        Bericht b = proefbericht();
        b.afzenderNaam = QStringLiteral("René Smit");
        b.onderwerp = QStringLiteral("Contributie 2027 – € 25,00 per jaar, graag vóór 1 februari overmaken aan de vereniging");
        b.regels = QStringList{QStringLiteral("Beste Zoë,"), QStringLiteral(".punt aan het begin"), QStringLiteral("prijs = € 12,50 ")};
        const QByteArray m = opgemaakt(b);
        QCOMPARE(header(m, "Content-Type"), QByteArray("text/plain; charset=utf-8"));
        QCOMPARE(header(m, "Content-Transfer-Encoding"), QByteArray("quoted-printable"));
        QCOMPARE(header(m, "From"), QByteArray("=?UTF-8?B?") + QStringLiteral("René Smit").toUtf8().toBase64() + "?= <kas@club.nl>");
        // Every line, folded or not, stays within the limits mail servers keep to.
        for (const QByteArray &line : m.split('\n'))
            QVERIFY2(line.size() <= 78, line.constData());
        QVERIFY(m.toLower().contains("subject: =?utf-8?b?"));
        QCOMPARE(body(m), QByteArray("Beste Zo=C3=AB,\r\n=2Epunt aan het begin\r\nprijs =3D =E2=82=AC 12,50=20\r\n"));
    }

    void quotedPrintableBreaksLongLinesSoftly()
    {
        const QByteArray longLine(200, 'a');
        const QByteArray qp = quotedPrintable(longLine + "\r\n" + QStringLiteral("é").toUtf8().repeated(60));
        QByteArray decoded = qp;
        decoded.replace("=\r\n", "");
        QVERIFY(decoded.startsWith(longLine + "\r\n"));
        for (const QByteArray &line : qp.split('\n'))
            QVERIFY(line.size() <= 77); // 76 characters and the CR
    }

    void anOverlongAsciiLineIsEncodedToo()
    {
        Bericht b = proefbericht();
        b.regels = QStringList{QString(1200, QLatin1Char('x'))};
        const QByteArray m = opgemaakt(b);
        QCOMPARE(header(m, "Content-Transfer-Encoding"), QByteArray("quoted-printable"));
    }
};

QTEST_MAIN(TestMailbericht)
#include "test_mailbericht.moc"
