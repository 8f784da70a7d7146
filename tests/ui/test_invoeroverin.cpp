// The income screen as the model of every booking screen: the pending amount, the
// "Doorboeken" rule, the booking with its journal row and open receivable, the refreshed
// balances, the marker, the notice, and what the screen keeps between visits.
#include "bookkeeping/invoeroverin.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/sqlite.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/datepicker.h"
#include "toolkit/verwerkt.h"

#include "amountformat.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zelk;

class TestInvoeroverin : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoeroverin *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    double balance(int position) { return app->balance(position); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = qobject_cast<invoeroverin *>(test::openFromMenu(app->program, QStringLiteral("Inkomsten")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void opensFromTheMainMenuWithItsControls()
    {
        QVERIFY(screen->isVisible());
        QVERIFY(!app->program.mainMenu()->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Verwerken inkomsten"));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("titel"))->text(), QStringLiteral("Contributieprogramma"));
        QCOMPARE(screen->fromGroup()->title(), QStringLiteral("  Ontvangsten rekeningen  "));
        QCOMPARE(screen->toGroup()->title(), QStringLiteral("  Financiele rekeningen  "));
        QCOMPARE(screen->fromGroup()->chosen(), 0);
        QCOMPARE(screen->toGroup()->chosen(), -1);
        QCOMPARE(screen->toGroup()->button(1)->text(), QStringLiteral("Bank 2")); // the account's name, not "bank 2"
        QCOMPARE(screen->toGroup()->button(7)->text(), QStringLiteral("Nog te ontvangen"));
        QCOMPARE(screen->datePicker()->date(), QDate::currentDate());
        QCOMPARE(screen->datePicker()->displayFormat(), QStringLiteral("dd-MM-yyyy"));
        QVERIFY(screen->findChild<QLabel *>(QStringLiteral("stappen"))
                    ->text()
                    .startsWith(QStringLiteral("1. Kies de juiste datum\n2. Vul de omschrijving in")));
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        QCOMPARE(screen->lastNumberLabel()->text(), QStringLiteral("0"));
        test::saveScreenshot(screen, QStringLiteral("invoeroverin"));
    }

    void booksIncomeEndToEnd_data()
    {
        QTest::addColumn<int>("toItem");
        QTest::addColumn<int>("toPosition");
        QTest::addColumn<int>("openItems");
        QTest::newRow("to Bank 1") << 0 << 1 << 0;
        QTest::newRow("to Kas 3") << 5 << 36 << 0;
        QTest::newRow("still to be received") << 7 << 25 << 1;
    }
    void booksIncomeEndToEnd()
    {
        QFETCH(int, toItem);
        QFETCH(int, toPosition);
        QFETCH(int, openItems);
        screen->datePicker()->setDate(QDate(2026, 3, 1));
        QTest::keyClicks(screen->descriptionField(), QStringLiteral("Contributie maart"));
        test::typeAmount(screen->amountField(), QStringLiteral("25"));
        QCOMPARE(screen->pendingAmount(), 25.0);
        test::clickRadio(screen->toGroup()->button(toItem));
        QVERIFY(screen->doorboekenButton()->isEnabled());
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);

        Table &journal = data().journaaltabel;
        QCOMPARE(journal.recordCount(), 1);
        QCOMPARE(journal.valueAt(0, u"JrNr").toInt(), 1);
        QCOMPARE(journal.valueAt(0, u"Datum").toDate(), QDate(2026, 3, 1));
        QCOMPARE(journal.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Contributie maart"));
        QCOMPARE(journal.valueAt(0, u"Vanrekening").toString(), QStringLiteral("Contributies"));
        QCOMPARE(journal.valueAt(0, u"Naarrekening").toString(), accountName(data().rekeningtabel, toPosition));
        QCOMPARE(journal.valueAt(0, u"Bedrag").toDouble(), 25.0);
        QCOMPARE(balance(7), -25.0);
        QCOMPARE(balance(toPosition), 25.0);
        QCOMPARE(data().ontvangentabel.recordCount(), openItems);

        // The screen shows the new balances and is ready for the next booking.
        QLabel *income = screen->fromGroup()->balanceLabel(0);
        QCOMPARE(income->text(), QStringLiteral("-25.00"));
        QCOMPARE(income->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(screen->toGroup()->balanceLabel(toItem)->text(), QStringLiteral("25.00"));
        QCOMPARE(screen->toGroup()->balanceLabel(toItem)->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(screen->descriptionField()->text().isEmpty());
        QVERIFY(screen->amountField()->plainText().isEmpty());
        QCOMPARE(screen->toGroup()->chosen(), -1);
        QCOMPARE(screen->fromGroup()->chosen(), 0);
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        QCOMPARE(screen->lastNumberLabel()->text(), QStringLiteral("1"));
        QVERIFY(app->program.context().notice->isVisible());
        QCOMPARE(screen->datePicker()->date(), QDate(2026, 3, 1));
        // The marker stays beside the last clicked balance.
        QVERIFY(!screen->toGroup()->marker(toItem)->isHidden());
        if (openItems) {
            Table &items = data().ontvangentabel;
            QCOMPARE(items.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Contributie maart"));
            QCOMPARE(items.valueAt(0, u"Bedrag").toDouble(), 25.0);
            QCOMPARE(items.valueAt(0, u"Datum").toDate(), QDate(2026, 3, 1));
        }
        test::saveScreenshot(screen, QStringLiteral("invoeroverin-geboekt"));
    }

    void doorboekenNeedsAnAmountAndAToAccount_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("clickAccount");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<double>("pending");
        QTest::newRow("amount, no account") << "12.50" << false << false << 12.5;
        QTest::newRow("amount and account") << "12.50" << true << true << 12.5;
        QTest::newRow("empty amount, account") << "" << true << false << 0.0;
        QTest::newRow("zero, account") << "0" << true << false << 0.0;
        QTest::newRow("no amount text, account") << "twaalf" << true << false << 0.0;
        QTest::newRow("thousands separator is no amount") << "1,250.00" << true << false << 0.0;
        QTest::newRow("negative amount, account") << "-3" << true << true << -3.0;
        QTest::newRow("blanks removed") << "1 250.5" << true << true << 1250.5;
    }
    void doorboekenNeedsAnAmountAndAToAccount()
    {
        QFETCH(QString, typed);
        QFETCH(bool, clickAccount);
        QFETCH(bool, enabled);
        QFETCH(double, pending);
        test::typeAmount(screen->amountField(), typed);
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        if (clickAccount)
            test::clickRadio(screen->toGroup()->button(2));
        QCOMPARE(screen->doorboekenButton()->isEnabled(), enabled);
        QCOMPARE(screen->pendingAmount(), pending);
        if (clickAccount) // the field is rewritten as a plain amount
            QCOMPARE(screen->amountField()->plainText(), AmountFormat::current().plain(pending));
        // A click in the from-group takes nothing.
        test::clickRadio(screen->fromGroup()->button(3));
        QCOMPARE(screen->doorboekenButton()->isEnabled(), enabled);
        QCOMPARE(data().journaaltabel.recordCount(), 0);
    }

    void theMarkerFollowsTheLastClickedAccount()
    {
        test::typeAmount(screen->amountField(), QStringLiteral("5"));
        AccountGroup *to = screen->toGroup();
        for (int i = 0; i < to->count(); ++i)
            QVERIFY(to->marker(i)->isHidden());
        test::clickRadio(to->button(3));
        test::clickRadio(to->button(1));
        for (int i = 0; i < to->count(); ++i)
            QCOMPARE(!to->marker(i)->isHidden(), i == 1);
    }

    void reopeningKeepsTheFieldsButNotTheAccount()
    {
        screen->descriptionField()->setText(QStringLiteral("Loterij"));
        test::typeAmount(screen->amountField(), QStringLiteral("7.5"));
        test::clickRadio(screen->toGroup()->button(0));
        QVERIFY(screen->doorboekenButton()->isEnabled());
        screen->findChild<QPushButton *>(QStringLiteral("sluitvenster"))->click();
        QVERIFY(!screen->isVisible());
        QVERIFY(app->program.mainMenu()->isVisible());
        QCOMPARE(test::openFromMenu(app->program, QStringLiteral("Inkomsten")), screen);
        QCOMPARE(screen->descriptionField()->text(), QStringLiteral("Loterij"));
        QCOMPARE(screen->amountField()->plainText(), QStringLiteral("7.50"));
        QCOMPARE(screen->toGroup()->chosen(), -1);
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        test::clickRadio(screen->toGroup()->button(0));
        QVERIFY(screen->doorboekenButton()->isEnabled());
    }

    void helpOpensTheIncomeChapter()
    {
        QVERIFY(screen->findChild<QPushButton *>(QStringLiteral("help"))->isEnabled());
        QString heading;
        app->program.context().openHelp = [&](QWidget *, const QString &h) { heading = h; };
        screen->close();
        QCOMPARE(test::openFromMenu(app->program, QStringLiteral("Inkomsten")), screen);
        screen->findChild<QPushButton *>(QStringLiteral("help"))->click();
        QCOMPARE(heading, QStringLiteral("5. VERWERKEN INKOMSTEN"));
    }

    void theMainMenuShowsTheNewJournalNumberAfterwards()
    {
        test::typeAmount(screen->amountField(), QStringLiteral("10"));
        test::clickRadio(screen->toGroup()->button(0));
        screen->doorboekenButton()->click();
        test::typeAmount(screen->amountField(), QStringLiteral("11"));
        test::clickRadio(screen->toGroup()->button(0));
        screen->doorboekenButton()->click();
        QCOMPARE(screen->lastNumberLabel()->text(), QStringLiteral("2"));
        screen->close();
        QCOMPARE(app->program.mainMenu()->statusPanel(4)->text(), QStringLiteral("2"));
    }

    void aFailingBookingLeavesNothingHalfDone()
    {
        // A journal that cannot be written: the balances must stay as they were too.
        data().journaaltabel.close();
        test::typeAmount(screen->amountField(), QStringLiteral("25"));
        test::clickRadio(screen->toGroup()->button(7));
        screen->doorboekenButton()->click();
        QTRY_VERIFY(QApplication::activeModalWidget() && QApplication::activeModalWidget()->objectName() == QLatin1String("foutmelding"));
        QCOMPARE(balance(7), 0.0);
        QCOMPARE(balance(25), 0.0);
        QCOMPARE(data().ontvangentabel.recordCount(), 0);
        QCOMPARE(screen->amountField()->plainText(), QStringLiteral("25.00")); // the user can try again
        QVERIFY(!app->program.context().notice->isVisible());
        QApplication::activeModalWidget()->close();
    }

    void anOpenItemThatCannotBeWrittenUndoesItsBooking()
    {
        // The receivable is written after both balances and the journal row: all must go.
        sql::exec(data().database1().handle(),
                  QStringLiteral("CREATE TRIGGER \"teontvangen\".weiger BEFORE INSERT ON teontvangen "
                                 "BEGIN SELECT RAISE(ABORT, 'schijf vol'); END"));
        test::typeAmount(screen->amountField(), QStringLiteral("25"));
        test::clickRadio(screen->toGroup()->button(7)); // Nog te ontvangen
        screen->doorboekenButton()->click();
        QTRY_VERIFY(QApplication::activeModalWidget() && QApplication::activeModalWidget()->objectName() == QLatin1String("foutmelding"));
        QCOMPARE(balance(7), 0.0);
        QCOMPARE(balance(25), 0.0);
        QCOMPARE(data().journaaltabel.recordCount(), 0);
        data().disconnectDatabase(); // and so say the files
        data().openForUse();
        QCOMPARE(balance(25), 0.0);
        QCOMPARE(data().journaaltabel.recordCount(), 0);
        QApplication::activeModalWidget()->close();
    }
};

QTEST_MAIN(TestInvoeroverin)
#include "test_invoeroverin.moc"
