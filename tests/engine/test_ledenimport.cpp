// Members to and from CSV: a round trip keeps every field, the accepted spellings of a
// spreadsheet file, and the all-or-nothing check with a line number per problem.
#include "cp1252.h"
#include "databases.h"
#include "ledenimport.h"
#include "testhome.h"
#include "zelkerror.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace zelk;

namespace {
QString memberText(QRandomGenerator &random, int maxLength)
{
    static const QString pieces[]
        = {"de Vries", "Ñandú", "Kerkstraat 1", "a;b", "c,d", "\"quoted\"", " spatie ", "één", "x", "Line\nbreak", "€ 12,50"};
    QString text;
    while (text.size() < maxLength && random.bounded(3) != 0)
        text += pieces[random.bounded(static_cast<int>(std::size(pieces)))];
    return text.left(maxLength);
}

// Fills the member table with `count` members whose fields use every kind of value:
// separators, quotes, line breaks, accents, texts of full length, blank and set marks.
void addMembers(DataModule1 &data, int count)
{
    QRandomGenerator random(7);
    Table &t = data.ledentabel;
    Transaction all(data.database1());
    for (int i = 0; i < count; ++i) {
        t.append();
        const auto &fields = t.schema().fields;
        for (size_t f = 0; f < fields.size(); ++f) {
            const FieldDef &def = fields[f];
            switch (def.type) {
            case FieldType::Boolean:
                if (const int pick = random.bounded(3); pick > 0)
                    t.setValue(def.name, pick == 2);
                break;
            case FieldType::Date:
                if (random.bounded(5) != 0)
                    t.setValue(def.name, QDate(1930, 1, 1).addDays(random.bounded(30000)));
                break;
            default:
                t.setValue(def.name,
                           f == 0 ? QStringLiteral("Lid %1 ").arg(i, 4, 10, QChar(u'0')) + memberText(random, def.size - 10)
                                  : memberText(random, def.size));
            }
        }
        t.post();
    }
    all.commit();
}

QList<Table::Values> allRows(Table &t)
{
    QList<Table::Values> rows;
    for (int i = 0; i < t.recordCount(); ++i)
        rows << t.rowValues(i);
    return rows;
}

const QByteArray header = "Naam;Straat;Plaats;Geb datum;Mrt\n";
} // namespace

