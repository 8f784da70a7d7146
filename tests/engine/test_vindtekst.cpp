// The member merge over members of a real member table: every placeholder in any case,
// found across formatting and replaced in the format of its first character, dates in the
// short date format or empty, the dues amount as stored text, other bracketed text kept,
// and values that hold a placeholder (their own: inserted once; a later one: replaced).
#include "databases.h"
#include "freshdata.h"
#include "store/velden.h"
#include "vindtekst.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace zelk;

namespace {
struct Member {
    QString naam = QStringLiteral("Bakker, Els");
    QString straat = QStringLiteral("Molenweg 12");
    QString pcode = QStringLiteral("2611 AB");
    QString plaats = QStringLiteral("Delft");
    QString email = QStringLiteral("els@bakker.nl");
    QDate geboren = {};
    QString opmerk1 = QStringLiteral("Bestuur");
    QString opmerk2 = {};
    QString opmerk3 = {};
    QString soortlid = QStringLiteral("Senior");
    QString lidbedrag = QStringLiteral("12,50");
    QString bank = QStringLiteral("1234567");
};

QString merged(const QString &letter, const QStringList &values)
{
    QTextDocument doc;
    doc.setPlainText(letter);
    mergeMember(doc, values);
    return doc.toPlainText();
}
} // namespace

