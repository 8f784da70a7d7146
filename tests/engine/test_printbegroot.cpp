// The budget report filled from a real administration and a budget: a line prints only
// with an amount above zero, the result line on the side it belongs, the balanced totals in
// the currency format, one page; its CSV export lists the 26 lines with actual figures.
#include "amountformat.h"
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "placedtexts.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "reports/printbegroot.h"

#include <QBuffer>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {
Begroting budget(std::initializer_list<std::pair<int, double>> amounts)
{
    Begroting b;
    for (const auto &[position, amount] : amounts)
        b.bedragen.insert(position, amount);
    return b;
}

QStringList csvLines(printbegroot &begroot)
{
    ReportDocument document(begroot.report());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeCsv(document, buffer);
    return QString::fromUtf8(buffer.data()).split(u'\n', Qt::SkipEmptyParts);
}
} // namespace

class TestPrintbegroot : public QObject {
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

    void emptyAdministration()
    {
        printbegroot begroot(*data);
        begroot.vulbegroting(Begroting{});
        const auto texts = detailTexts(begroot.report());
        QCOMPARE(amountBeside(texts, QStringLiteral("Positief saldo (over)"), true), QStringLiteral("0.00"));
        QCOMPARE(count(texts, QStringLiteral("Negatief saldo (tekort)")), 0);
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), false), QStringLiteral("€ 0.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), true), QStringLiteral("€ 0.00"));
        QCOMPARE(count(texts, QStringLiteral("Contributies")), 0); // nothing budgeted: every line blank
        // The headings, the result line and the two totals: nothing else prints.
        QCOMPARE(texts.size(), std::size_t(2 + 2 + 4));
        QCOMPARE(count(texts, QStringLiteral("INKOMSTEN")), 1);
        QCOMPARE(count(texts, QStringLiteral("UITGAVEN")), 1);
    }

    void expensesAboveIncome()
    {
        printbegroot begroot(*data);
        begroot.vulbegroting(budget({{7, 1000}, {21, 1500}, {35, 250}}));
        const auto texts = detailTexts(begroot.report());
        QCOMPARE(amountBeside(texts, QStringLiteral("Contributies"), false), QStringLiteral("1,000.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("Zaalhuurkosten"), true), QStringLiteral("1,500.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("Negatief saldo (tekort)"), false), QStringLiteral("750.00"));
        QCOMPARE(count(texts, QStringLiteral("Positief saldo (over)")), 0);
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), false), QStringLiteral("€ 1,750.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), true), QStringLiteral("€ 1,750.00"));
        QCOMPARE(begroot.cijfers().tekort, 750.0);
    }

    // Zero and negative amounts leave their line blank, name included, but count.
    void blankLinesStillCount()
    {
        printbegroot begroot(*data);
        begroot.vulbegroting(budget({{7, 500}, {8, 0}, {9, -100}, {12, 300}}));
        const auto texts = detailTexts(begroot.report());
        QCOMPARE(count(texts, QStringLiteral("Donaties")), 0);
        QCOMPARE(count(texts, QStringLiteral("Loterij/tombola")), 0);
        QCOMPARE(count(texts, QStringLiteral("-100.00")), 0);
        QCOMPARE(amountBeside(texts, QStringLiteral("Positief saldo (over)"), true), QStringLiteral("100.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), false), QStringLiteral("€ 400.00"));
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), true), QStringLiteral("€ 400.00"));
    }

    // The lines keep the order of the balance: row 5 of income is Verkoop 2, row 13 of the
    // expenses Overigekosten; both columns' boxes are equally high.
    void orderAndBoxes()
    {
        printbegroot begroot(*data);
        Begroting all;
        for (int p : begroting::inkomstenRegels())
            all.bedragen.insert(p, p);
        for (int p : begroting::uitgavenRegels())
            all.bedragen.insert(p, p);
        begroot.vulbegroting(all);
        ReportDocument document(begroot.report());
        QCOMPARE(document.pageCount(), 1);
        std::vector<const PageItem *> incomeNames, expenseNames, boxes;
        for (const PageItem &item : document.page(0).items) {
            if (item.band != BandKind::Detail)
                continue;
            if (item.kind == ItemKind::Box && item.h > 50)
                boxes.push_back(&item);
        }
        QCOMPARE(boxes.size(), std::size_t(2));
        QCOMPARE(boxes[0]->h, boxes[1]->h);
        QCOMPARE(boxes[0]->y, boxes[1]->y);
        const auto texts = detailTexts(begroot.report());
        auto yOf = [&](const QString &text) {
            for (const Placed &p : texts)
                if (p.text == text)
                    return p.y;
            return -1.0;
        };
        QVERIFY(yOf(QStringLiteral("Verkopen")) < yOf(QStringLiteral("Verkoop 2")));
        QVERIFY(yOf(QStringLiteral("Verkoop 4")) < yOf(QStringLiteral("Overige inkomsten")));
        QVERIFY(yOf(QStringLiteral("Organisatiekosten")) < yOf(QStringLiteral("Overigekosten")));
        QVERIFY(yOf(QStringLiteral("Overigekosten")) < yOf(QStringLiteral("Overige kosten 2")));
        QCOMPARE(yOf(QStringLiteral("Contributies")), yOf(QStringLiteral("Administratiekosten")));
        QVERIFY(yOf(QStringLiteral("Overige kosten 4")) < yOf(QStringLiteral("Negatief saldo (tekort)"))); // 189 against 348
    }

    void csvHasActualsAndBudget()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributies"), day, 1200);
        declar::boekpost(*data, 1, 12, QStringLiteral("Porto"), day, 45.5);
        printbegroot begroot(*data);
        begroot.vulbegroting(budget({{7, 1250}, {12, -3}}));
        const QStringList lines = csvLines(begroot);
        QCOMPARE(lines.size(), 1 + 26 + 4);
        QCOMPARE(lines[0], QStringLiteral("Kolom,Positie,Rekening,Werkelijk,Begroting"));
        QCOMPARE(lines[1], QStringLiteral("INKOMSTEN,7,Contributies,1200.00,1250.00"));
        QCOMPARE(lines[2], QStringLiteral("INKOMSTEN,8,Donaties,0.00,0.00"));
        QCOMPARE(lines[11], QStringLiteral("UITGAVEN,12,Administratiekosten,45.50,-3.00"));
        QCOMPARE(lines[26], QStringLiteral("UITGAVEN,35,Overige kosten 4,0.00,0.00"));
        QCOMPARE(lines[27], QStringLiteral("INKOMSTEN,,Negatief saldo (tekort),,0.00"));
        QCOMPARE(lines[28], QStringLiteral("UITGAVEN,,Positief saldo (over),,1253.00"));
        QCOMPARE(lines[29], QStringLiteral("INKOMSTEN,,TOTAAL,,1250.00"));
        QCOMPARE(lines[30], QStringLiteral("UITGAVEN,,TOTAAL,,1250.00"));
    }

    void dutchAmounts()
    {
        AmountFormat::applyDutch(true);
        printbegroot begroot(*data);
        begroot.vulbegroting(budget({{7, 1234.5}}));
        const auto texts = detailTexts(begroot.report());
        const QStringList lines = csvLines(begroot);
        AmountFormat::applyDutch(false);
        QCOMPARE(amountBeside(texts, QStringLiteral("Contributies"), false), QStringLiteral("1.234,50"));
        QCOMPARE(amountBeside(texts, QStringLiteral("TOTAAL"), true), QStringLiteral("€ 1.234,50"));
        QCOMPARE(lines[1], QStringLiteral("INKOMSTEN,7,Contributies,\"0,00\",\"1234,50\""));
    }
};

QTEST_MAIN(TestPrintbegroot)
#include "test_printbegroot.moc"