class TestLedenimport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTripOfAThousandMembersKeepsEveryField()
    {
        test::TestHome home;
        const QString file = home.path() + QStringLiteral("/leden.csv");
        QList<Table::Values> before;
        {
            DataModule1 data;
            data.openForUse();
            addMembers(data, 1000);
            before = allRows(data.ledentabel);
            QCOMPARE(ledenimport::exportCsv(data.ledentabel, file), 1000);
            data.switchAdministration(1);
            QCOMPARE(ledenimport::importCsv(data.ledentabel, data.database1(), file), 1000);
        }
        DataModule1 again; // read back from disk in the other administration
        again.openForUse();
        QCOMPARE(again.werkmap(), home.administration(1));
        const QList<Table::Values> after = allRows(again.ledentabel);
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i)
            QCOMPARE(after[i], before[i]);
    }

    void acceptedSpellings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("street");
        QTest::addColumn<QDate>("born");
        QTest::addColumn<bool>("march");

        QTest::newRow("utf-8, comma, dd-MM-yyyy") << QByteArray("naam,STRAAT,geb datum,mrt\r\nJansen,Dorpsstraat 1,05-03-1970,1\r\n")
                                                  << "Dorpsstraat 1" << QDate(1970, 3, 5) << true;
        QTest::newRow("utf-8 with BOM, semicolon, iso date")
            << QByteArray("\xEF\xBB\xBFNaam;Straat;Geb datum\nJansen;Kerkweg 2;1970-03-05\n") << "Kerkweg 2" << QDate(1970, 3, 5) << false;
        QTest::newRow("windows-1252 accents") << (QByteArray("Naam;Straat;Mrt\n")
                                                  + cp1252::encode(QStringLiteral("Jansen;Hoofdstraat 3 één;ja\n")))
                                              << "Hoofdstraat 3 één" << QDate() << true;
        QTest::newRow("quoted separator and quote")
            << QByteArray("Naam,Straat\n\"Jansen\",\"Laan 4, \"\"achter\"\"\"\n") << "Laan 4, \"achter\"" << QDate() << false;
    }

    void acceptedSpellings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, street);
        QFETCH(QDate, born);
        QFETCH(bool, march);
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        QCOMPARE(ledenimport::importBytes(data.ledentabel, data.database1(), bytes), 1);
        Table &t = data.ledentabel;
        t.first();
        QCOMPARE(t.text(u"Naam"), QStringLiteral("Jansen"));
        QCOMPARE(t.text(u"Straat"), street);
        QCOMPARE(t.date(u"Geb datum"), born);
        QCOMPARE(t.boolean(u"Mrt"), march);
        QVERIFY(!t.value(u"Jan").isValid()); // marks not in the file stay blank
    }

    void aWrongFileImportsNothingAndNamesEveryProblem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("problems");

        QTest::newRow("bad date on line 3")
            << header + "Bakker;Weg 1;Delft;01-02-1980;1\nVisser;Weg 2;Gouda;31-02-1980;0\nSmit;Weg 3;Tiel;;\n"
            << QStringList{"Regel 3: \"31-02-1980\" is geen geldige datum voor Geb datum (gebruik dd-mm-jjjj of jjjj-mm-dd)"};
        QTest::newRow("line numbers count the breaks inside quotes")
            << header + "Bakker;\"Weg 1\nachterhuis\";Delft;;\nVisser;Weg 2;Gouda;1999-99-01;\n"
            << QStringList{"Regel 4: \"1999-99-01\" is geen geldige datum voor Geb datum (gebruik dd-mm-jjjj of jjjj-mm-dd)"};
        QTest::newRow("duplicate within the file") << header + "Bakker;Weg 1;Delft;;\nVisser;Weg 2;Gouda;;\nBakker;Weg 3;Tiel;;\n"
                                                   << QStringList{"Regel 4: de naam \"Bakker\" staat ook op regel 2"};
        QTest::newRow("duplicate of an existing member") << header + "Bakker;Weg 1;Delft;;\nBestaand Lid;Weg 2;Gouda;;\n"
                                                         << QStringList{"Regel 3: er bestaat al een lid met de naam \"Bestaand Lid\""};
        QTest::newRow("too long text and a bad mark") << header + "Bakker;Weg 1;" + QByteArray(41, 'x') + ";;misschien\n"
                                                      << QStringList{"Regel 2: Plaats is 41 tekens lang, er passen er 40 in",
                                                                     "Regel 2: \"misschien\" is geen maandteken voor Mrt (gebruik 1 of 0)"};
        QTest::newRow("missing name") << header + "Bakker;Weg 1;Delft;;\n;Weg 2;Gouda;;\n" << QStringList{"Regel 3: de naam ontbreekt"};
        QTest::newRow("unknown column and no Naam")
            << QByteArray("Voornaam;Straat\nJan;Weg 1\n")
            << QStringList{"Regel 1: de kolom \"Voornaam\" is geen veld van de ledentabel", "Regel 1: de kolom \"Naam\" ontbreekt"};
        QTest::newRow("quote left open") << header + "Bakker;\"Weg 1;Delft;;\n"
                                         << QStringList{"Regel 2: een veld tussen aanhalingstekens wordt niet afgesloten."};
    }

    void aWrongFileImportsNothingAndNamesEveryProblem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, problems);
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        Table &t = data.ledentabel;
        t.append();
        t.setValue(u"Naam", QStringLiteral("Bestaand Lid"));
        t.post();
        // The filter hides the existing member; the check still knows it.
        t.setFiltered(true);
        t.setCondition([](const Table::Values &v) { return v[0].toString().startsWith(u'Q'); });

        QStringList found;
        for (const auto &p : ledenimport::check(t, bytes))
            found << p.text();
        QCOMPARE(found, problems);
        try {
            ledenimport::importBytes(t, data.database1(), bytes);
            QFAIL("a wrong file was imported");
        } catch (const Error &e) {
            for (const QString &p : problems)
                QVERIFY2(e.message().contains(p), qPrintable(e.message()));
        }
        QCOMPARE(t.totalCount(), 1);
        QVERIFY(t.isFiltered());
        DataModule1 again;
        again.openForUse();
        QCOMPARE(again.ledentabel.recordCount(), 1);
    }

    void exportWritesUtf8WithTheFieldNamesAsHeader()
    {
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        Table &t = data.ledentabel;
        t.append();
        t.setValue(u"Naam", QStringLiteral("Müller; Anna"));
        t.setValue(u"Geb datum", QDate(1980, 12, 31));
        t.setValue(u"Mrt", true);
        t.setValue(u"Apr", false);
        t.post();
        const QByteArray bytes = ledenimport::exportBytes(t);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBFNaam;Straat;Pcode;Plaats;Email;Bank-giro;Geb datum;Ajan;"));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith("Lidbedrag;Soortlid;Opmerk1;Opmerk2;Opmerk3\r"));
        QStringList expected(48);
        expected[0] = QStringLiteral("\"Müller; Anna\"");
        expected[6] = QStringLiteral("31-12-1980");
        expected[21] = QStringLiteral("1"); // Mrt
        expected[22] = QStringLiteral("0"); // Apr; blank marks stay blank
        QCOMPARE(lines[1], (expected.join(u';') + u'\r').toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestLedenimport)
#include "test_ledenimport.moc"
