// The sending run against a real SMTP server on 127.0.0.1: one message per member of the
// selection with an address, each merged with that member's data and logged in front of the
// log; the e-mail document back with its placeholders after every run, also one stopped by a
// refusing server; nothing sent without a server; headers that stay headers; the log read
// back in the same order by another program; the body's lines as the editor breaks them.
#include "databases.h"
#include "filtercriteria.h"
#include "freshdata.h"
#include "mail/verzendrun.h"
#include "reports/papportstand.h"
#include "rtf/rtf.h"
#include "smtptestserver.h"
#include "store/velden.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontMetricsF>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace zelk;
using namespace zelk::mail;

namespace {

const QString Brief = QStringLiteral("Beste <naam>,\n\nUw adres bij ons is <email>.\nGroeten van de penningmeester");

struct Lid {
    QString naam;
    QString email;
    QString plaats;
};

// Five members, three of them with an address: in name order Anna, Bert, Carla, Dirk, Els.
const QList<Lid> &vijfLeden()
{
    static const QList<Lid> leden{{QStringLiteral("Els Vos"), QStringLiteral("els@vos.nl"), QStringLiteral("Delft")},
                                  {QStringLiteral("Bert Kok"), QString(), QStringLiteral("Delft")},
                                  {QStringLiteral("Anna Smit"), QStringLiteral("anna@smit.nl"), QStringLiteral("Gouda")},
                                  {QStringLiteral("Dirk Bos"), QStringLiteral("dirk bij bos.nl"), QStringLiteral("Gouda")},
                                  {QStringLiteral("Carla de Wit"), QStringLiteral("carla@dewit.nl"), QStringLiteral("Delft")}};
    return leden;
}

QByteArray bodyOf(const QByteArray &message)
{
    return message.mid(message.indexOf("\r\n\r\n") + 4);
}

// The body as the member reads it: quoted-printable undone when the message says so.
QString decodedBody(const QByteArray &message)
{
    QByteArray body = bodyOf(message);
    if (test::headerValue(message, "Content-Transfer-Encoding") != "quoted-printable")
        return QString::fromLatin1(body);
    body.replace("=\r\n", "");
    QByteArray out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == '=' && i + 2 < body.size()) {
            out += QByteArray::fromHex(body.mid(i + 1, 2));
            i += 2;
        } else {
            out += body[i];
        }
    }
    return QString::fromUtf8(out);
}

// A header value with its RFC 2047 encoded words (base64, UTF-8) decoded.
QString decodedHeader(const QByteArray &message, const QByteArray &name)
{
    const QByteArray value = test::headerValue(message, name);
    if (!value.startsWith("=?UTF-8?B?"))
        return QString::fromLatin1(value);
    QByteArray bytes;
    for (QByteArray word : value.split(' ')) {
        word = word.trimmed();
        if (word.startsWith("=?UTF-8?B?") && word.endsWith("?="))
            bytes += QByteArray::fromBase64(word.mid(10, word.size() - 12));
    }
    return QString::fromUtf8(bytes);
}

// What the screen and zelk-cli do: the run, member by member, as the header shows it.
void voerUit(Verzendrun &run, const Verzendinstelling &instelling)
{
    while (!run.klaar()) {
        const Verzendstap stap = run.bereidVoor();
        if (stap.zonderAdres) {
            run.slaOver();
            continue;
        }
        verstuurStap(instelling, stap);
        run.gelukt(stap);
    }
}

struct Logregel {
    QString naam, adres, onderwerp, mail;
    QDateTime moment;
};

QList<Logregel> logVan(const Table &log)
{
    using namespace veld::mailtjes;
    QList<Logregel> regels;
    for (int row = 0; row < log.recordCount(); ++row)
        regels << Logregel{log.valueAt(row, Mnaam).toString(), log.valueAt(row, Madres).toString(), log.valueAt(row, Monderwerp).toString(),
                           log.valueAt(row, Mmail).toString(),
                           QDateTime(log.valueAt(row, Datum).toDate(), log.valueAt(row, Tijd).toTime())};
    return regels;
}

} // namespace

