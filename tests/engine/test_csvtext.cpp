// Spreadsheet text read a line at a time: line ends, the choice between UTF-8 and
// Windows-1252, quoted fields over several lines, the separator found with quoting taken
// into account, and the guard against formulas.
#include "csvtext.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QTest>

using namespace zelk;

namespace {
struct Read {
    QStringList lines;
    std::vector<csv::LineSource::Stray> stray;
};

Read readLines(const QByteArray &bytes, qsizetype longest = 1000)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    csv::LineSource source(buffer, longest);
    Read read;
    while (const auto line = source.next()) {
        if (line->number != read.lines.size() + 1)
            throw std::logic_error("lines out of order");
        read.lines << line->text;
    }
    read.stray = source.strayLines();
    return read;
}

QList<QStringList> fields(const std::vector<csv::Record> &records)
{
    QList<QStringList> list;
    for (const auto &r : records)
        list << r.fields;
    return list;
}
} // namespace

class TestCsvtext : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesAndTheirEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("strayLines");
        QTest::newRow("CR LF, LF and CR") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"} << QList<int>{};
        QTest::newRow("empty lines stay") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"} << QList<int>{};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFNaam\r\n") << QStringList{"Naam"} << QList<int>{};
        QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9\n\xE2\x82\xAC 5") << QStringList{"Café", "€ 5"} << QList<int>{};
        QTest::newRow("Windows-1252") << QByteArray("Caf\xE9\n\x80 5\nM\xFCller") << QStringList{"Café", "€ 5", "Müller"} << QList<int>{};
        QTest::newRow("UTF-8 with a stray byte")
            << QByteArray("Caf\xC3\xA9\nab\xE9z\nok") << QStringList{"Café", "abéz", "ok"} << QList<int>{2};
        QTest::newRow("stray byte before the first UTF-8")
            << QByteArray("x\xE9\nCaf\xC3\xA9\n") << QStringList{"xé", "Café"} << QList<int>{1};
        QTest::newRow("byte-order mark and a stray byte") << QByteArray("\xEF\xBB\xBFN\nx\xE9") << QStringList{"N", "xé"} << QList<int>{2};
        QTest::newRow("UTF-8 and a stray byte on one line")
            << QByteArray("a\n\xC3\xA9 \xE9") << QStringList{"a", QString::fromUtf8("Ã© é")} << QList<int>{2};
    }

    void linesAndTheirEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, strayLines);
        const Read read = readLines(bytes);
        QCOMPARE(read.lines, lines);
        QList<int> stray;
        for (const auto &s : read.stray)
            stray << s.line;
        QCOMPARE(stray, strayLines);
    }

    void aStrayByteIsNamedWithItsPlace()
    {
        const Read read = readLines("Caf\xC3\xA9\nab\xE9z\n");
        QCOMPARE(read.stray.size(), size_t(1));
        QCOMPARE(read.stray[0].position, 3);
        QCOMPARE(int(read.stray[0].byte), 0xE9);
    }

    void aLineLongerThanTheBoundIsRefused()
    {
        const QByteArray longLine(5000, 'x');
        QCOMPARE(readLines("kort\n" + longLine + "\n", 6000).lines.size(), 2);
        try {
            readLines("kort\n" + longLine + "\nkort\n", 1000);
            QFAIL("a line of 5000 bytes was read");
        } catch (const Error &e) {
            QCOMPARE(e.message(), QStringLiteral("Regel 2 is langer dan 1.000 tekens; dit lijkt geen ledenlijst uit een rekenblad."));
        }
    }

    void recordsOverSeveralLines()
    {
        const auto records
            = csv::parse(QStringLiteral("Naam;Opmerk1\r\n\"Jansen; Piet\";\"een\r\ntwee \"\"drie\"\"\"\r\n\r\n;;\r\nx"), u';');
        QCOMPARE(fields(records), (QList<QStringList>{{"Naam", "Opmerk1"}, {"Jansen; Piet", "een\ntwee \"drie\""}, {"", "", ""}, {"x"}}));
        QCOMPARE(records[1].line, 2);
        QCOMPARE(records[2].line, 5);
        QVERIFY(records[2].isBlank());
        QVERIFY(!records[1].isBlank());
        try {
            csv::parse(QStringLiteral("Naam\n\"open\nnog\n"), u';');
            QFAIL("an open quote was accepted");
        } catch (const Error &e) {
            QCOMPARE(e.message(), QStringLiteral("Regel 2: een veld tussen aanhalingstekens wordt niet afgesloten."));
        }
    }

    void separatorFromTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::newRow("semicolons") << "Naam;Straat;Plaats\nJansen;Weg 1;Delft"
                                    << ";";
        QTest::newRow("commas") << "Naam,Straat\nJansen,Weg 1"
                                << ",";
        QTest::newRow("tabs") << "Naam\tStraat\nJansen\tWeg 1"
                              << "\t";
        QTest::newRow("one column of names with commas") << "Naam\nJansen, Piet\nBakker, Els\nVos, Ria"
                                                         << ";";
        QTest::newRow("commas inside quotes do not count") << "\"Naam, volledig\";Plaats\n\"Jansen, Piet\";Delft"
                                                           << ";";
        QTest::newRow("semicolons inside quotes do not count") << "Naam,Opmerk1\n\"Jansen\",\"a;b;c;d\"\n\"Vos\",\"e;f\""
                                                               << ",";
        QTest::newRow("a quoted field over lines") << "Naam,Opmerk1\nJansen,\"een;\ntwee;drie;vier\""
                                                   << ",";
        QTest::newRow("more commas in the rows than semicolons in the header")
            << "Naam;Straat\nJansen, Piet;Weg 1, achter\nVos, Ria;Laan 2, boven"
            << ";";
    }

    void separatorFromTheFile()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QCOMPARE(QString(csv::detectSeparator(text.split(u'\n'))), separator);
    }

    void theHeaderTheCallerKnowsDecides()
    {
        // One column headed "Achternaam, Voornaam": split on the comma, neither half is known.
        const QStringList lines = {"Achternaam, Voornaam", "Jansen, Piet", "Bakker, Els"};
        QCOMPARE(csv::detectSeparator(lines), QChar(u','));
        const auto known = [](const QStringList &header) { return header.contains(QStringLiteral("Achternaam, Voornaam")) ? 1 : 0; };
        QCOMPARE(csv::detectSeparator(lines, known), QChar(u';'));
    }

    void formulaGuardSurvivesTheRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("formula") << "=SOM(A1:A3)"
                                 << "'=SOM(A1:A3)";
        QTest::newRow("plus") << "+31 6 12345678"
                              << "'+31 6 12345678";
        QTest::newRow("minus") << "-5"
                               << "'-5";
        QTest::newRow("at") << "@home"
                            << "'@home";
        QTest::newRow("already a quote") << "'=x"
                                         << "''=x";
        QTest::newRow("a town with a quote") << "'s-Hertogenbosch"
                                             << "'s-Hertogenbosch";
        QTest::newRow("plain") << "Delft"
                               << "Delft";
        QTest::newRow("a lone quote") << "'"
                                      << "'";
        QTest::newRow("empty") << ""
                               << "";
    }

    void formulaGuardSurvivesTheRoundTrip()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        QCOMPARE(csv::guarded(value), written);
        QCOMPARE(csv::unguarded(written), value);
    }
};

QTEST_GUILESS_MAIN(TestCsvtext)
#include "test_csvtext.moc"
