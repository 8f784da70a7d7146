// The treasurer with the keyboard alone: the main menu starts on its first task, every
// screen opens with the focus on its first step, Tab walks the steps in order (out of
// grids and date fields too) and Shift+Tab back, Return presses the focused button and
// books, the focus goes back to the first step after a booking, and Escape closes every
// screen, from wherever the focus is, the help viewer and the print preview.
#include "bookkeeping/invoeromschr.h"
#include "bookkeeping/invoerstartbalans.h"
#include "bookkeeping/openitemsscreen.h"
#include "bookkeeping/transferscreen.h"
#include "core/main.h"
#include "core/startup.h"
#include "core/uitlegzelk.h"
#include "databases.h"
#include "declar.h"
#include "members/invoercontri.h"
#include "members/invoerleden.h"
#include "preview/previewwindow.h"
#include "startedprogram.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/boundgrid.h"
#include "toolkit/datepicker.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/taskscreen.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

using namespace zelk;

namespace {
// A stop of the Tab walk by name: the control's object name (a button without one by
// its caption), after the name of the part it sits in, when that part has one.
QString stopName(const QWidget *w)
{
    if (!w)
        return QStringLiteral("(geen focus)");
    QString name = w->objectName();
    if (name.isEmpty())
        if (const auto *b = qobject_cast<const QAbstractButton *>(w))
            name = b->text().trimmed();
    const QWidget *part = w->parentWidget();
    if (part && !part->isWindow() && !part->objectName().isEmpty() && part->objectName() != QLatin1String("achtergrond"))
        return part->objectName() + u'/' + name;
    return name;
}

QString focusName()
{
    return stopName(QApplication::focusWidget());
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing has the focus");
    QTest::keyClick(focus, key, modifiers);
}

void type(const QString &text)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing has the focus");
    QTest::keyClicks(focus, text);
}

// Presses Tab `count` times and names every stop.
QStringList tabWalk(qsizetype count)
{
    QStringList stops;
    for (qsizetype i = 0; i < count; ++i) {
        press(Qt::Key_Tab);
        stops << focusName();
    }
    return stops;
}

// Runs `act` on the print preview as soon as it is shown (it runs its own event loop).
void whenPreviewShown(QObject *context, std::function<void(PreviewWindow *)> act)
{
    auto *poll = new QTimer(context);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget()); preview && preview->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(preview);
        }
    });
    poll->start();
}

