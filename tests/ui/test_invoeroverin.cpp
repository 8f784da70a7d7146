// The income screen as the model of every booking screen: the pending amount, the
// "Doorboeken" rule, the booking with its journal row and open receivable, the refreshed
// balances, the marker, the notice, and what the screen keeps between visits; an amount
// that is no amount books nothing and says why, the description stops at its field's
// length without splitting a character, and one click in the date takes the digits typed.
#include "bookkeeping/invoeroverin.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/sqlite.h"
#include "testhome.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/datepicker.h"
#include "toolkit/verwerkt.h"

#include "amountformat.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

using namespace zelk;

using test::redPixels;
using test::typeText;

class TestInvoeroverin : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoeroverin *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    QMessageBox *errorBox()
    {
        for (auto *box : screen->findChildren<QMessageBox *>(QStringLiteral("foutmelding")))
            if (box->isVisible())
                return box;
        return nullptr;
    }
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

    void anAmountThatIsNoAmountBooksNothingAndSaysWhy_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("decimal comma") << "12,50";
        QTest::newRow("thousands separator") << "1,250.00";
        QTest::newRow("euro sign") << "€ 25";
        QTest::newRow("currency code") << "EUR 25";
        QTest::newRow("words") << "twaalf";
    }
    void anAmountThatIsNoAmountBooksNothingAndSaysWhy()
    {
        QTest::keyClicks(screen->descriptionField(), QStringLiteral("Contributie"));
        AmountField *amount = screen->amountField();
        QFETCH(QString, typed);
        amount->setFocus();
        typeText(amount, typed);
        QTest::keyClick(amount, Qt::Key_Return);
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        QVERIFY(amount->isMarked());
        QCOMPARE(amount->toolTip(), QStringLiteral("Niet te lezen als bedrag; schrijf bijvoorbeeld 12.50"));
        QVERIFY(redPixels(amount) > 20);
        const QString said = QStringLiteral("\"%1\" is niet te lezen als bedrag. Schrijf een bedrag met een punt voor de centen, "
                                            "zonder scheidingsteken voor de duizendtallen en zonder valutateken, bijvoorbeeld "
                                            "1250.00. Er wordt niets geboekt zolang het bedrag niet te lezen is.")
                                 .arg(typed);

        // Clicking an account takes nothing and says why; the text stays as typed.
        test::clickRadio(screen->toGroup()->button(0));
        QMessageBox *box = errorBox();
        QVERIFY(box);
        QCOMPARE(box->text(), said);
        test::saveScreenshot(screen, QStringLiteral("invoeroverin-onleesbaar-bedrag"));
        box->close();
        QCOMPARE(amount->plainText(), typed);
        QCOMPARE(screen->pendingAmount(), 0.0);
        QVERIFY(!screen->doorboekenButton()->isEnabled());

        // A click on the grey "Doorboeken" says it too, and books nothing.
        QTRY_VERIFY(!errorBox());
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);
        box = errorBox();
        QVERIFY(box);
        QCOMPARE(box->text(), said);
        box->close();
        QCOMPARE(data().journaaltabel.recordCount(), 0);
        QCOMPARE(balance(7), 0.0);
        QCOMPARE(balance(1), 0.0);
        QCOMPARE(amount->plainText(), typed);
    }

    void anAmountEditedIntoNoAmountIsNoLongerPending()
    {
        AmountField *amount = screen->amountField();
        test::typeAmount(amount, QStringLiteral("25"));
        test::clickRadio(screen->toGroup()->button(0));
        QVERIFY(screen->doorboekenButton()->isEnabled());
        amount->setFocus();
        QTest::keyClick(amount, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(amount, QStringLiteral("12,50"));
        // Without leaving the field: the 25 that was taken no longer stands.
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        QCOMPARE(screen->pendingAmount(), 0.0);
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);
        QMessageBox *box = errorBox();
        QVERIFY(box);
        box->close();
        QCOMPARE(data().journaaltabel.recordCount(), 0);
        QCOMPARE(amount->plainText(), QStringLiteral("12,50"));
    }

    void theDescriptionStopsAtItsFieldLength()
    {
        QLineEdit *description = screen->descriptionField();
        const QString typed = QStringLiteral("Contributie voorjaar en najaar, jeugdleden en senioren samen.");
        QCOMPARE(typed.size(), 61);
        description->setFocus();
        QTest::keyClicks(description, typed);
        QCOMPARE(description->text(), typed.left(40));
        QCOMPARE(QToolTip::text(), QStringLiteral("Hier passen ten hoogste 40 tekens."));
        test::typeAmount(screen->amountField(), QStringLiteral("25"));
        test::clickRadio(screen->toGroup()->button(0));
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);
        QCOMPARE(data().journaaltabel.recordCount(), 1);
        QCOMPARE(data().journaaltabel.valueAt(0, u"Omschrijving").toString(), typed.left(40));
    }

    void anEmojiAtTheFortiethPlaceIsKeptWholeOrLeftOutWhole_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("typed"); // typed as one key, or pasted
        QTest::addColumn<bool>("fits");
        QTest::newRow("39 before, typed") << 39 << true << true;
        QTest::newRow("39 before, pasted") << 39 << false << true;
        QTest::newRow("40 before, typed") << 40 << true << false;
        QTest::newRow("40 before, pasted") << 40 << false << false;
    }
    void anEmojiAtTheFortiethPlaceIsKeptWholeOrLeftOutWhole()
    {
        QFETCH(int, before);
        QFETCH(bool, typed);
        QFETCH(bool, fits);
        const QString emoji = QStringLiteral("\U0001F600");
        QLineEdit *description = screen->descriptionField();
        description->setFocus();
        QTest::keyClicks(description, QString(before, u'x'));
        if (typed) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, emoji);
            QApplication::sendEvent(description, &press);
        } else {
            QGuiApplication::clipboard()->setText(emoji + QStringLiteral("yz"));
            QTest::keyClick(description, Qt::Key_V, Qt::ControlModifier);
        }
        const QString expected = QString(before, u'x') + (fits ? emoji : QString());
        QCOMPARE(description->text(), expected);
        QVERIFY(description->text().isValidUtf16());
        test::typeAmount(screen->amountField(), QStringLiteral("5"));
        test::clickRadio(screen->toGroup()->button(0));
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);
        data().disconnectDatabase(); // read back from the file
        data().openForUse();
        QCOMPARE(data().journaaltabel.valueAt(0, u"Omschrijving").toString(), expected);
    }

    void aPastedDescriptionKeepsWhatFits()
    {
        QLineEdit *description = screen->descriptionField();
        description->setFocus();
        QTest::keyClicks(description, QStringLiteral("Zaalhuur"));
        description->setCursorPosition(0);
        QGuiApplication::clipboard()->setText(QString(40, u'p'));
        QTest::keyClick(description, Qt::Key_V, Qt::ControlModifier);
        // The part pasted that fits goes in; what was typed after it stays.
        QCOMPARE(description->text(), QString(32, u'p') + QStringLiteral("Zaalhuur"));
    }

    void oneClickInTheDateThenDigitsGiveThatDate_data()
    {
        QTest::addColumn<int>("section"); // 0 day, 1 month, 2 year
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        QTest::newRow("whole date from the day") << 0 << "15032026" << QDate(2026, 3, 15);
        QTest::newRow("with dashes") << 0 << "15-03-2026" << QDate(2026, 3, 15);
        QTest::newRow("short, with dashes") << 0 << "1-4-2026" << QDate(2026, 4, 1);
        QTest::newRow("with dots") << 0 << "1.4.2026" << QDate(2026, 4, 1);
        QTest::newRow("with slashes") << 0 << "05/11/2025" << QDate(2025, 11, 5);
        QTest::newRow("the month") << 1 << "11" << QDate(2025, 11, 20);
        QTest::newRow("the year") << 2 << "2024" << QDate(2024, 5, 20);
    }
    void oneClickInTheDateThenDigitsGiveThatDate()
    {
        QFETCH(int, section);
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        DatePicker *picker = screen->datePicker();
        picker->setDate(QDate(2025, 5, 20));
        auto *edit = picker->findChild<QLineEdit *>(); // shows 20-05-2025
        // Aim at the part, just after its first digit.
        const int y = edit->height() / 2;
        const int secondDigit = QList<int>{1, 4, 7}.at(section);
        int x = 0;
        while (x < edit->width() && edit->cursorPositionAt(QPoint(x, y)) < secondDigit)
            ++x;
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(x, y));
        QVERIFY(picker->hasFocus());
        QTest::keyClicks(picker, typed);
        QCOMPARE(picker->date(), date);

        // And that is the date booked.
        test::typeAmount(screen->amountField(), QStringLiteral("5"));
        test::clickRadio(screen->toGroup()->button(0));
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);
        QCOMPARE(data().journaaltabel.valueAt(0, u"Datum").toDate(), date);
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
