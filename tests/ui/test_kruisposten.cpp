// The transfers screen: money moved between the association's own accounts, with the
// description "kruispost" kept for the next transfer.
#include "bookkeeping/kruisposten.h"
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

class TestKruisposten : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    kruisposten *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    double balance(int position) { return app->balance(position); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = qobject_cast<kruisposten *>(test::openFromMenu(app->program, QStringLiteral("Kruisposten")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void transfers_data()
    {
        QTest::addColumn<int>("fromItem");
        QTest::addColumn<int>("toItem");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("fromPosition");
        QTest::addColumn<int>("toPosition");
        QTest::newRow("cash deposited") << 3 << 0 << "200" << 4 << 1;
        QTest::newRow("shortfall to deposit differences") << 3 << 7 << "0.50" << 4 << 6;
        QTest::newRow("between two banks") << 1 << 2 << "75.25" << 2 << 3;
    }
    void transfers()
    {
        QFETCH(int, fromItem);
        QFETCH(int, toItem);
        QFETCH(QString, amount);
        QFETCH(int, fromPosition);
        QFETCH(int, toPosition);
        QCOMPARE(screen->descriptionField()->text(), QStringLiteral("kruispost"));
        const double value = amount.toDouble();
        for (int round = 1; round <= 2; ++round) {
            test::clickRadio(screen->fromGroup()->button(fromItem));
            test::typeAmount(screen->amountField(), amount);
            test::clickRadio(screen->toGroup()->button(toItem));
            screen->doorboekenButton()->click();
            QCOMPARE(balance(fromPosition), -value * round);
            QCOMPARE(balance(toPosition), value * round);
            // The description stays for the next transfer; the amount does not.
            QCOMPARE(screen->descriptionField()->text(), QStringLiteral("kruispost"));
            QVERIFY(screen->amountField()->plainText().isEmpty());
        }
        QCOMPARE(data().journaaltabel.recordCount(), 2);
        QCOMPARE(data().journaaltabel.valueAt(1, u"Omschrijving").toString(), QStringLiteral("kruispost"));
        QCOMPARE(screen->lastNumberLabel()->text(), QStringLiteral("2"));
    }

    void theSameAccountOnBothSidesStillWritesAJournalRow()
    {
        test::typeAmount(screen->amountField(), QStringLiteral("10"));
        test::clickRadio(screen->toGroup()->button(0));
        screen->doorboekenButton()->click();
        QCOMPARE(balance(1), 0.0);
        QCOMPARE(data().journaaltabel.recordCount(), 1);
        QCOMPARE(data().journaaltabel.valueAt(0, u"Vanrekening").toString(), QStringLiteral("Bank 1"));
        QCOMPARE(data().journaaltabel.valueAt(0, u"Naarrekening").toString(), QStringLiteral("Bank 1"));
    }

    void tabOrderFollowsTheSteps()
    {
        // Date, description, amount, the account it came from, the account it went to.
        auto nextStop = [](QWidget *w) {
            do
                w = w->nextInFocusChain();
            while (w && (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()));
            return w;
        };
        QCOMPARE(nextStop(screen->datePicker()), screen->descriptionField());
        QCOMPARE(nextStop(screen->descriptionField()), screen->amountField());
        QCOMPARE(nextStop(screen->amountField()), screen->fromGroup()->button(0));
        AccountGroup *from = screen->fromGroup();
        QCOMPARE(nextStop(from->button(from->count() - 1)), screen->toGroup()->button(0));
        QCOMPARE(screen->toGroup()->title(), QStringLiteral("  Financiele rekeningen  "));
        QCOMPARE(screen->toGroup()->button(7)->text(), QStringLiteral("Stortingverschillen"));
        test::saveScreenshot(screen, QStringLiteral("kruisposten"));
    }
};

QTEST_MAIN(TestKruisposten)
#include "test_kruisposten.moc"