TaskScreen *visibleScreen()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *s = qobject_cast<TaskScreen *>(w); s && s->isVisible())
            return s;
    return nullptr;
}
} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    zelk::main &menu() { return *app->program.mainMenu(); }
    DataModule1 &data() { return app->data(); }

    // Gives the main menu the keyboard, as after the start.
    bool menuActive()
    {
        menu().activateWindow();
        return QTest::qWaitForWindowActive(&menu());
    }

    // Tabs through the main menu to the button with `caption`, presses Return and returns
    // the screen that opened, active and ready for the keyboard.
    TaskScreen *openByKeyboard(const QString &caption)
    {
        if (!menuActive())
            return nullptr;
        HoverButton *target = menu().button(caption);
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() != target)
            return nullptr;
        QTest::keyClick(target, Qt::Key_Return);
        TaskScreen *screen = visibleScreen();
        if (screen && !QTest::qWaitForWindowActive(screen))
            return nullptr;
        return screen;
    }

    // Escape closes the screen and the main menu has the keyboard again.
    void escapeCloses(TaskScreen *screen)
    {
        press(Qt::Key_Escape);
        QVERIFY(!screen->isVisible());
        QVERIFY(menu().isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&menu()));
    }

    // The walk from the first step: Tab visits `stops` in order and comes back to the
    // first; Shift+Tab goes back from the first to the last.
    void walksItsSteps(const QStringList &stops)
    {
        QCOMPARE(focusName(), stops.first());
        QCOMPARE(tabWalk(stops.size()), stops.mid(1) << stops.first());
        press(Qt::Key_Backtab);
        QCOMPARE(focusName(), stops.last());
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), stops.first());
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        QVERIFY(QTest::qWaitForWindowActive(&menu()));
    }
    void cleanup() { app.reset(); }

    void theMainMenuStartsOnItsFirstTask()
    {
        // Not on "Stop programma": a Space right after the start opens the member register.
        QCOMPARE(QApplication::focusWidget(), menu().button(QStringLiteral("Invoer leden")));
        QStringList stops;
        for (QGroupBox *group : menu().findChildren<QGroupBox *>())
            for (HoverButton *b : group->findChildren<HoverButton *>())
                if (b->isEnabled())
                    stops << b->objectName();
        stops << QStringLiteral("Stop programma") << QStringLiteral("Help") << QStringLiteral("helpplaatje");
        QCOMPARE(stops.first(), QStringLiteral("invoerleden"));
        QVERIFY(stops.contains(QStringLiteral("invoeroverin")));
        walksItsSteps(stops);

        press(Qt::Key_Space);
        TaskScreen *screen = visibleScreen();
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), QStringLiteral("invoerleden"));
        QVERIFY(QTest::qWaitForWindowActive(screen));
        escapeCloses(screen);
        // Back on the button that opened the screen.
        QCOMPARE(QApplication::focusWidget(), menu().button(QStringLiteral("Invoer leden")));
        QVERIFY(data().ledentabel.isOpen());
    }

    void aTransferIsBookedWithTheKeyboardAlone_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("fromPosition"); // of the from-group's second item
        QTest::addColumn<int>("toPosition");   // of the to-group's first item
        QTest::newRow("Inkomsten") << QStringLiteral("Inkomsten") << 8 << 1;
        QTest::newRow("Uitgaven") << QStringLiteral("Uitgaven") << 2 << 12;
        QTest::newRow("Kruisposten") << QStringLiteral("Kruisposten") << 2 << 1;
    }
    void aTransferIsBookedWithTheKeyboardAlone()
    {
        QFETCH(QString, caption);
        QFETCH(int, fromPosition);
        QFETCH(int, toPosition);
        auto *screen = qobject_cast<TransferScreen *>(openByKeyboard(caption));
        QVERIFY(screen);
        // The steps in their order; "Doorboeken" is skipped while it cannot book.
        walksItsSteps({QStringLiteral("datum"), QStringLiteral("omschrijving"), QStringLiteral("bedrag"),
                       QStringLiteral("vanrekening/item1"), QStringLiteral("naarrekening/item1"), QStringLiteral("sluitvenster"),
                       QStringLiteral("help")});

        type(QStringLiteral("01032026")); // day, month and year typed in one go
        QCOMPARE(screen->datePicker()->date(), QDate(2026, 3, 1));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("omschrijving"));
        press(Qt::Key_A, Qt::ControlModifier);
        type(QStringLiteral("Met de hand"));
        press(Qt::Key_Tab);
        type(QStringLiteral("25.50"));
        press(Qt::Key_Tab); // leaving the field takes the amount
        QCOMPARE(focusName(), QStringLiteral("vanrekening/item1"));
        press(Qt::Key_Down); // the arrow keys choose within the group
        QCOMPARE(screen->fromGroup()->chosen(), 1);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("naarrekening/item1"));
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        press(Qt::Key_Return); // Return chooses the focused account, as Space does
        QCOMPARE(screen->toGroup()->chosen(), 0);
        QVERIFY(screen->doorboekenButton()->isEnabled());
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("doorboeken"));
        press(Qt::Key_Return);

        QCOMPARE(data().journaaltabel.recordCount(), 1);
        QCOMPARE(data().journaaltabel.valueAt(0, u"Bedrag").toDouble(), 25.5);
        QCOMPARE(data().journaaltabel.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Met de hand"));
        QCOMPARE(data().journaaltabel.valueAt(0, u"Datum").toDate(), QDate(2026, 3, 1));
        QCOMPARE(app->balance(fromPosition), -25.5);
        QCOMPARE(app->balance(toPosition), 25.5);
        // The next booking starts at the date again, not at "Sluit venster".
        QCOMPARE(focusName(), QStringLiteral("datum"));
        escapeCloses(screen);
    }

    void anOpenItemIsSettledWithTheKeyboardAlone_data()
    {
        QTest::addColumn<bool>("payables");
        QTest::newRow("Nog te betalen") << true;
        QTest::newRow("Nog te ontvangen") << false;
    }
    void anOpenItemIsSettledWithTheKeyboardAlone()
    {
        QFETCH(bool, payables);
        for (const auto &[description, amount] :
             {std::pair{QStringLiteral("Drukwerk"), 40.0}, std::pair{QStringLiteral("Zaalhuur"), 75.0}}) {
            if (payables)
                declar::nieuwtebetalen(data(), description, QDate(2026, 2, 1), amount);
            else
                declar::nieuwteontvangen(data(), description, QDate(2026, 2, 1), amount);
        }
        auto *screen = qobject_cast<OpenItemsScreen *>(
            openByKeyboard(payables ? QStringLiteral("Nog te betalen") : QStringLiteral("Nog te ontvangen")));
        QVERIFY(screen);
        // The open item first, then the booking, then the filter: all reached with Tab.
        walksItsSteps({QStringLiteral("overzicht"), QStringLiteral("datum"), QStringLiteral("omschrijving"), QStringLiteral("bedrag"),
                       QStringLiteral("rekeningen/item1"), QStringLiteral("filterpanel/Datum"), QStringLiteral("filterpanel/Omschrijving"),
                       QStringLiteral("filterpanel/Bedrag"), QStringLiteral("sluitvenster"), QStringLiteral("help")});

        // The filter narrows the grid from the keyboard.
        for (int i = 0; i < 6; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("filterpanel/Omschrijving"));
        type(QStringLiteral("zaal"));
        QCOMPARE(screen->grid()->tableModel()->rowCount(), 1);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Delete);
        QCOMPARE(screen->grid()->tableModel()->rowCount(), 2);

        screen->focusFirstStep();
        QCOMPARE(focusName(), QStringLiteral("overzicht"));
        press(Qt::Key_Down); // the second item
        QCOMPARE(screen->descriptionField()->text(), QStringLiteral("Zaalhuur"));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("bedrag"));
        press(Qt::Key_A, Qt::ControlModifier);
        type(QStringLiteral("30")); // a part of it
        press(Qt::Key_Tab);
        press(Qt::Key_Space); // Bank 1
        QVERIFY(screen->doorboekenButton()->isEnabled());
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("doorboeken"));
        press(Qt::Key_Return);

        Table &items = payables ? data().betalentabel : data().ontvangentabel;
        QCOMPARE(data().journaaltabel.recordCount(), 1);
        QCOMPARE(items.recordCount(), 2);
        QCOMPARE(items.valueAt(1, u"Bedrag").toDouble(), 45.0);
        QCOMPARE(app->balance(1), payables ? -30.0 : 30.0);
        QCOMPARE(focusName(), QStringLiteral("overzicht")); // ready for the next item

        // Space or Return takes the row the grid shows, as a click does.
        screen->descriptionField()->clear();
        press(Qt::Key_Return);
        QCOMPARE(screen->descriptionField()->text(), items.text(u"Omschrijving"));
        escapeCloses(screen);
    }

    void escapeAnswersNoToAQuestion()
    {
        declar::nieuwtebetalen(data(), QStringLiteral("Drukwerk"), QDate(2026, 2, 1), 40);
        auto *screen = qobject_cast<OpenItemsScreen *>(openByKeyboard(QStringLiteral("Nog te betalen")));
        QVERIFY(screen);
        press(Qt::Key_Return); // the item
        for (int i = 0; i < 4; ++i)
            press(Qt::Key_Tab);
        for (int i = 0; i < 8; ++i)
            press(Qt::Key_Down);
        QCOMPARE(focusName(), QStringLiteral("rekeningen/item9")); // the payables account itself
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        QString asked;
        auto *poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, this, [poll, &asked] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            poll->stop();
            asked = box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        poll->start();
        press(Qt::Key_Return);
        delete poll;
        QCOMPARE(asked, QStringLiteral("U boekt te betalen t.o.v. te betalen, is dit correct?"));
        QCOMPARE(data().journaaltabel.recordCount(), 0); // Escape is "Nee"
        QCOMPARE(data().betalentabel.recordCount(), 1);
        QVERIFY(screen->isVisible());
        screen->activateWindow(); // as the window manager does when the question closes
        QVERIFY(QTest::qWaitForWindowActive(screen));
        escapeCloses(screen);
    }

    void theOpeningBalanceIsBookedWithTheKeyboardAlone()
    {
        auto *screen = qobject_cast<invoerstartbalans *>(openByKeyboard(QStringLiteral("Start balans")));
        QVERIFY(screen);
        walksItsSteps({QStringLiteral("links/datum"), QStringLiteral("links/omschrijving"), QStringLiteral("links/bedrag"),
                       QStringLiteral("rekeningen/item1"), QStringLiteral("rechts/datum"), QStringLiteral("rechts/omschrijving"),
                       QStringLiteral("rechts/bedrag"), QStringLiteral("rekeningen/item1"), QStringLiteral("sluitvenster"),
                       QStringLiteral("help")});
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        type(QStringLiteral("1000"));
        press(Qt::Key_Tab);
        press(Qt::Key_Down); // Bank 2
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("links/doorboeken"));
        press(Qt::Key_Return);
        QCOMPARE(app->balance(2), 1000.0);
        QCOMPARE(focusName(), QStringLiteral("links/datum"));

        // The right half books an open payable and starts again at its own date.
        for (int i = 0; i < 6; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("rechts/bedrag"));
        type(QStringLiteral("50"));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("rechts/doorboeken"));
        press(Qt::Key_Return);
        QCOMPARE(data().betalentabel.recordCount(), 1);
        QCOMPARE(focusName(), QStringLiteral("rechts/datum"));
        escapeCloses(screen);
    }

    void theAccountNamesAreTypedWithTheKeyboardAlone()
    {
        auto *screen = qobject_cast<invoeromschr *>(openByKeyboard(QStringLiteral("Omschrijvingen")));
        QVERIFY(screen);
        QStringList stops;
        for (int position : invoeromschr::walkOrder())
            stops << screen->edit(position)->objectName();
        stops << QStringLiteral("herstel") << QStringLiteral("sluitvenster") << QStringLiteral("afdrukken") << QStringLiteral("help");
        if (!screen->printButton()->isEnabled())
            stops.removeOne(QStringLiteral("afdrukken"));
        walksItsSteps(stops);
        type(QStringLiteral("Rabobank"));
        // Escape stores the names, as "Sluit venster" does.
        escapeCloses(screen);
        QCOMPARE(accountName(data().rekeningtabel, 1), QStringLiteral("Rabobank"));
    }

    void aMemberIsAddedWithTheKeyboardAlone()
    {
        auto *screen = qobject_cast<invoerleden *>(openByKeyboard(QStringLiteral("Invoer leden")));
        QVERIFY(screen);
        QStringList stops = {"Naam",
                             "Straat",
                             "Pcode",
                             "Plaats",
                             "Geb datum",
                             "Email",
                             "Lidbedrag",
                             "Bank-giro",
                             "Soortlid",
                             "Opmerk1",
                             "Opmerk2",
                             "Opmerk3",
                             "navigator/Invoegen record",
                             "navigator/Ververs data",
                             "grid"};
        for (const char *field : {"Naam", "Straat", "Pcode", "Plaats", "Email", "Soortlid"})
            stops << QStringLiteral("findpanel/") + QLatin1String(field);
        stops << QStringLiteral("findpanel/volgende");
        for (const char *field : {"Naam", "Straat", "Pcode", "Plaats", "Email", "Soortlid"})
            stops << QStringLiteral("filterpanel/") + QLatin1String(field);
        for (const char *caption : {"Afdrukken lijst 1", "Afdrukken lijst 2", "Afdrukken alle data"})
            if (screen->button(QString::fromLatin1(caption))->isEnabled())
                stops << QString::fromLatin1(caption);
        stops << QStringLiteral("Importeren…") << QStringLiteral("Exporteren…") << QStringLiteral("sluitvenster") << QStringLiteral("help");
        walksItsSteps(stops);

        // "Invoegen record" from the keyboard, then the member typed with Enter.
        for (int i = 0; i < 12; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("navigator/Invoegen record"));
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("Naam"));
        type(QStringLiteral("Jansen, Piet"));
        press(Qt::Key_Return);
        type(QStringLiteral("Dorpsstraat 1"));
        press(Qt::Key_Return);
        escapeCloses(screen); // stores the member, as "Sluit venster" does
        QCOMPARE(data().ledentabel.recordCount(), 1);
        QCOMPARE(data().ledentabel.valueAt(0, u"Straat").toString(), QStringLiteral("Dorpsstraat 1"));
    }

    void theDuesScreenIsWalkedWithTheKeyboard()
    {
        for (const char *name : {"Bakker", "Aarts"}) {
            data().ledentabel.append();
            data().ledentabel.setValue(u"Naam", QString::fromLatin1(name));
            data().ledentabel.post();
        }
        data().ledentabel.first();
        auto *screen = qobject_cast<invoercontri *>(openByKeyboard(QStringLiteral("Contributies")));
        QVERIFY(screen);
        // The navigator's buttons that can move from the first member, not the month lists.
        QStringList stops
            = {QStringLiteral("findpanel/Naam"), QStringLiteral("findpanel/Straat"),         QStringLiteral("findpanel/volgende"),
               QStringLiteral("grid"),           QStringLiteral("navigator/Volgend record"), QStringLiteral("navigator/Laatste record")};
        if (screen->button(QStringLiteral("Overzicht"))->isEnabled())
            stops << QStringLiteral("Overzicht");
        stops << QStringLiteral("help") << QStringLiteral("sluitvenster");
        walksItsSteps(stops);
        QCOMPARE(screen->nameBox()->text(), QStringLiteral("Aarts"));
        type(QStringLiteral("bak"));
        QCOMPARE(screen->nameBox()->text(), QStringLiteral("Bakker"));
        escapeCloses(screen);
    }

    void escapeClosesEveryScreenFromEveryStop()
    {
        declar::nieuwtebetalen(data(), QStringLiteral("Drukwerk"), QDate(2026, 2, 1), 40);
        for (const char *caption : {"Invoer leden", "Omschrijvingen", "Start balans", "Contributies", "Inkomsten", "Uitgaven",
                                    "Kruisposten", "Nog te ontvangen", "Nog te betalen"}) {
            TaskScreen *screen = openByKeyboard(QString::fromLatin1(caption));
            QVERIFY2(screen, caption);
            // Every stop of the walk, once round.
            QList<QWidget *> stops = {QApplication::focusWidget()};
            for (press(Qt::Key_Tab); QApplication::focusWidget() != stops.first() && stops.size() < 80; press(Qt::Key_Tab))
                stops << QApplication::focusWidget();
            for (QWidget *stop : std::as_const(stops)) {
                if (!screen->isVisible()) {
                    screen = openByKeyboard(QString::fromLatin1(caption));
                    QVERIFY2(screen, caption);
                }
                stop->setFocus(Qt::TabFocusReason);
                QVERIFY2(stop->hasFocus(), qPrintable(stopName(stop)));
                press(Qt::Key_Escape);
                QVERIFY2(!screen->isVisible(), qPrintable(QString::fromLatin1(caption) + u' ' + stopName(stop)));
            }
            QVERIFY(menu().isVisible());
        }
    }

    void escapeClosesTheHelpViewerAndThePrintPreview()
    {
        TaskScreen *screen = openByKeyboard(QStringLiteral("Inkomsten"));
        QVERIFY(screen);
        screen->button(QStringLiteral("Help"))->setFocus();
        press(Qt::Key_Return);
        auto *viewer = qobject_cast<uitlegzelk *>(app->program.context().screen(QStringLiteral("uitlegzelk")));
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QCOMPARE(QApplication::focusWidget(), viewer->editor()); // reading at once
        press(Qt::Key_Escape);
        QVERIFY(!viewer->isVisible());
        QVERIFY(screen->isVisible()); // the screen behind it stays open
        screen->close();

        // The member list's preview opens with the focus on its pages; Escape closes it.
        screen = openByKeyboard(QStringLiteral("Invoer leden"));
        QVERIFY(screen);
        HoverButton *list = screen->button(QStringLiteral("Afdrukken lijst 1"));
        if (!list->isEnabled())
            QSKIP("this version has no member list");
        QString focusInPreview;
        bool closed = false;
        whenPreviewShown(this, [&](PreviewWindow *preview) {
            for (int i = 0; i < 500 && !preview->isActiveWindow(); ++i)
                QTest::qWait(10);
            if (preview->isActiveWindow() && preview->isAncestorOf(QApplication::focusWidget())) {
                focusInPreview = focusName();
                press(Qt::Key_Escape);
                closed = !preview->isVisible();
            }
            preview->reject(); // never left open
        });
        list->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focusInPreview, QStringLiteral("bladen"));
        QVERIFY(closed);
        QVERIFY(screen->isVisible());
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
