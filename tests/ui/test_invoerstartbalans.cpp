// The opening balance screen: money accounts booked against the equity account on the
// left, open payables and receivables (also recorded as open items) on the right.
#include "amountformat.h"
#include "bookkeeping/invoerstartbalans.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/datepicker.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zelk;

class TestInvoerstartbalans : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoerstartbalans *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    double balance(int position) { return app->balance(position); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = qobject_cast<invoerstartbalans *>(test::openFromMenu(app->program, QStringLiteral("Start balans")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void showsBothHalves()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral("Invoer start balans"));
        QCOMPARE(screen->left().description->text(), QStringLiteral("Beginbalans"));
        QVERIFY(screen->right().description->text().isEmpty());
        QCOMPARE(screen->left().group->title(), QStringLiteral("  Financiele rekeningen  "));
        QCOMPARE(screen->right().group->title(), QStringLiteral("  Te betalen/te ontvangen rekeningen  "));
        QCOMPARE(screen->left().group->chosen(), 0);
        QCOMPARE(screen->right().group->chosen(), 0);
        QCOMPARE(screen->left().group->button(5)->text(), QStringLiteral("Kas 3"));
        QCOMPARE(screen->right().group->button(1)->text(), QStringLiteral("Nog te ontvangen"));
        QCOMPARE(screen->left().equity->text(), QStringLiteral("0.00"));
        QVERIFY(!screen->left().doorboeken->isEnabled());
        QVERIFY(!screen->right().doorboeken->isEnabled());
        test::saveScreenshot(screen, QStringLiteral("invoerstartbalans"));
    }

    void booksMoneyAccountsAgainstEquity_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("equityShown");
        QTest::newRow("Bank 1") << 0 << 1 << "1000"
                                << "-1,000.00";
        QTest::newRow("Kas 3") << 5 << 36 << "12.5"
                               << "-12.50";
        QTest::newRow("Kas 4") << 6 << 37 << "3"
                               << "-3.00";
        QTest::newRow("overdraft") << 1 << 2 << "-250"
                                   << "250.00";
    }
    void booksMoneyAccountsAgainstEquity()
    {
        QFETCH(int, item);
        QFETCH(int, position);
        QFETCH(QString, amount);
        QFETCH(QString, equityShown);
        const auto &left = screen->left();
        test::clickRadio(left.group->button(item));
        test::typeAmount(left.amount, amount);
        QVERIFY(left.doorboeken->isEnabled());
        QTest::mouseClick(left.doorboeken, Qt::LeftButton);
        const double value = amount.toDouble();
        QCOMPARE(balance(position), value);
        QCOMPARE(balance(23), -value);
        QCOMPARE(left.equity->text(), equityShown);
        QCOMPARE(screen->right().equity->text(), equityShown);
        QCOMPARE(left.equity->palette().color(QPalette::WindowText), value > 0 ? QColor(Qt::red) : QColor(Qt::black));
        Table &journal = data().journaaltabel;
        QCOMPARE(journal.valueAt(0, u"Vanrekening").toString(), QStringLiteral("Eigen vermogen"));
        QCOMPARE(journal.valueAt(0, u"Naarrekening").toString(), accountName(data().rekeningtabel, position));
        QCOMPARE(journal.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Beginbalans"));
        QCOMPARE(screen->lastNumberLabel()->text(), QStringLiteral("1"));
        // Description, date and choice stay; the amount goes and the button is disabled.
        QCOMPARE(left.description->text(), QStringLiteral("Beginbalans"));
        QCOMPARE(left.group->chosen(), item);
        QVERIFY(left.amount->plainText().isEmpty());
        QVERIFY(!left.doorboeken->isEnabled());
        test::typeAmount(left.amount, QStringLiteral("1"));
        QVERIFY(left.doorboeken->isEnabled());
        QVERIFY(!screen->right().doorboeken->isEnabled()); // each half has its own amount
    }

    void booksOpenItemsOnTheRight_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<double>("accountBalance");
        QTest::addColumn<double>("equityBalance");
        QTest::addColumn<int>("payables");
        QTest::addColumn<int>("receivables");
        QTest::newRow("payable") << 0 << -50.0 << 50.0 << 1 << 0;
        QTest::newRow("receivable") << 1 << 50.0 << -50.0 << 0 << 1;
    }
    void booksOpenItemsOnTheRight()
    {
        QFETCH(int, item);
        QFETCH(double, accountBalance);
        QFETCH(double, equityBalance);
        QFETCH(int, payables);
        QFETCH(int, receivables);
        const auto &right = screen->right();
        right.date->setDate(QDate(2025, 12, 31));
        right.description->setText(QStringLiteral("Factuur drukkerij"));
        test::clickRadio(right.group->button(item));
        test::typeAmount(right.amount, QStringLiteral("50"));
        QTest::mouseClick(right.doorboeken, Qt::LeftButton);
        QCOMPARE(balance(item == 0 ? 24 : 25), accountBalance);
        QCOMPARE(balance(23), equityBalance);
        QCOMPARE(data().betalentabel.recordCount(), payables);
        QCOMPARE(data().ontvangentabel.recordCount(), receivables);
        Table &items = payables ? data().betalentabel : data().ontvangentabel;
        QCOMPARE(items.valueAt(0, u"Datum").toDate(), QDate(2025, 12, 31));
        QCOMPARE(items.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Factuur drukkerij"));
        QCOMPARE(items.valueAt(0, u"Bedrag").toDouble(), 50.0);
        QCOMPARE(right.group->balanceLabel(item)->text(), AmountFormat::current().display(accountBalance));
        QCOMPARE(right.description->text(), QStringLiteral("Factuur drukkerij"));
    }
};

QTEST_MAIN(TestInvoerstartbalans)
#include "test_invoerstartbalans.moc"
