// The balance report filled from a real administration: slots by position, the result
// line on the right side, both totals, open items and equity, on one page.
#include "amountformat.h"
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "placedtexts.h"
#include "report/reportdocument.h"
#include "reports/printbalans.h"

#include <QTest>

using namespace zelk;
using namespace zelk::test;

class TestPrintbalans : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    const QDate day{2026, 2, 1};

private Q_SLOTS:
    void init()
    {
        AmountFormat::applyDutch(false);
        data = std::make_unique<test::FreshData>();
    }
    void cleanup() { data.reset(); }

    void freshAdministration()
    {
        printbalans balans(*data);
        balans.toonsaldo();
        const auto texts = detailTexts(balans.report());
        QCOMPARE(amountBeside(texts, QStringLiteral("Saldo (toegenomen vermogen)"), true), QStringLiteral("0.00"));
        QCOMPARE(count(texts, QStringLiteral("Saldo (afgenomen vermogen)")), 0);
        QCOMPARE(count(texts, QStringLiteral("€ 0.00")), 5); // both totals, assets, equity old and new
        QCOMPARE(amountBeside(texts, QStringLiteral("Nog te betalen"), true), QStringLiteral("0.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("Nog te ontvangen"), true), QStringLiteral("0.00"));
        QCOMPARE(count(texts, QStringLiteral("Bank 1")), 0); // zero balances leave their slot empty
        for (const char *heading : {"INKOMSTEN", "UITGAVEN", "SALDI VERMOGENSREKENINGEN", "OPENSTAAND", "EIGEN VERMOGEN"})
            QCOMPARE(count(texts, QString::fromLatin1(heading)), 1);
    }

    void incomeAndExpense()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributies"), day, 100);
        declar::boekpost(*data, 1, 12, QStringLiteral("Kantoorartikelen"), day, 40);
        printbalans balans(*data);
        balans.toonsaldo();
        const auto texts = detailTexts(balans.report());
        QCOMPARE(amountBeside(texts, QStringLiteral("Bank 1"), false), QStringLiteral("60.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("Contributies"), false), QStringLiteral("100.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("Administratiekosten"), true), QStringLiteral("40.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("Saldo (toegenomen vermogen)"), true), QStringLiteral("60.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), true), QStringLiteral("€ 100.00"));
        QCOMPARE(count(texts, QStringLiteral("€ 100.00")), 2);
        QCOMPARE(amountBeside(texts, QStringLiteral("Eigen vermogen oud"), true), QStringLiteral("€ 0.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("Eigen vermogen nieuw"), true), QStringLiteral("€ 60.00"));
        QCOMPARE(data->rekeningtabel.currentRow(), 22); // left on the equity account
    }

    void depositDifferenceSide_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("rightColumn");
        QTest::newRow("negative: income column") << 6 << 1 << false;
        QTest::newRow("positive: expenses column") << 1 << 6 << true;
    }
    void depositDifferenceSide()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, rightColumn);
        declar::boekpost(*data, from, to, QStringLiteral("Kasverschil"), day, 2.5);
        printbalans balans(*data);
        balans.toonsaldo();
        const auto texts = detailTexts(balans.report());
        QCOMPARE(count(texts, QStringLiteral("Stortingverschillen")), 1);
        QCOMPARE(amountBeside(texts, QStringLiteral("Stortingverschillen"), rightColumn), QStringLiteral("2.50"));
        // Expenses above income put the result in the income column.
        QCOMPARE(count(texts, QStringLiteral("Saldo (afgenomen vermogen)")), rightColumn ? 1 : 0);
    }

    void renamedAccountAndDutchAmounts()
    {
        data->rekeningtabel.moveTo(0);
        data->rekeningtabel.edit();
        data->rekeningtabel.setValue(u"Naam", QStringLiteral("Rabobank"));
        data->rekeningtabel.post();
        declar::boekpost(*data, 8, 1, QStringLiteral("Gift"), day, 1234.5);
        AmountFormat::applyDutch(true);
        printbalans balans(*data);
        balans.toonsaldo();
        const auto texts = detailTexts(balans.report());
        AmountFormat::applyDutch(false);
        QCOMPARE(amountBeside(texts, QStringLiteral("Rabobank"), false), QStringLiteral("1.234,50"));
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), false), QStringLiteral("€ 1.234,50"));
    }
};

QTEST_MAIN(TestPrintbalans)
#include "test_printbalans.moc"
