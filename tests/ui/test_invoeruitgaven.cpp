// The expenses screen: paying from a money account or from the payables account (which
// records an open payable) to a cost account.
#include "bookkeeping/invoeruitgaven.h"
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

class TestInvoeruitgaven : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoeruitgaven *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    double balance(int position) { return app->balance(position); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = qobject_cast<invoeruitgaven *>(test::openFromMenu(app->program, QStringLiteral("Uitgaven")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void showsTheCostAccountsByTheirNames()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral("Verwerken uitgaven"));
        QCOMPARE(screen->fromGroup()->title(), QStringLiteral("  Financiele rekeningen  "));
        QCOMPARE(screen->toGroup()->title(), QStringLiteral("  Uitgaven rekeningen  "));
        QCOMPARE(screen->toGroup()->count(), 16);
        // Item 5 starts as "Bondsafdracht" and shows the account's name once shown.
        QCOMPARE(screen->toGroup()->button(4)->text(), QStringLiteral("Bondsafdrachten"));
        QCOMPARE(screen->toGroup()->button(13)->text(), QStringLiteral("Overige kosten 2"));
        QCOMPARE(screen->fromGroup()->button(7)->text(), QStringLiteral("Nog te betalen"));
        QVERIFY(
            screen->findChild<QLabel *>(QStringLiteral("stappen"))->text().contains(QStringLiteral("5. Klik op wat voor uitgave het is")));
        test::saveScreenshot(screen, QStringLiteral("invoeruitgaven"));
    }

    void paysAnExpense_data()
    {
        QTest::addColumn<int>("fromItem");
        QTest::addColumn<int>("fromPosition");
        QTest::addColumn<int>("openPayables");
        QTest::newRow("from Bank 1") << 0 << 1 << 0;
        QTest::newRow("still to be paid") << 7 << 24 << 1;
    }
    void paysAnExpense()
    {
        QFETCH(int, fromItem);
        QFETCH(int, fromPosition);
        QFETCH(int, openPayables);
        screen->datePicker()->setDate(QDate(2026, 4, 2));
        screen->descriptionField()->setText(QStringLiteral("Zaalhuur april"));
        test::clickRadio(screen->fromGroup()->button(fromItem));
        test::typeAmount(screen->amountField(), QStringLiteral("40"));
        QVERIFY(!screen->doorboekenButton()->isEnabled()); // no cost account yet
        test::clickRadio(screen->toGroup()->button(9));    // Zaalhuurkosten
        QVERIFY(screen->doorboekenButton()->isEnabled());
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);

        QCOMPARE(balance(fromPosition), -40.0);
        QCOMPARE(balance(21), 40.0);
        QCOMPARE(screen->toGroup()->balanceLabel(9)->text(), QStringLiteral("40.00"));
        QCOMPARE(screen->fromGroup()->balanceLabel(fromItem)->text(), QStringLiteral("-40.00"));
        Table &journal = data().journaaltabel;
        QCOMPARE(journal.recordCount(), 1);
        QCOMPARE(journal.valueAt(0, u"Vanrekening").toString(), accountName(data().rekeningtabel, fromPosition));
        QCOMPARE(journal.valueAt(0, u"Naarrekening").toString(), QStringLiteral("Zaalhuurkosten"));
        QCOMPARE(data().betalentabel.recordCount(), openPayables);
        if (openPayables) {
            QCOMPARE(data().betalentabel.valueAt(0, u"Bedrag").toDouble(), 40.0);
            QCOMPARE(data().betalentabel.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Zaalhuur april"));
            QCOMPARE(data().betalentabel.valueAt(0, u"Datum").toDate(), QDate(2026, 4, 2));
        }
        QCOMPARE(screen->toGroup()->chosen(), -1);
        QCOMPARE(screen->fromGroup()->chosen(), fromItem); // the paying account stays chosen
        QVERIFY(screen->descriptionField()->text().isEmpty());
        QVERIFY(data().ontvangentabel.isEmpty());
    }
};

QTEST_MAIN(TestInvoeruitgaven)
#include "test_invoeruitgaven.moc"
