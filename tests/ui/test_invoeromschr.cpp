// The chart-of-accounts names screen: standard beside current names, storing with
// "Sluit venster" but not with the close box, the restore arrow and its question, and
// walking the edits with Enter, Down and Up.
#include "bookkeeping/invoeromschr.h"
#include "bookkeeping/invoeroverin.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "preview/previewwindow.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "toolkit/accountgroup.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace zelk;

class TestInvoeromschr : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoeromschr *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    QString stored(int position) { return accountName(data().rekeningtabel, position); }
    QStringList storedNames()
    {
        QStringList names;
        for (int p = 1; p <= data().rekeningtabel.recordCount(); ++p)
            names << stored(p);
        return names;
    }
    void closeWithButton() { screen->findChild<QPushButton *>(QStringLiteral("sluitvenster"))->click(); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = qobject_cast<invoeromschr *>(test::openFromMenu(app->program, QStringLiteral("Omschrijvingen")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void showsStandardAndCurrentNames()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral("Invoer omschrijvingen"));
        QCOMPARE(invoeromschr::walkOrder().size(), 34);
        QCOMPARE(screen->edit(1)->objectName(), QStringLiteral("bank1"));
        QCOMPARE(screen->edit(5)->objectName(), QStringLiteral("kas1"));
        QCOMPARE(screen->edit(6)->objectName(), QStringLiteral("kas2"));
        QCOMPARE(screen->edit(6)->text(), QStringLiteral("Stortingverschillen"));
        // The current names come from the table, the standard names are fixed texts.
        QCOMPARE(screen->edit(33)->text(), QStringLiteral("Overige kosten 2"));
        QCOMPARE(screen->standardBox(33)->text(), QStringLiteral("Overigekosten 2"));
        QVERIFY(screen->standardBox(1)->isReadOnly());
        QCOMPARE(screen->standardBox(1)->focusPolicy(), Qt::NoFocus);
        QVERIFY(!screen->edit(23));
        QVERIFY(screen->printButton()->isEnabled()); // the accounts report exists
        test::saveScreenshot(screen, QStringLiteral("invoeromschr"));
    }

    void helpPrintAndHoverWhenTheirPartsExist()
    {
        QString heading;
        int printed = 0;
        app->program.context().openHelp = [&](QWidget *, const QString &h) { heading = h; };
        app->program.context().actions.insert(QStringLiteral("printrekeningen"), [&](QWidget *) {
            ++printed;
            QCOMPARE(stored(3), QStringLiteral("Spaarrekening")); // stored before printing
        });
        screen->close();
        QCOMPARE(test::openFromMenu(app->program, QStringLiteral("Omschrijvingen")), screen);
        screen->edit(3)->setText(QStringLiteral("Spaarrekening"));
        QTest::mouseClick(screen->printButton(), Qt::LeftButton);
        QCOMPARE(printed, 1);
        QVERIFY(screen->isVisible()); // printing keeps the screen open
        auto *help = screen->findChild<HoverButton *>(QStringLiteral("help"));
        QVERIFY(help->isEnabled());
        help->click();
        QCOMPARE(heading, QStringLiteral("2. INVOEREN NAMEN"));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(help, &enter);
        QCOMPARE(help->captionColour(), QColor(Qt::red));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(screen, &move);
        QCOMPARE(help->captionColour(), QColor(Qt::black));
    }

    void afdrukkenStoresAndShowsTheAccountsReport()
    {
        screen->edit(1)->setText(QStringLiteral("Rabobank"));
        bool shown = false;
        QString storedWhileShown;
        QTimer::singleShot(0, [&] {
            auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            shown = true;
            storedWhileShown = stored(1);
            test::saveScreenshot(preview, QStringLiteral("printrekeningen"));
            QTest::keyClick(preview, Qt::Key_Escape);
        });
        QTest::mouseClick(screen->printButton(), Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(storedWhileShown, QStringLiteral("Rabobank"));
        QVERIFY(screen->isVisible());
    }

    void theBookkeepingButtonsOfTheMainMenuAreEnabled()
    {
        for (const char *caption :
             {"Omschrijvingen", "Start balans", "Inkomsten", "Uitgaven", "Kruisposten", "Nog te ontvangen", "Nog te betalen"})
            QVERIFY2(app->program.mainMenu()->button(QString::fromLatin1(caption))->isEnabled(), caption);
    }

    void aRenameStoredWithSluitVensterReachesTheBookingScreens()
    {
        QLineEdit *bank1 = screen->edit(1);
        bank1->selectAll();
        QTest::keyClicks(bank1, QStringLiteral("Rabobank rekening met een veel te lange naam erachter"));
        closeWithButton();
        QVERIFY(!screen->isVisible());
        QVERIFY(app->program.mainMenu()->isVisible());
        QCOMPARE(stored(1), QStringLiteral("Rabobank rekening met een veel te lange ")); // 40 characters
        QCOMPARE(stored(23), QStringLiteral("Eigen vermogen"));
        QCOMPARE(stored(24), QStringLiteral("Nog te betalen"));
        QCOMPARE(stored(25), QStringLiteral("Nog te ontvangen"));
        QCOMPARE(data().rekeningtabel.recordCount(), 37);
        auto *income = qobject_cast<invoeroverin *>(test::openFromMenu(app->program, QStringLiteral("Inkomsten")));
        QVERIFY(income);
        QCOMPARE(income->toGroup()->button(0)->text(), stored(1));
    }

    void anEmojiAtTheFortiethPlaceOfANameIsStoredWhole()
    {
        const QString trophy = QStringLiteral("\U0001F3C6"); // one character in two UTF-16 units
        const QString name = QStringLiteral("Kas van de kantine en de jeugdafdeling ") + trophy;
        QLineEdit *kas1 = screen->edit(5);
        kas1->selectAll();
        QTest::keyClicks(kas1, name.left(39));
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, trophy);
        QApplication::sendEvent(kas1, &key);
        QTest::keyClicks(kas1, QStringLiteral(" extra"));
        QCOMPARE(kas1->text(), name);
        closeWithButton();
        QVERIFY(!screen->isVisible());
        QCOMPARE(stored(5), name);
    }

    void theCloseBoxDoesNotStore_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("typed name") << false;
        QTest::newRow("restored names") << true;
    }
    void theCloseBoxDoesNotStore()
    {
        QFETCH(bool, restore);
        const QStringList before = storedNames();
        if (restore) {
            test::answerNextQuestion(QMessageBox::Yes);
            screen->restoreButton()->click();
            QCOMPARE(screen->edit(33)->text(), QStringLiteral("Overigekosten 2"));
        } else {
            screen->edit(7)->setText(QStringLiteral("Lidgelden"));
        }
        screen->close(); // the window's close box
        QVERIFY(app->program.mainMenu()->isVisible());
        QCOMPARE(storedNames(), before);
        // The next show reloads the names from the table.
        QCOMPARE(test::openFromMenu(app->program, QStringLiteral("Omschrijvingen")), screen);
        QCOMPARE(screen->edit(7)->text(), QStringLiteral("Contributies"));
        QCOMPARE(screen->edit(33)->text(), QStringLiteral("Overige kosten 2"));
    }

    void restoreAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void restoreAsksFirst()
    {
        QFETCH(bool, yes);
        screen->edit(2)->setText(QStringLiteral("ING"));
        QString asked;
        test::answerNextQuestion(yes ? QMessageBox::Yes : QMessageBox::No, &asked);
        QTest::mouseClick(screen->restoreButton(), Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Actuele benaming overschrijven met de standaard benaming?"));
        QCOMPARE(screen->edit(2)->text(), yes ? QStringLiteral("Bank 2") : QStringLiteral("ING"));
        QCOMPARE(screen->edit(34)->text(), yes ? QStringLiteral("Overigekosten 3") : QStringLiteral("Overige kosten 3"));
        QCOMPARE(stored(2), QStringLiteral("Bank 2")); // nothing is written before closing
        closeWithButton();
        QCOMPARE(stored(2), yes ? QStringLiteral("Bank 2") : QStringLiteral("ING"));
        QCOMPARE(stored(35), yes ? QStringLiteral("Overigekosten 4") : QStringLiteral("Overige kosten 4"));
        QCOMPARE(stored(23), QStringLiteral("Eigen vermogen"));
    }

    void enterDownAndUpWalkTheEdits_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("Enter Bank 1") << 1 << int(Qt::Key_Return) << 2;
        QTest::newRow("Down Kas 2 to Kas 3") << 5 << int(Qt::Key_Down) << 36;
        QTest::newRow("Down Kas 4 to Stortingverschillen") << 37 << int(Qt::Key_Down) << 6;
        QTest::newRow("Enter at the left block's end") << 32 << int(Qt::Key_Return) << 12;
        QTest::newRow("Up to the left block") << 12 << int(Qt::Key_Up) << 32;
        QTest::newRow("Up in the first edit") << 1 << int(Qt::Key_Up) << 1;
        QTest::newRow("Down in the last edit") << 35 << int(Qt::Key_Down) << 35;
        QTest::newRow("Up Verkoop 2 to Verkopen") << 26 << int(Qt::Key_Up) << 10;
    }
    void enterDownAndUpWalkTheEdits()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        screen->edit(from)->setFocus();
        QTRY_VERIFY(screen->edit(from)->hasFocus());
        QTest::keyClick(screen->edit(from), Qt::Key(key));
        QTRY_VERIFY(screen->edit(to)->hasFocus());
    }
};

QTEST_MAIN(TestInvoeromschr)
#include "test_invoeromschr.moc"
