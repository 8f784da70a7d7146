// Members to and from CSV: a round trip keeps every field (also values a spreadsheet would
// take for a formula), files as spreadsheets write them, and the all-or-nothing check with
// a line number per problem, after which the register is exactly as it was.
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
    static const QString pieces[] = {"de Vries",    "Ñandú", "Kerkstraat 1", "a;b",   "c,d", "\"quoted\"", " spatie ",      "één", "x",
                                     "Line\nbreak", "€ 1",   "=SOM(A1:A3)",  "+31 6", "-5",  "@home",      "'s-Gravenhage", "'=x", "''-"};
    QString text;
    while (text.size() < maxLength && random.bounded(3) != 0)
        text += pieces[random.bounded(static_cast<int>(std::size(pieces)))];
    return text.left(maxLength).trimmed(); // the register keeps texts trimmed
}

// Fills the member table with `count` members whose fields use every kind of value:
// separators, quotes, line breaks, accents, formula-like starts, texts of full length,
// blank and set marks.
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
                           f == 0 ? (QStringLiteral("Lid %1 ").arg(i, 4, 10, QChar(u'0')) + memberText(random, def.size - 10)).simplified()
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

QByteArray sample(const QString &name)
{
    QFile f(qEnvironmentVariable("ZELK_TESTDATA") + QStringLiteral("/ledenimport/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("test file %s is missing", qPrintable(f.fileName()));
    return f.readAll();
}

QStringList problemTexts(const QList<ledenimport::Problem> &problems)
{
    QStringList texts;
    for (const auto &p : problems)
        texts << p.text();
    return texts;
}

// A register with one member, "Bestaand Lid"; hidden by a filter, which the check must see
// through.
void addExistingMember(Table &t)
{
    t.append();
    t.setValue(u"Naam", QStringLiteral("Bestaand Lid"));
    t.setValue(u"Plaats", QStringLiteral("Assen"));
    t.post();
    t.setFiltered(true);
    t.setCondition([](const Table::Values &v) { return v[0].toString().startsWith(u'Q'); });
}

// Imports `bytes`, which must be refused with `problems` (each contained in the message),
// and checks that the register in memory and on disk is exactly as before.
void expectRefused(DataModule1 &data, const QByteArray &bytes, const QStringList &problems)
{
    Table &t = data.ledentabel;
    t.setFiltered(false);
    const QByteArray before = ledenimport::exportBytes(t);
    const int count = t.totalCount();
    t.setFiltered(true);
    try {
        ledenimport::importBytes(t, data.database1(), bytes);
        QFAIL("a wrong file was imported");
    } catch (const ledenimport::Refused &e) {
        for (const QString &p : problems)
            QVERIFY2(e.message().contains(p), qPrintable(e.message().left(2000)));
    }
    QCOMPARE(t.totalCount(), count);
    QVERIFY(t.isFiltered());
    DataModule1 again;
    again.openForUse();
    QCOMPARE(ledenimport::exportBytes(again.ledentabel), before);
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
            QCOMPARE(ledenimport::importCsv(data.ledentabel, data.database1(), file).added, 1000);
        }
        DataModule1 again; // read back from disk in the other administration
        again.openForUse();
        QCOMPARE(again.werkmap(), home.administration(1));
        const QList<Table::Values> after = allRows(again.ledentabel);
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i)
            QCOMPARE(after[i], before[i]);
    }

    void exportGuardsFormulasAndImportTakesTheGuardOff()
    {
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        Table &t = data.ledentabel;
        const QStringList values = {"=HYPERLINK(\"http://x\")", "+31 6 12345678", "-5", "@SOM(1)", "'=x", "'s-Gravenhage"};
        for (int i = 0; i < values.size(); ++i) {
            t.append();
            t.setValue(u"Naam", QStringLiteral("Lid %1").arg(i));
            t.setValue(u"Opmerk1", values[i]);
            t.post();
        }
        const QByteArray bytes = ledenimport::exportBytes(t);
        for (const char *written :
             {";\"'=HYPERLINK(\"\"http://x\"\")\";", ";'+31 6 12345678;", ";'-5;", ";'@SOM(1);", ";''=x;", ";'s-Gravenhage;"})
            QVERIFY2(bytes.contains(written), written);
        data.switchAdministration(1);
        QCOMPARE(ledenimport::importBytes(data.ledentabel, data.database1(), bytes).added, values.size());
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(data.ledentabel.valueAt(i, u"Opmerk1").toString(), values[i]);
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
        QTest::newRow("dutch headings, any case and blanks")
            << QByteArray("  NAAM ;Adres;GEBOORTE DATUM;mrt\nJansen;Markt 1;14/07/1985;x\n") << "Markt 1" << QDate(1985, 7, 14) << true;
        QTest::newRow("tabs and CR line ends") << QByteArray("Naam\tStraat\tGeb.dat.\rJansen\tDijk 9\t1-2-1950\r\r") << "Dijk 9"
                                               << QDate(1950, 2, 1) << false;
        QTest::newRow("blank rows before and after")
            << QByteArray(";;\r\nNaam;Straat;\r\n;;\r\nJansen;Weg 3;\r\n ; ;\r\n;;\r\n") << "Weg 3" << QDate() << false;
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
        QCOMPARE(ledenimport::importBytes(data.ledentabel, data.database1(), bytes).added, 1);
        Table &t = data.ledentabel;
        t.first();
        QCOMPARE(t.text(u"Naam"), QStringLiteral("Jansen"));
        QCOMPARE(t.text(u"Straat"), street);
        QCOMPARE(t.date(u"Geb datum"), born);
        QCOMPARE(t.boolean(u"Mrt"), march);
        QVERIFY(!t.value(u"Jan").isValid()); // marks not in the file stay blank
    }

    void filesAsSpreadsheetsWriteThem_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("ignored");
        QTest::addColumn<QList<QStringList>>("members"); // Naam, Straat, Pcode, Plaats, Geb datum, Opmerk1, Lidbedrag

        QTest::newRow("Excel, CSV UTF-8")
            << "excel-utf8.csv" << QStringList{"Lidnummer", "Telefoon"}
            << QList<QStringList>{
                   {"Bakker, Els", "Kerkstraat 5, achter", "5211 EF", "'s-Hertogenbosch", "01-12-1999", "", ""},
                   {"Café de Hoek", "Markt 3", "2801 CD", "Gouda", "14-07-1985", "Sponsor\nlid", ""},
                   {"Jansen, Piet", "Dorpsstraat 1", "2611 AB", "Delft", "05-03-1970", "Penningmeester; sinds 2001", ""},
               };
        QTest::newRow("Excel, CSV Windows-1252") << "excel-1252.csv" << QStringList{}
                                                 << QList<QStringList>{
                                                        {"Café Zeezicht", "Boulevard 1", "2586 ZZ", "Scheveningen", "", "", "€ 50,00"},
                                                        {"Müller, Anna", "Brink 2", "7411 AA", "Deventer", "02-01-1960", "", "€ 25,00"},
                                                    };
        QTest::newRow("LibreOffice, commas") << "libreoffice.csv" << QStringList{}
                                             << QList<QStringList>{
                                                    {"de Vries, Jan", "Laan 4, \"achter\"", "", "Zwolle", "", "eerste regel\ntweede regel",
                                                     ""},
                                                    {"Visser, Anna", "Molenweg 12", "", "Leiden", "14-07-1985", "=SOM(A1:A3)", ""},
                                                };
        QTest::newRow("one column of names with commas") << "een-kolom.csv" << QStringList{}
                                                         << QList<QStringList>{{"Bakker, Els", "", "", "", "", "", ""},
                                                                               {"Jansen, Kees", "", "", "", "", "", ""},
                                                                               {"Jansen, Piet", "", "", "", "", "", ""}};
    }

    void filesAsSpreadsheetsWriteThem()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, ignored);
        QFETCH(QList<QStringList>, members);
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        const QString path = qEnvironmentVariable("ZELK_TESTDATA") + QStringLiteral("/ledenimport/") + file;
        const ledenimport::Result result = ledenimport::importCsv(data.ledentabel, data.database1(), path);
        QCOMPARE(result.added, members.size());
        QCOMPARE(result.ignored, ignored);
        DataModule1 disk;
        disk.openForUse();
        Table &t = disk.ledentabel;
        QCOMPARE(t.recordCount(), members.size());
        for (int i = 0; i < members.size(); ++i) {
            t.moveTo(i);
            QStringList stored;
            for (const char *f : {"Naam", "Straat", "Pcode", "Plaats", "Geb datum", "Opmerk1", "Lidbedrag"})
                stored << t.text(QString::fromLatin1(f));
            QCOMPARE(stored, members[i]);
        }
    }

    void columnsLeftOutAreNamed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("ignored");
        QTest::newRow("unknown headings") << QByteArray("Lidnummer;Naam;Telefoon\n7;Jansen;06-1\n") << QStringList{"Lidnummer", "Telefoon"};
        QTest::newRow("a column without heading that holds values")
            << QByteArray("Naam;;Plaats\nJansen;x;Delft\n") << QStringList{"kolom 2 zonder kopje"};
        QTest::newRow("empty columns without heading") << QByteArray("Naam;Plaats;;\nJansen;Delft;;\n") << QStringList{};
    }

    void columnsLeftOutAreNamed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, ignored);
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        const ledenimport::Result result = ledenimport::importBytes(data.ledentabel, data.database1(), bytes);
        QCOMPARE(result.added, 1);
        QCOMPARE(result.ignored, ignored);
    }

    void aWrongFileImportsNothingAndNamesEveryProblem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("problems");

        QTest::newRow("bad date on line 3") << header
                + "Bakker;Weg 1;Delft;01-02-1980;1\nVisser;Weg 2;Gouda;31-02-1980;0\nSmit;Weg 3;Tiel;;\n"
                                            << QStringList{"Regel 3: \"31-02-1980\" is geen geldige geboortedatum: die dag bestaat niet. "
                                                           "Gebruik dd-mm-jjjj (ook d-m-jjjj, dd/mm/jjjj of jjjj-mm-dd), bijvoorbeeld "
                                                           "31-12-1980."};
        QTest::newRow("two-digit year") << header + "Bakker;Weg 1;Delft;1-2-68;1\n"
                                        << QStringList{"Regel 2: \"1-2-68\" heeft een jaartal van twee cijfers; schrijf het jaar voluit "
                                                       "(bijvoorbeeld 1968 of 2068 in plaats van 68)."};
        QTest::newRow("line numbers count the breaks inside quotes")
            << header + "Bakker;\"Weg 1\nachterhuis\";Delft;;\nVisser;Weg 2;Gouda;1999-99-01;\n"
            << QStringList{"Regel 4: \"1999-99-01\" is geen geldige geboortedatum: die dag bestaat niet."};
        QTest::newRow("duplicate within the file") << header + "Bakker;Weg 1;Delft;;\nVisser;Weg 2;Gouda;;\nBakker ;Weg 3;Tiel;;\n"
                                                   << QStringList{"Regel 4: De naam \"Bakker\" staat ook op regel 2."};
        QTest::newRow("duplicate of an existing member, blanks around")
            << header + "Bakker;Weg 1;Delft;;\n  Bestaand Lid ;Weg 2;Gouda;;\n"
            << QStringList{"Regel 3: Er bestaat al een lid met de naam \"Bestaand Lid\"."};
        QTest::newRow("too long text and a bad mark")
            << header + "Bakker;Weg 1;" + QByteArray(41, 'x') + ";;misschien\n"
            << QStringList{"Regel 2: Plaats \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\" is 41 tekens lang; er passen er 40 in.",
                           "Regel 2: \"misschien\" is geen maandteken voor Mrt; gebruik 1 of 0 (of ja of nee)."};
        QTest::newRow("missing name, or only blanks")
            << header + "Bakker;Weg 1;Delft;;\n;Weg 2;Gouda;;\n   ;Weg 3;Tiel;;\n"
            << QStringList{"Regel 3: De naam ontbreekt; een lid zonder naam kan niet worden bewaard.", "Regel 4: De naam ontbreekt"};
        QTest::newRow("no name column") << QByteArray("Voornaam;Achternaam;Woonplaats\nJan;Bakker;Delft\n")
                                        << QStringList{"Regel 1: De kolom Naam ontbreekt. Zelk herkent deze kopjes"};
        QTest::newRow("two columns for one field") << QByteArray("Naam;Adres;Straat\nBakker;Weg 1;Weg 1\n")
                                                   << QStringList{"Regel 1: De kolommen \"Adres\" en \"Straat\" zijn allebei Straat; "
                                                                  "laat er één van staan."};
        QTest::newRow("more fields than headings") << QByteArray("Naam;Plaats\nBakker, Els;Delft;zomaar\n")
                                                   << QStringList{"Regel 2: De regel heeft 3 velden, de kopregel maar 2;"};
        QTest::newRow("quote left open") << header + "Bakker;\"Weg 1;Delft;;\n"
                                         << QStringList{"Regel 2: Een veld tussen aanhalingstekens wordt niet afgesloten."};
        QTest::newRow("control character") << QByteArray("Naam;Straat\nBakker;Weg\x01 1\n")
                                           << QStringList{"Regel 2: Straat bevat een stuurteken (code 1) op plaats 4"};
        QTest::newRow("an empty file") << QByteArray() << QStringList{"Regel 1: Het bestand heeft geen kopregel met kolomnamen"};
        QTest::newRow("only blank rows") << QByteArray(";;;\r\n;;;\r\n") << QStringList{"Regel 1: Het bestand heeft geen kopregel"};
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFEN\0a\0") << QStringList{"Dit bestand is opgeslagen als Unicode-tekst (UTF-16). "};
        QTest::newRow("a workbook") << QByteArray("PK\x03\x04rest", 8)
                                    << QStringList{"Dit is een werkmap van een rekenblad (zoals .xlsx of .ods), geen CSV-bestand. "
                                                   "Sla het in het rekenblad op als \"CSV UTF-8\" of \"CSV (puntkomma-gescheiden)\" "
                                                   "en lees dat bestand in."};
        QTest::newRow("stray byte in a UTF-8 file") << sample(QStringLiteral("verdwaalde-byte.csv"))
                                                    << QStringList{"Regel 4: Het bestand is in UTF-8 geschreven, maar op deze regel staat "
                                                                   "een teken dat geen UTF-8 is (byte E9 op plaats 4). Sla het bestand "
                                                                   "opnieuw op als \"CSV UTF-8\"."};
        QTest::newRow("NUL byte") << sample(QStringLiteral("nul-byte.csv"))
                                  << QStringList{"Regel 2: Naam bevat een stuurteken (code 0) op plaats 4; alleen gewone tekst kan "
                                                 "worden bewaard."};
    }

    void aWrongFileImportsNothingAndNamesEveryProblem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, problems);
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        addExistingMember(data.ledentabel);
        const QStringList found = problemTexts(ledenimport::check(data.ledentabel, bytes));
        QCOMPARE(found.size(), problems.size());
        for (int i = 0; i < found.size(); ++i)
            QVERIFY2(found[i].startsWith(problems[i]), qPrintable(found[i]));
        expectRefused(data, bytes, problems);
    }

    void aMissingNameColumnNamesTheAcceptedHeadings()
    {
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        const QStringList found = problemTexts(ledenimport::check(data.ledentabel, "Voornaam;Achternaam;Woonplaats\nJan;Bakker;Delft\n"));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0],
                 QStringLiteral("Regel 1: De kolom Naam ontbreekt. Zelk herkent deze kopjes (hoofdletters en spaties tellen niet "
                                "mee): %1.")
                     .arg(ledenimport::kopjes()));
        for (const char *heading : {"Naam (of Lidnaam, Naam lid, Volledige naam, \"Achternaam, voornaam\", Lid); Straat (of Adres,",
                                    "Pcode (of Postcode); Plaats (of Woonplaats, Plaatsnaam); Email (of E-mail,", "Bank-giro (of IBAN,",
                                    "Geb datum (of Geboortedatum,", "Lidbedrag (of Contributie,", "Opmerk3 (of Opmerking 3)",
                                    "en de maandtekens Ajan tot en met Vdec"})
            QVERIFY2(ledenimport::kopjes().contains(QString::fromUtf8(heading)), heading);
    }

    void tooManyMembersOrBytesAreRefusedBeforeAnythingIsKept()
    {
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        addExistingMember(data.ledentabel);
        QByteArray most("Naam;Plaats\r\n");
        most.reserve(30 * ledenimport::maxLeden);
        for (int i = 1; i <= ledenimport::maxLeden; ++i)
            most += "Lid " + QByteArray::number(i) + ";Delft\r\n";
        QCOMPARE(ledenimport::maxLeden, 50000);
        QCOMPARE(problemTexts(ledenimport::check(data.ledentabel, most + ";;\r\n;;\r\n")), QStringList());
        expectRefused(data, most + "Lid 50001;Delft\r\n",
                      {"Het bestand bevat meer dan 50.000 leden; Zelk leest per keer hoogstens 50.000 leden in. "
                       "Verdeel de leden over meer bestanden."});
        QCOMPARE(ledenimport::check(data.ledentabel, most + "Lid 50001;Delft\r\nLid 1;Tiel\r\n").size(), 1);

        const QString big = home.path() + QStringLiteral("/groot.csv");
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Naam\r\n");
        QVERIFY(file.resize(ledenimport::maxBytes + 1)); // sparse: no disk used
        file.close();
        QCOMPARE(ledenimport::maxBytes, 50'000'000);
        try {
            ledenimport::importCsv(data.ledentabel, data.database1(), big);
            QFAIL("a file over the size limit was imported");
        } catch (const ledenimport::Refused &e) {
            QCOMPARE(e.lines(),
                     QStringList{"Het bestand is groter dan 50 MB; Zelk leest per keer een bestand van hoogstens 50 MB en "
                                 "50.000 leden in. Verdeel de leden over meer bestanden."});
        }

        QByteArray longLine = "Naam\r\n" + QByteArray(ledenimport::maxRegel + 10, 'x') + "\r\n";
        expectRefused(data, longLine, {"Regel 2 is langer dan 65.536 tekens; dit lijkt geen ledenlijst uit een rekenblad."});
        QByteArray openQuote = "Naam;Opmerk1\r\nBakker;\"open\r\n";
        for (int i = 0; i < 20000; ++i)
            openQuote += "Lid " + QByteArray::number(i) + ";x\r\n";
        expectRefused(data, openQuote, {"Regel 2: Een veld tussen aanhalingstekens wordt niet afgesloten."});
    }

    void manyProblemsAreCountedAndTheFirstKept()
    {
        test::TestHome home;
        DataModule1 data;
        data.openForUse();
        QByteArray bytes("Naam;Geb datum\n");
        for (int i = 0; i < 12000; ++i)
            bytes += "Lid " + QByteArray::number(i) + ";1-2-68\n";
        try {
            ledenimport::importBytes(data.ledentabel, data.database1(), bytes);
            QFAIL("a wrong file was imported");
        } catch (const ledenimport::Refused &e) {
            QCOMPARE(e.total(), 12000);
            QCOMPARE(e.problems().size(), ledenimport::maxProblems);
            QCOMPARE(e.intro(),
                     QStringLiteral("Er is niets ingelezen, want het bestand bevat 12.000 fouten; de eerste 10.000 staan hieronder:"));
            QVERIFY(e.lines().front().startsWith(QStringLiteral("Regel 2: \"1-2-68\" heeft een jaartal van twee cijfers")));
            QVERIFY(e.lines().back().startsWith(QStringLiteral("Regel 10001: ")));
        }
        QCOMPARE(data.ledentabel.totalCount(), 0);
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