class TestVindtekst : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    // The member's values as the merge reads them from the member table's current row.
    QStringList stored(const Member &m)
    {
        using namespace veld::leden;
        Table &t = data->ledentabel;
        t.append();
        t.setValue(Naam, m.naam);
        t.setValue(Straat, m.straat);
        t.setValue(Pcode, m.pcode);
        t.setValue(Plaats, m.plaats);
        t.setValue(Email, m.email);
        t.setValue(GebDatum, m.geboren);
        t.setValue(Opmerk1, m.opmerk1);
        t.setValue(Opmerk2, m.opmerk2);
        t.setValue(Opmerk3, m.opmerk3);
        t.setValue(Soortlid, m.soortlid);
        t.setValue(Lidbedrag, m.lidbedrag);
        t.setValue(BankGiro, m.bank);
        t.post();
        return memberValues([&t](QStringView field) { return t.value(field); });
    }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void thePlaceholdersInTheirOrder()
    {
        QStringList codes;
        for (const Placeholder &p : placeholders())
            codes << p.code;
        QCOMPARE(codes,
                 (QStringList{"<naam>", "<straat>", "<pcode>", "<plaats>", "<email>", "<gebdat>", "<opmerk1>", "<opmerk2>", "<opmerk3>",
                              "<soortlid>", "<contributie>", "<bank>"}));
    }

    void mergesAMember_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the name three times") << "<naam>, <naam> en <naam>."
                                              << ""
                                              << ""
                                              << "Bakker, Els, Bakker, Els en Bakker, Els.";
        QTest::newRow("every placeholder")
            << "<naam>|<straat>|<pcode>|<plaats>|<email>|<gebdat>|<opmerk1>|<opmerk2>|<opmerk3>|<soortlid>|<contributie>|<bank>"
            << ""
            << ""
            << "Bakker, Els|Molenweg 12|2611 AB|Delft|els@bakker.nl||Bestuur|||Senior|12,50|1234567";
        QTest::newRow("capitals in any place") << "Bedrag: <Contributie> / <CONTRIBUTIE> / <NaAm>"
                                               << ""
                                               << ""
                                               << "Bedrag: 12,50 / 12,50 / Bakker, Els";
        QTest::newRow("no birth date gives nothing") << "Geboren: [<gebdat>]"
                                                     << ""
                                                     << ""
                                                     << "Geboren: []";
        QTest::newRow("a birth date in the short date format") << "Geboren: <gebdat>"
                                                               << "gebdat"
                                                               << "1980-01-02"
                                                               << "Geboren: 02-01-1980";
        QTest::newRow("a dues amount as a word") << "Contributie: <contributie>"
                                                 << "lidbedrag"
                                                 << "vrijgesteld"
                                                 << "Contributie: vrijgesteld";
        QTest::newRow("unknown bracketed text is kept") << "<naam> <voornaam> <nam> <naam"
                                                        << ""
                                                        << ""
                                                        << "Bakker, Els <voornaam> <nam> <naam";
        QTest::newRow("a blank field makes its placeholder disappear") << "a<opmerk2>b"
                                                                       << ""
                                                                       << ""
                                                                       << "ab";
        QTest::newRow("a remark holding its own placeholder is inserted once") << "<opmerk1> en <opmerk1>"
                                                                               << "opmerk1"
                                                                               << "zie <opmerk1>"
                                                                               << "zie <opmerk1> en zie <opmerk1>";
        QTest::newRow("a name holding the town's placeholder gets the town") << "Aan: <naam>"
                                                                             << "naam"
                                                                             << "Jansen uit <plaats>"
                                                                             << "Aan: Jansen uit Delft";
        QTest::newRow("a town holding the name's placeholder keeps it") << "<plaats>"
                                                                        << "plaats"
                                                                        << "<naam>"
                                                                        << "<naam>";
        QTest::newRow("across paragraphs") << "Beste <naam>,\n\nU woont in <plaats>.\n<plaats>"
                                           << ""
                                           << ""
                                           << "Beste Bakker, Els,\n\nU woont in Delft.\nDelft";
    }
    void mergesAMember()
    {
        QFETCH(QString, letter);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        Member m;
        if (field == u"gebdat")
            m.geboren = QDate::fromString(value, Qt::ISODate);
        else if (field == u"lidbedrag")
            m.lidbedrag = value;
        else if (field == u"opmerk1")
            m.opmerk1 = value;
        else if (field == u"naam")
            m.naam = value;
        else if (field == u"plaats")
            m.plaats = value;
        QCOMPARE(merged(letter, stored(m)), expected);
    }

    void anEmptyDocumentStaysEmpty()
    {
        QTextDocument doc;
        mergeMember(doc, stored(Member{}));
        QVERIFY(doc.isEmpty());
        QCOMPARE(doc.toPlainText(), QString());
    }

    void countsItsReplacements()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("<naam> <NAAM> <opmerk1>"));
        QCOMPARE(vindtekst(doc, QStringLiteral("<naam>"), QStringLiteral("<naam><naam>")), 2);
        QCOMPARE(doc.toPlainText(), QStringLiteral("<naam><naam> <naam><naam> <opmerk1>"));
        QCOMPARE(vindtekst(doc, QStringLiteral("<bank>"), QStringLiteral("x")), 0);
    }

    // A placeholder whose characters carry two formats is found, and the value takes the
    // format of its first character; the text around it keeps its own.
    void foundAcrossFormattingInTheFormatOfItsFirstCharacter()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QTextCharFormat plain;
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setForeground(Qt::red);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        cursor.insertText(QStringLiteral("Beste "), plain);
        cursor.insertText(QStringLiteral("<na"), bold);
        cursor.insertText(QStringLiteral("am>"), italic);
        cursor.insertText(QStringLiteral(", welkom."), plain);

        mergeMember(doc, stored(Member{}));
        QCOMPARE(doc.toPlainText(), QStringLiteral("Beste Bakker, Els, welkom."));
        const auto formatAt = [&doc](int position) {
            QTextCursor c(&doc);
            c.setPosition(position + 1);
            return c.charFormat();
        };
        for (int at = 6; at < 6 + 11; ++at) {
            QCOMPARE(formatAt(at).fontWeight(), int(QFont::Bold));
            QCOMPARE(formatAt(at).foreground().color(), QColor(Qt::red));
            QVERIFY(!formatAt(at).fontItalic());
        }
        QCOMPARE(formatAt(5).fontWeight(), int(QFont::Normal));
        QCOMPARE(formatAt(17).fontWeight(), int(QFont::Normal));
        QVERIFY(!formatAt(17).fontItalic());
    }

    void theNumberOfValuesMustMatch()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("<naam>"));
        QVERIFY_THROWS_EXCEPTION(Error, mergeMember(doc, {QStringLiteral("een")}));
        QCOMPARE(doc.toPlainText(), QStringLiteral("<naam>"));
    }
};

QTEST_MAIN(TestVindtekst)
#include "test_vindtekst.moc"