class TestVerzendrun : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    QTextDocument document;

    void voegToe(const Lid &lid)
    {
        using namespace veld::leden;
        Table &t = data->ledentabel;
        t.append();
        t.setValue(Naam, lid.naam);
        t.setValue(Email, lid.email);
        t.setValue(Plaats, lid.plaats);
        t.post();
    }

    // The administration's e-mail settings, pointing at `server`.
    Verzendinstelling instelling(const test::SmtpTestServer &server, const QString &afzender = QStringLiteral("Penningmeester"))
    {
        data->settings.instelling.setSmtpServer(QStringLiteral("127.0.0.1"));
        data->settings.instelling.setAfzenderNaam(afzender);
        data->settings.instelling.setEmailAdres(QStringLiteral("kas@club.nl"));
        data->writeInstelling();
        MailserverInstelling verbinding;
        verbinding.poort = server.port();
        bewaar(data->werkmap(), verbinding);
        return verzendinstelling(*data, QString());
    }

    QString printCopy() const
    {
        QTextDocument copy;
        rtf::readFile(papportstand::printCopyPath(*data), &copy);
        return copy.toPlainText();
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<test::FreshData>();
        for (const Lid &lid : vijfLeden())
            voegToe(lid);
        document.setPlainText(Brief);
        document.setModified(false);
    }
    void cleanup() { data.reset(); }

    // Three of five members have an "@": three messages, three entries with the newest on
    // top, every body and every Mmail with its own member's data, the placeholders back.
    void sendsToEveryMemberWithAnAddress()
    {
        test::SmtpTestServer server;
        data->ledentabel.moveTo(3); // the screens show Dirk; the run must leave him current
        const Verzendinstelling settings = instelling(server);
        Verzendrun run(*data, document, QStringLiteral("verenigingsbericht"), settings);
        const QDateTime voor = QDateTime::currentDateTime().addSecs(-1);
        QVERIFY(run.begin());
        QCOMPARE(run.aantalLeden(), 5);
        QCOMPARE(run.huidigNummer(), 1);
        voerUit(run, settings);
        const QDateTime na = QDateTime::currentDateTime().addSecs(1);

        QCOMPARE(run.verzonden(), 3);
        QCOMPARE(run.zonderAdres(), (QStringList{QStringLiteral("Bert Kok"), QStringLiteral("Dirk Bos")}));
        QCOMPARE(data->ledentabel.currentRow(), 3);
        const QList<QByteArray> messages = server.messages();
        QCOMPARE(messages.size(), 3);
        const QStringList namen{QStringLiteral("Anna Smit"), QStringLiteral("Carla de Wit"), QStringLiteral("Els Vos")};
        const QStringList adressen{QStringLiteral("anna@smit.nl"), QStringLiteral("carla@dewit.nl"), QStringLiteral("els@vos.nl")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(server.recipients(i), QStringList{adressen[i]});
            QCOMPARE(
                decodedBody(messages[i]),
                QStringLiteral("Beste %1,\r\n\r\nUw adres bij ons is %2.\r\nGroeten van de penningmeester\r\n").arg(namen[i], adressen[i]));
            QCOMPARE(test::headerValue(messages[i], "Subject"), QByteArray("verenigingsbericht"));
            QCOMPARE(test::headerValue(messages[i], "From"), QByteArray("\"Penningmeester\" <kas@club.nl>"));
        }

        const QList<Logregel> log = logVan(data->mailtjestabel);
        QCOMPARE(log.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const Logregel &regel = log[2 - i]; // newest first: Els, Carla, Anna
            QCOMPARE(regel.naam, namen[i]);
            QCOMPARE(regel.adres, adressen[i]);
            QCOMPARE(regel.onderwerp, QStringLiteral("verenigingsbericht"));
            QCOMPARE(
                regel.mail,
                QStringLiteral("Beste %1,\r\n\r\nUw adres bij ons is %2.\r\nGroeten van de penningmeester").arg(namen[i], adressen[i]));
            QVERIFY(regel.moment >= voor && regel.moment <= na);
        }

        QCOMPARE(document.toPlainText(), Brief);
        QVERIFY(!document.isModified());
        QCOMPARE(printCopy(), Brief);
    }

    // The selection is what the member table's filter shows; a second run puts its entries in
    // front of the first run's, and the log's own filter does not move them.
    void followsTheFilterAndPutsNewEntriesInFront()
    {
        test::SmtpTestServer server;
        const Verzendinstelling settings = instelling(server);
        {
            Verzendrun run(*data, document, QStringLiteral("eerste"), settings);
            QVERIFY(run.begin());
            voerUit(run, settings);
        }
        // The log screen's filter shows only Anna's entry (the last of the three).
        FilterCriteria logFilter({{QStringLiteral("Naam"), veld::mailtjes::Mnaam.toString(), FilterCriterion::Kind::Text}});
        logFilter.setText(0, QStringLiteral("Anna"));
        data->mailtjestabel.setCondition(logFilter.condition(data->mailtjestabel.schema()));
        QCOMPARE(data->mailtjestabel.recordCount(), 1);

        FilterCriteria criteria(mailingCriteria());
        criteria.setText(criteria.indexOf(QStringLiteral("Plaats")), QStringLiteral("delft"));
        data->ledentabel.setCondition(criteria.condition(data->ledentabel.schema()));
        data->ledentabel.setFiltered(true);
        Verzendrun run(*data, document, QStringLiteral("tweede"), settings);
        QVERIFY(run.begin());
        QCOMPARE(run.aantalLeden(), 3); // Bert, Carla, Els
        voerUit(run, settings);
        QCOMPARE(run.verzonden(), 2);
        QCOMPARE(run.zonderAdres(), QStringList{QStringLiteral("Bert Kok")});

        QCOMPARE(data->mailtjestabel.recordCount(), 1); // the log screen's filter is still on
        data->mailtjestabel.clearCondition();
        QStringList order;
        for (const Logregel &regel : logVan(data->mailtjestabel))
            order << regel.onderwerp + u' ' + regel.naam;
        QCOMPARE(order,
                 (QStringList{"tweede Els Vos", "tweede Carla de Wit", "eerste Els Vos", "eerste Carla de Wit", "eerste Anna Smit"}));
    }

    // A server refusing the second member stops the run there: the first stays sent and
    // logged, nothing is logged for the second, the document has its placeholders again.
    void aRefusalStopsTheRunAtThatMember()
    {
        test::SmtpTestServer server({QStringLiteral("--reject"), QStringLiteral("carla@dewit.nl")});
        const Verzendinstelling settings = instelling(server);
        document.setModified(true); // typed, not saved yet: still unsaved afterwards
        Verzendrun run(*data, document, QStringLiteral("verenigingsbericht"), settings);
        QVERIFY(run.begin());
        QString fout;
        try {
            voerUit(run, settings);
        } catch (const Error &e) {
            fout = e.message();
        }
        QVERIFY2(fout.contains(QLatin1String("550")), qPrintable(fout));
        QCOMPARE(run.verzonden(), 1);
        QCOMPARE(run.huidigNummer(), 3); // Carla's turn, not finished
        QVERIFY(!run.klaar());
        QCOMPARE(server.messages().size(), 1);
        const QList<Logregel> log = logVan(data->mailtjestabel);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log.first().naam, QStringLiteral("Anna Smit"));
        QCOMPARE(data->mailtjestabel.state(), Table::State::Browse);
        QCOMPARE(document.toPlainText(), Brief);
        QVERIFY(document.isModified());
    }

    // Without an outgoing server: the print copy is written, nothing else happens.
    void withoutAServerNothingIsSent()
    {
        test::SmtpTestServer server;
        Verzendinstelling settings = instelling(server);
        settings.server.clear();
        document.setPlainText(QStringLiteral("Nieuwe tekst voor <naam>"));
        Verzendrun run(*data, document, QStringLiteral("verenigingsbericht"), settings);
        QVERIFY(!run.begin());
        QVERIFY(run.klaar());
        QCOMPARE(run.aantalLeden(), 0);
        QCOMPARE(printCopy(), QStringLiteral("Nieuwe tekst voor <naam>"));
        QCOMPARE(server.messages().size(), 0);
        QCOMPARE(data->mailtjestabel.recordCount(), 0);

        // A server but no sender address: refused before anything goes out.
        settings = instelling(server);
        settings.afzenderAdres.clear();
        Verzendrun zonderAfzender(*data, document, QStringLiteral("verenigingsbericht"), settings);
        QVERIFY_THROWS_EXCEPTION(Error, zonderAfzender.begin());
        QCOMPARE(server.messages().size(), 0);
    }

    // Typed line breaks and accents: one Subject, one To, no extra header; the accents
    // encoded and read back as typed; a Date header with the local offset.
    void headersStayHeaders()
    {
        test::SmtpTestServer server;
        voegToe({QStringLiteral("Zoë Éclair"), QStringLiteral("zoe@eclair.fr"), QStringLiteral("Delft")});
        FilterCriteria criteria(mailingCriteria());
        criteria.setText(criteria.indexOf(QStringLiteral("Naam")), QStringLiteral("clair"));
        data->ledentabel.setCondition(criteria.condition(data->ledentabel.schema()));
        data->ledentabel.setFiltered(true);

        const QString onderwerp = QStringLiteral("Contributie café\r\nBcc: iedereen@elders.nl");
        const Verzendinstelling settings = instelling(server, QStringLiteral("René\nX-Spam: ja"));
        Verzendrun run(*data, document, onderwerp, settings);
        QVERIFY(run.begin());
        voerUit(run, settings);
        const QList<QByteArray> messages = server.messages();
        QCOMPARE(messages.size(), 1);
        const QByteArray &m = messages.first();
        for (const char *name : {"Subject", "To", "From", "Date"})
            QCOMPARE(test::headerCount(m, name), 1);
        QCOMPARE(test::headerCount(m, "Bcc"), 0);
        QCOMPARE(test::headerCount(m, "X-Spam"), 0);
        QCOMPARE(decodedHeader(m, "Subject"), QStringLiteral("Contributie café  Bcc: iedereen@elders.nl"));
        QVERIFY(decodedBody(m).startsWith(QStringLiteral("Beste Zoë Éclair,\r\n")));
        QCOMPARE(test::headerValue(m, "Content-Type"), QByteArray("text/plain; charset=utf-8"));

        const QString date = QString::fromLatin1(test::headerValue(m, "Date"));
        const QDateTime sent = QDateTime::fromString(date, Qt::RFC2822Date);
        QVERIFY2(sent.isValid(), qPrintable(date));
        const int offset = QDateTime::currentDateTime().offsetFromUtc();
        QCOMPARE(sent.offsetFromUtc(), offset);
        const QString zone = QStringLiteral("%1%2%3")
                                 .arg(QLatin1String(offset < 0 ? "-" : "+"))
                                 .arg(std::abs(offset) / 3600, 2, 10, QLatin1Char('0'))
                                 .arg(std::abs(offset) % 3600 / 60, 2, 10, QLatin1Char('0'));
        QVERIFY2(date.endsWith(zone), qPrintable(date + u' ' + zone));

        // The log holds what was sent: the subject as one line, cut to its 60 characters.
        const QList<Logregel> log = logVan(data->mailtjestabel);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log.first().naam, QStringLiteral("Zoë Éclair"));
        QCOMPARE(log.first().onderwerp, QStringLiteral("Contributie café  Bcc: iedereen@elders.nl"));
    }

    // Another program opening the administration reads the log newest first.
    void theLogKeepsItsOrderWhenReopened()
    {
        test::SmtpTestServer server;
        const Verzendinstelling settings = instelling(server);
        for (const QString &onderwerp : {QStringLiteral("eerste"), QStringLiteral("tweede")}) {
            Verzendrun run(*data, document, onderwerp, settings);
            QVERIFY(run.begin());
            voerUit(run, settings);
        }
        const QList<Logregel> hier = logVan(data->mailtjestabel);
        QCOMPARE(hier.size(), 6);
        DataModule1 ander;
        ander.setAccess(DataModule1::Access::Read);
        ander.openForUse();
        const QList<Logregel> daar = logVan(ander.mailtjestabel);
        QCOMPARE(daar.size(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(daar[i].onderwerp, hier[i].onderwerp);
            QCOMPARE(daar[i].naam, hier[i].naam);
            QCOMPARE(daar[i].mail, hier[i].mail);
        }
        QCOMPARE(daar.first().onderwerp + u' ' + daar.first().naam, QStringLiteral("tweede Els Vos"));
        QCOMPARE(daar.last().onderwerp + u' ' + daar.last().naam, QStringLiteral("eerste Anna Smit"));
    }

    // The body's lines: one per paragraph and per line separator without a layout; as the
    // layout wraps them when the document is laid out; formatting never reaches the text.
    void linesAsTheEditorBreaksThem()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setForeground(Qt::red);
        cursor.insertText(QStringLiteral("Beste"), bold);
        cursor.insertText(QStringLiteral(" lid,") + QChar(QChar::LineSeparator) + QStringLiteral("tweede regel\tmet tab"));
        cursor.insertBlock();
        cursor.insertBlock();
        // A paragraph far wider than the short lines, so that only it wraps.
        const QFontMetricsF metrics(doc.defaultFont());
        const qreal width = metrics.horizontalAdvance(QStringLiteral("tweede regel met tab"))
            + 2 * doc.defaultTextOption().tabStopDistance() + 4 * doc.documentMargin();
        QString lang = QStringLiteral("een lange zin die in een smal venster over meerdere regels loopt");
        while (metrics.horizontalAdvance(lang) < 3 * width)
            lang += QStringLiteral(" en verder");
        cursor.insertText(lang);
        QCOMPARE(regelsVan(doc), (QStringList{"Beste lid,", "tweede regel\tmet tab", "", lang}));
        QCOMPARE(regelsVan(QTextDocument()), QStringList());

        doc.setTextWidth(width);
        doc.documentLayout(); // as an editor showing it has
        const QStringList regels = regelsVan(doc);
        QVERIFY2(regels.size() >= 6, qPrintable(regels.join(u'|')));
        QCOMPARE(regels.mid(0, 3), (QStringList{"Beste lid,", "tweede regel\tmet tab", ""}));
        QCOMPARE(regels.mid(3).join(u' '), lang);
        for (const QString &regel : regels)
            QVERIFY(!regel.endsWith(u' '));
    }
};

QTEST_MAIN(TestVerzendrun)
#include "test_verzendrun.moc"
