// The accounts list over a real chart: every account in number order with its balance,
// headings white on dark blue, rows white and lavender in turn from white at every run.
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "report/reportdocument.h"
#include "reports/printrekeningen.h"

#include <QTest>

using namespace zelk;

class TestPrintrekeningen : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void listsEveryAccountWithItsBalance()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie"), QDate(2026, 1, 5), 1250.5);
        printrekeningen rekeningen(*data);
        ReportDocument document(rekeningen.report());
        QCOMPARE(document.pageCount(), 1);
        QStringList names, amounts, headings;
        QList<QRgb> shades;
        for (const PageItem &item : document.page(0).items) {
            if (item.band == BandKind::ColumnHeader && item.kind == ItemKind::Text) {
                headings << item.text;
                QCOMPARE(document.store().styles.at(item.style).color, QColor(Qt::white));
            } else if (item.band == BandKind::ColumnHeader && item.kind == ItemKind::Box) {
                QCOMPARE(QColor::fromRgba(item.fill), QColor(64, 64, 128));
            } else if (item.band == BandKind::Detail && item.kind == ItemKind::Box) {
                shades << item.fill;
            } else if (item.band == BandKind::Detail && item.kind == ItemKind::Text) {
                (item.x < 100 ? names : amounts) << item.text;
            }
        }
        QCOMPARE(headings, QStringList({"Rekeningnaam", "Huidig Saldo"}));
        QCOMPARE(names.size(), 37);
        QCOMPARE(names.first(), QStringLiteral("Bank 1"));
        QCOMPARE(names.at(22), QStringLiteral("Eigen vermogen"));
        QCOMPARE(amounts.first(), QStringLiteral("1,250.50"));
        QCOMPARE(amounts.at(6), QStringLiteral("-1,250.50"));
        QCOMPARE(amounts.at(1), QStringLiteral("0.00"));
        QCOMPARE(shades.size(), 37);
        for (int i = 0; i < shades.size(); ++i)
            QCOMPARE(QColor::fromRgba(shades.at(i)), i % 2 ? QColor(226, 226, 241) : QColor(Qt::white));
    }

    void shadingStartsWhiteAtEveryRun()
    {
        printrekeningen rekeningen(*data);
        for (int run = 0; run < 2; ++run) {
            ReportDocument document(rekeningen.report());
            for (const PageItem &item : document.page(0).items)
                if (item.band == BandKind::Detail && item.kind == ItemKind::Box) {
                    QCOMPARE(QColor::fromRgba(item.fill), QColor(Qt::white));
                    break;
                }
        }
    }

    void layingOutLeavesTheSharedCursorAlone()
    {
        data->rekeningtabel.moveTo(4);
        printrekeningen rekeningen(*data);
        ReportDocument document(rekeningen.report());
        document.pageCount();
        QCOMPARE(data->rekeningtabel.currentRow(), 4);
    }
};

QTEST_MAIN(TestPrintrekeningen)
#include "test_printrekeningen.moc"
