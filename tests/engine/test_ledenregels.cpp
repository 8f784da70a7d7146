// The member rules: the ways a birth date may be written (and a year of two digits
// refused), texts trimmed and control characters refused, and a member checked in the
// member table before it is saved.
#include "freshdata.h"
#include "ledenregels.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QTest>
#include <functional>

using namespace zelk;

namespace {
const FieldDef &field(const Table &t, QStringView name)
{
    return t.schema().fields[t.schema().indexOf(name)];
}

QString refusal(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.message();
    }
    return QStringLiteral("(niet geweigerd)");
}
} // namespace

class TestLedenregels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void birthDateForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("as the screen shows it") << "05-03-1970" << QDate(1970, 3, 5);
        QTest::newRow("d-M-yyyy") << "5-3-1970" << QDate(1970, 3, 5);
        QTest::newRow("dd/MM/yyyy") << "14/07/1985" << QDate(1985, 7, 14);
        QTest::newRow("d/M/yyyy") << "1/2/2001" << QDate(2001, 2, 1);
        QTest::newRow("yyyy-MM-dd") << "1999-12-31" << QDate(1999, 12, 31);
        QTest::newRow("blanks around") << "  29-02-2000 " << QDate(2000, 2, 29);
        QTest::newRow("empty is no date") << "" << QDate();
        QTest::newRow("blanks are no date") << "   " << QDate();
    }

    void birthDateForms()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(ledenregels::geboortedatum(text), date);
    }

    void birthDatesThatAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("two-digit year") << "1-2-68"
                                        << "\"1-2-68\" heeft een jaartal van twee cijfers; schrijf het jaar voluit "
                                           "(bijvoorbeeld 1968 of 2068 in plaats van 68).";
        QTest::newRow("two-digit year with slashes") << "01/02/08"
                                                     << "bijvoorbeeld 1908 of 2008 in plaats van 08";
        QTest::newRow("year 0068") << "01-02-0068"
                                   << "het jaar moet vier cijfers hebben";
        QTest::newRow("five-digit year") << "01-02-19680"
                                         << "het jaar moet vier cijfers hebben";
        QTest::newRow("no such day") << "31-02-1980"
                                     << "\"31-02-1980\" is geen geldige geboortedatum: die dag bestaat niet.";
        QTest::newRow("no such month") << "1999-13-01"
                                       << "die dag bestaat niet";
        QTest::newRow("mixed separators") << "1-2/1980"
                                          << "\"1-2/1980\" is geen geldige geboortedatum.";
        QTest::newRow("words") << "5 maart 1970"
                               << "\"5 maart 1970\" is geen geldige geboortedatum. Gebruik dd-mm-jjjj (ook d-m-jjjj, dd/mm/jjjj of "
                                  "jjjj-mm-dd), bijvoorbeeld 31-12-1980.";
    }

    void birthDatesThatAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const QString refused = refusal([&] { ledenregels::geboortedatum(text); });
        QVERIFY2(refused.contains(message), qPrintable(refused));
    }

    void textsAreTrimmedAndControlCharactersRefused()
    {
        test::FreshData data;
        const Table &t = data.ledentabel;
        using namespace veld::leden;
        QCOMPARE(ledenregels::tekst(field(t, Naam), QStringLiteral("  Jansen, Piet \t")), QStringLiteral("Jansen, Piet"));
        QCOMPARE(ledenregels::tekst(field(t, Opmerk1), QStringLiteral("eerste\r\ntweede\rderde ")),
                 QStringLiteral("eerste\ntweede\nderde"));
        QCOMPARE(ledenregels::tekst(field(t, Plaats), QStringLiteral("'s-Hertogenbosch")), QStringLiteral("'s-Hertogenbosch"));
        QCOMPARE(ledenregels::tekst(field(t, Straat), QStringLiteral("   ")), QString());
        QCOMPARE(refusal([&] { ledenregels::tekst(field(t, Naam), QStringView(u"Jan\0sen", 7).toString()); }),
                 QStringLiteral("Naam bevat een stuurteken (code 0) op plaats 4; alleen gewone tekst kan worden bewaard."));
        QCOMPARE(refusal([&] { ledenregels::tekst(field(t, Straat), QStringLiteral("Weg\t1")); }),
                 QStringLiteral("Straat bevat een stuurteken (code 9) op plaats 4; alleen gewone tekst kan worden bewaard."));
        QCOMPARE(refusal([&] { ledenregels::tekst(field(t, Naam), QStringLiteral("Jansen\nPiet")); }),
                 QStringLiteral("De naam \"Jansen?Piet\" loopt over meer regels; een naam moet op één regel staan."));
        QCOMPARE(refusal([&] { ledenregels::tekst(field(t, Pcode), QStringLiteral("2611 ABC")); }),
                 QStringLiteral("Pcode \"2611 ABC\" is 8 tekens lang; er passen er 7 in."));
        // An emoji is one character, as the store counts it: seven of them fit a postcode.
        const QString emojis = QString::fromUtf8("\xF0\x9F\x8E\xBE").repeated(7);
        QCOMPARE(ledenregels::tekst(field(t, Pcode), emojis), emojis);
    }

    void aMemberIsTrimmedAndNeedsAName()
    {
        test::FreshData data;
        Table &t = data.ledentabel;
        using namespace veld::leden;
        t.append();
        t.setValue(Naam, QStringLiteral(" Jansen, Piet  "));
        t.setValue(Straat, QStringLiteral("Dorpsstraat 1 "));
        ledenregels::keur(t);
        t.post();
        t.append();
        t.setValue(Naam, QStringLiteral("Jansen, Piet"));
        t.setValue(Plaats, QStringLiteral("Delft"));
        ledenregels::keur(t);
        // The trimmed name is the name of the first member: the store refuses it.
        QVERIFY_THROWS_EXCEPTION(Error, t.post());
        t.cancel();

        for (const QString &name : {QString(), QStringLiteral("   ")}) {
            t.append();
            t.setValue(Naam, name);
            t.setValue(Plaats, QStringLiteral("Gouda"));
            QCOMPARE(refusal([&] { ledenregels::keur(t); }), ledenregels::naamOntbreekt());
            t.cancel();
        }
        t.first();
        t.edit();
        t.setValue(GebDatum, QDate(68, 2, 1)); // as a year typed with two digits would be read elsewhere
        QVERIFY(refusal([&] { ledenregels::keur(t); }).contains(QStringLiteral("01-02-0068 heeft geen jaartal van vier cijfers")));
        t.cancel();
        ledenregels::keur(t); // nothing being edited: nothing to check

        DataModule1 disk;
        disk.openForUse();
        QCOMPARE(disk.ledentabel.recordCount(), 1);
        QCOMPARE(disk.ledentabel.text(Naam), QStringLiteral("Jansen, Piet"));
        QCOMPARE(disk.ledentabel.text(Straat), QStringLiteral("Dorpsstraat 1"));
    }
};

QTEST_GUILESS_MAIN(TestLedenregels)
#include "test_ledenregels.moc"
