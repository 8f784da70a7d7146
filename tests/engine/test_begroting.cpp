// The budget arithmetic: totals, shortfall or surplus, the balanced totals, the actual
// figures, and a budget read from text as zelk-cli takes it.
#include "begroting.h"
#include "zelkerror.h"

#include <QTest>

using namespace zelk;

namespace {
Begroting budget(std::initializer_list<std::pair<int, double>> amounts)
{
    Begroting b;
    for (const auto &[position, amount] : amounts)
        b.bedragen.insert(position, amount);
    return b;
}
} // namespace

Q_DECLARE_METATYPE(zelk::Begroting)

class TestBegroting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines()
    {
        QCOMPARE(begroting::inkomstenRegels(), (std::vector<int>{7, 8, 9, 10, 26, 27, 28, 11, 31, 32}));
        QCOMPARE(begroting::uitgavenRegels(), (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 29, 30, 22, 33, 34, 35}));
    }

    void figures_data()
    {
        QTest::addColumn<Begroting>("begroting");
        QTest::addColumn<double>("inkomsten");
        QTest::addColumn<double>("uitgaven");
        QTest::addColumn<double>("tekort");
        QTest::addColumn<double>("over");
        QTest::addColumn<double>("totaal");
        QTest::newRow("nothing budgeted") << budget({}) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("income above expenses: surplus")
            << budget({{7, 1200}, {26, 300}, {12, 250.5}}) << 1500.0 << 250.5 << 0.0 << 1249.5 << 1500.0;
        QTest::newRow("expenses above income: shortfall, both totals the expenses")
            << budget({{7, 100}, {21, 400}, {35, 50.25}}) << 100.0 << 450.25 << 350.25 << 0.0 << 450.25;
        QTest::newRow("equal: no shortfall, surplus zero") << budget({{8, 75}, {13, 75}}) << 75.0 << 75.0 << 0.0 << 0.0 << 75.0;
        // A negative amount counts; one of another position does not.
        QTest::newRow("a negative amount counts") << budget({{7, 500}, {9, -100}, {12, 300}}) << 400.0 << 300.0 << 0.0 << 100.0 << 400.0;
        QTest::newRow("positions outside the budget do not count")
            << budget({{1, 999}, {23, 5}, {12, 10}}) << 0.0 << 10.0 << 10.0 << 0.0 << 10.0;
        // Cents add up without drift.
        QTest::newRow("ten times 0.10") << budget(
            {{7, 0.1}, {8, 0.1}, {9, 0.1}, {10, 0.1}, {26, 0.1}, {27, 0.1}, {28, 0.1}, {11, 0.1}, {31, 0.1}, {32, 0.1}, {12, 1}})
                                        << 1.0 << 1.0 << 0.0 << 0.0 << 1.0;
    }
    void figures()
    {
        QFETCH(Begroting, begroting);
        QFETCH(double, inkomsten);
        QFETCH(double, uitgaven);
        QFETCH(double, tekort);
        QFETCH(double, over);
        QFETCH(double, totaal);
        const BegrotingCijfers c = berekenBegroting(begroting);
        QCOMPARE(c.inkomsten, inkomsten);
        QCOMPARE(c.uitgaven, uitgaven);
        QCOMPARE(c.tekort, tekort);
        QCOMPARE(c.over, over);
        QCOMPARE(c.totaalInkomsten, totaal);
        QCOMPARE(c.totaalUitgaven, totaal);
    }

    void actualFigures()
    {
        QCOMPARE(werkelijkCijfer(-1200), 1200.0);
        QCOMPARE(werkelijkCijfer(45.678), 45.68);
        QCOMPARE(werkelijkCijfer(0), 0.0);
        std::vector<double> saldi(37, 0.0);
        saldi[6] = -1200;  // Contributies
        saldi[11] = 80;    // Administratiekosten
        saldi[34] = -12.5; // a refund on Overigekosten 4
        QStringList namen;
        for (int p = 1; p <= 37; ++p)
            namen << QStringLiteral("R%1").arg(p);
        const auto lines = begrotingsregels(namen, saldi, budget({{7, 1000}}));
        QCOMPARE(lines.size(), std::size_t(26));
        QCOMPARE(lines.front().positie, 7);
        QCOMPARE(lines.front().naam, QStringLiteral("R7"));
        QCOMPARE(lines.front().werkelijk, 1200.0);
        QCOMPARE(lines.front().bedrag, 1000.0);
        QCOMPARE(lines[10].positie, 12);
        QCOMPARE(lines[10].werkelijk, 80.0);
        QCOMPARE(lines.back().positie, 35);
        QCOMPARE(lines.back().werkelijk, 12.5);
        QVERIFY_THROWS_EXCEPTION(Error, begrotingsregels(namen.mid(1), std::vector<double>(36, 0.0), {}));
    }

    void readFromText()
    {
        const Begroting b = leesBegroting(QStringLiteral("# begroting 2027\n7;1200\n\n 26 ; 300.50 \r\n12;-5\n"));
        QCOMPARE(b.bedragen.size(), 3);
        QCOMPARE(b.bedrag(7), 1200.0);
        QCOMPARE(b.bedrag(26), 300.5);
        QCOMPARE(b.bedrag(12), -5.0);
        QCOMPARE(b.bedrag(8), 0.0);
    }

    void refusedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("a bank account") << "7;10\n1;50"
                                        << "Regel 2 van de begroting (\"1;50\"): 1 is geen rekening van de begroting";
        QTest::newRow("equity") << "23;50"
                                << "23 is geen rekening van de begroting";
        QTest::newRow("no number") << "zaalhuur;50"
                                   << "zaalhuur is geen rekening";
        QTest::newRow("twice") << "7;10\n7;20"
                               << "rekening 7 staat al eerder in de begroting";
        QTest::newRow("thousands separator") << "7;1,200.00"
                                             << "\"1,200.00\" is geen bedrag";
        QTest::newRow("no amount") << "7"
                                   << "verwacht rekeningpositie;bedrag";
        QTest::newRow("too large") << "7;1e12"
                                   << "Regel 1 van de begroting";
    }
    void refusedText()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            leesBegroting(text);
            QFAIL("accepted");
        } catch (const Error &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }
};

QTEST_APPLESS_MAIN(TestBegroting)
#include "test_begroting.moc"
