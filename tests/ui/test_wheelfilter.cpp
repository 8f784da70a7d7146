// The mouse wheel acts on the control that has the focus, one arrow key per step, and
// only while the pointer is over that control: turned over the steps, another group or
// field, or a grid without the focus, it changes nothing.
#include "bookkeeping/openitemsscreen.h"
#include "bookkeeping/transferscreen.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "toolkit/accountgroup.h"
#include "toolkit/boundgrid.h"
#include "toolkit/datepicker.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/wheelfilter.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

using namespace zelk;

namespace {
// One wheel step turned over `over`, towards the user (down) or away from the user (up),
// delivered as Qt delivers it: to the window, which finds the widget under the pointer.
void turn(QWidget *over, bool towardsUser)
{
    const QPointF at(over->width() / 2.0, over->height() / 2.0);
    const QPointF global = over->mapToGlobal(at);
    QWheelEvent wheel(over->window()->mapFromGlobal(global), global, {}, {0, towardsUser ? -120 : 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(over->window()->windowHandle(), &wheel);
}
} // namespace

class TestWheelFilter : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

private Q_SLOTS:
    void init()
    {
        WheelToArrowFilter::install(); // as the program does at start
        app = std::make_unique<test::StartedProgram>();
    }
    void cleanup() { app.reset(); }

    void theWheelReachesTheFocusedControlOnlyUnderThePointer()
    {
        auto *screen = qobject_cast<TransferScreen *>(test::openFromMenu(app->program, QStringLiteral("Inkomsten")));
        QVERIFY(screen);
        QVERIFY(QTest::qWaitForWindowActive(screen));
        const QDate day(2026, 3, 15);
        screen->datePicker()->setDate(day);
        AccountGroup *to = screen->toGroup();
        // "Bank 2" chosen and focused with the keyboard.
        to->button(1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(to->button(1), Qt::Key_Space);
        QCOMPARE(to->chosen(), 1);
        QVERIFY(to->button(1)->hasFocus());

        // Over the steps, another account, the other group or a field: nothing moves.
        for (QWidget *elsewhere :
             {static_cast<QWidget *>(screen->findChild<QLabel *>(QStringLiteral("stappen"))), static_cast<QWidget *>(to->button(2)),
              static_cast<QWidget *>(screen->fromGroup()->button(3)), static_cast<QWidget *>(screen->datePicker())}) {
            QVERIFY(elsewhere);
            turn(elsewhere, true);
            turn(elsewhere, false);
            QCOMPARE(to->chosen(), 1);
            QCOMPARE(screen->fromGroup()->chosen(), 0);
            QCOMPARE(screen->datePicker()->date(), day);
        }
        // Over the focused account itself the wheel is the arrow key: the next account.
        turn(to->button(1), true);
        QCOMPARE(to->chosen(), 2);

        // A focused date moves a day per step under the pointer, and not from elsewhere.
        screen->datePicker()->setFocus(Qt::TabFocusReason);
        turn(screen->descriptionField(), false);
        QCOMPARE(screen->datePicker()->date(), day);
        turn(screen->datePicker(), false);
        QCOMPARE(screen->datePicker()->date(), day.addDays(1));
        screen->close();
    }

    void aGridMovesOnlyWithTheFocusAndThePointer()
    {
        for (const char *description : {"Drukwerk", "Koffie", "Zaalhuur"})
            declar::nieuwtebetalen(app->data(), QString::fromLatin1(description), QDate(2026, 2, 1), 10);
        auto *screen = qobject_cast<OpenItemsScreen *>(test::openFromMenu(app->program, QStringLiteral("Nog te betalen")));
        QVERIFY(screen);
        QVERIFY(QTest::qWaitForWindowActive(screen));
        BoundGrid *grid = screen->grid();
        Table &items = app->data().betalentabel;
        items.first();
        // The description has the focus: the wheel over the grid changes no row.
        screen->descriptionField()->setFocus();
        turn(grid->viewport(), true);
        QCOMPARE(items.currentRow(), 0);
        // With the focus in the grid each step towards the user is the next row.
        grid->setFocus();
        turn(grid->viewport(), true);
        QCOMPARE(items.currentRow(), 1);
        turn(grid->viewport(), true);
        QCOMPARE(items.currentRow(), 2);
        turn(grid->viewport(), false);
        QCOMPARE(items.currentRow(), 1);
        // The filter below the grid is not the grid.
        turn(screen->filterPanel(), true);
        QCOMPARE(items.currentRow(), 1);
        screen->close();
    }
};

QTEST_MAIN(TestWheelFilter)
#include "test_wheelfilter.moc"
