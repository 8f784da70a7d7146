// The arithmetic of the balance report over the 37 balances.
#include "balans.h"
#include "zelkerror.h"

#include <QTest>

using namespace zelk;

namespace {
// Balances by position from "position=balance" pairs; the rest are zero.
std::vector<double> saldi(std::initializer_list<std::pair<int, double>> given)
{
    std::vector<double> all(37, 0.0);
    for (const auto &[position, balance] : given)
        all[std::size_t(position - 1)] = balance;
    return all;
}
} // namespace

class TestBalans : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figures_data()
    {
        QTest::addColumn<std::vector<double>>("balances");
        QTest::addColumn<double>("inkomsten");
        QTest::addColumn<double>("uitgaven");
        QTest::addColumn<bool>("toegenomen");
        QTest::addColumn<double>("saldoRegel");
        QTest::addColumn<double>("totaal");
        QTest::addColumn<double>("activa");
        QTest::addColumn<double>("evOud");
        QTest::addColumn<double>("evNieuw");
        QTest::newRow("fresh administration") << saldi({}) << 0.0 << 0.0 << true << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        // Income 100 into Bank 1, then 40 of expenses paid from it.
        QTest::newRow("income 100, expense 40")
            << saldi({{7, -100}, {12, 40}, {1, 60}}) << 100.0 << 40.0 << true << 60.0 << 100.0 << 60.0 << 0.0 << 60.0;
        QTest::newRow("expenses above income") << saldi({{8, -30}, {35, 75}, {4, -45}}) << 30.0 << 75.0 << false << 45.0 << 75.0 << -45.0
                                               << 0.0 << -45.0;
        QTest::newRow("negative deposit difference counts as income")
            << saldi({{6, -5}, {1, 5}}) << 5.0 << 0.0 << true << 5.0 << 5.0 << 5.0 << 0.0 << 5.0;
        QTest::newRow("positive deposit difference counts as expense")
            << saldi({{6, 5}, {5, -5}}) << 0.0 << 5.0 << false << 5.0 << 5.0 << -5.0 << 0.0 << -5.0;
        // An opening balance of 500 in Bank 2 against equity, then income 20 in cash.
        QTest::newRow("opening balance") << saldi({{2, 500}, {23, -500}, {26, -20}, {36, 20}}) << 20.0 << 0.0 << true << 20.0 << 20.0
                                         << 520.0 << 500.0 << 520.0;
    }
    void figures()
    {
        QFETCH(std::vector<double>, balances);
        QFETCH(double, inkomsten);
        QFETCH(double, uitgaven);
        QFETCH(bool, toegenomen);
        QFETCH(double, saldoRegel);
        QFETCH(double, totaal);
        QFETCH(double, activa);
        QFETCH(double, evOud);
        QFETCH(double, evNieuw);
        const BalansCijfers c = berekenBalans(balances);
        QCOMPARE(c.inkomsten, inkomsten);
        QCOMPARE(c.uitgaven, uitgaven);
        QCOMPARE(c.toegenomen, toegenomen);
        QCOMPARE(c.saldoRegel, saldoRegel);
        QCOMPARE(c.totaal, totaal);
        QCOMPARE(c.activa, activa);
        QCOMPARE(c.eigenVermogenOud, evOud);
        QCOMPARE(c.eigenVermogenNieuw, evNieuw);
        QCOMPARE(c.resultaat, inkomsten - uitgaven);
    }

    // Balances always sum to zero, so the new equity is the assets plus the open
    // receivables minus the open payables.
    void newEquityMatchesAssetsAndOpenItems()
    {
        // Opening 300 in Bank 1; income 80 in cash; an open invoice of 25 for hall rent;
        // a receivable of 15 for sales.
        const auto balances = saldi({{1, 300}, {23, -300}, {7, -80}, {4, 80}, {24, -25}, {21, 25}, {10, -15}, {25, 15}});
        const BalansCijfers c = berekenBalans(balances);
        QCOMPARE(c.nogTeBetalen, 25.0);
        QCOMPARE(c.nogTeOntvangen, 15.0);
        QCOMPARE(c.eigenVermogenNieuw, c.activa + c.nogTeOntvangen - c.nogTeBetalen);
    }

    void needsThe37Balances() { QVERIFY_THROWS_EXCEPTION(Error, berekenBalans(std::vector<double>(36, 0.0))); }
};

QTEST_GUILESS_MAIN(TestBalans)
#include "test_balans.moc"
