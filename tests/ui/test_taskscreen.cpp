// The frame every task screen gets from the toolkit: "Sluit venster" and Escape run the
// screen's own close steps, "Help" opens its topic, the title carries the main window's
// caption, a unit's button is enabled only while that unit exists, and captions return
// to their rest colour over the window.
#include "toolkit/appcontext.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/taskscreen.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

using namespace zelk;

namespace {
// The smallest screen: its caption, topic and one report button; the frame does the rest.
class Proefscherm : public TaskScreen {
public:
    explicit Proefscherm(AppContext &context)
        : TaskScreen(context, QStringLiteral("proefscherm"), QStringLiteral("Proef"), QStringLiteral("9. PROEF"))
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(titleLabel());
        layout->addWidget(addUnitButton(QStringLiteral("Afdrukken"), QStringLiteral("printproef")));
        layout->addWidget(helpButton());
        layout->addWidget(closeButton());
    }
    bool refuseToClose = false;
    int closeStepsRun = 0;

protected:
    void sluitvenster() override
    {
        ++closeStepsRun;
        if (!refuseToClose)
            TaskScreen::sluitvenster();
    }
};
} // namespace

class TestTaskScreen : public QObject {
    Q_OBJECT
    AppContext context;
    QWidget mainWindow;

private Q_SLOTS:
    void init()
    {
        context = AppContext{};
        context.mainMenu = &mainWindow;
        mainWindow.setWindowTitle(QStringLiteral("Vereniging administratie van Harmonie"));
    }

    void escapeAndSluitVensterRunTheScreensOwnCloseSteps()
    {
        Proefscherm screen(context);
        screen.openFrom(&mainWindow);
        QVERIFY(!mainWindow.isVisible());
        screen.refuseToClose = true;
        QTest::keyClick(&screen, Qt::Key_Escape);
        QCOMPARE(screen.closeStepsRun, 1);
        QVERIFY(screen.isVisible()); // the screen refused, as one that cannot store would
        screen.refuseToClose = false;
        screen.button(QStringLiteral("Sluit venster"))->click();
        QCOMPARE(screen.closeStepsRun, 2);
        QVERIFY(!screen.isVisible());
        QVERIFY(mainWindow.isVisible());
        screen.openFrom(&mainWindow);
        QTest::keyClick(&screen, Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
        QVERIFY(mainWindow.isVisible());
    }

    void titleHelpAndUnitButtonsFollowTheProgram()
    {
        Proefscherm screen(context);
        screen.show();
        QCOMPARE(screen.findChild<QLabel *>(QStringLiteral("titel"))->text(), QStringLiteral("Vereniging administratie van Harmonie"));
        QVERIFY(!screen.button(QStringLiteral("Help"))->isEnabled());
        QVERIFY(!screen.button(QStringLiteral("Afdrukken"))->isEnabled());
        screen.close();
        QString topic;
        int printed = 0;
        context.openHelp = [&topic](QWidget *, const QString &heading) { topic = heading; };
        context.actions.insert(QStringLiteral("printproef"), [&printed](QWidget *) { ++printed; });
        mainWindow.setWindowTitle(QStringLiteral("Contributieprogramma"));
        screen.show();
        QCOMPARE(screen.findChild<QLabel *>(QStringLiteral("titel"))->text(), QStringLiteral("Contributieprogramma"));
        screen.button(QStringLiteral("Help"))->click();
        QCOMPARE(topic, QStringLiteral("9. PROEF"));
        screen.button(QStringLiteral("Afdrukken"))->click();
        QCOMPARE(printed, 1);
    }

    void captionsReturnToRestOverTheWindow()
    {
        Proefscherm screen(context);
        screen.show();
        HoverButton *close = screen.button(QStringLiteral("Sluit venster"));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(close, &enter);
        QCOMPARE(close->captionColour(), QColor(Qt::red));
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&screen, &move);
        QCOMPARE(close->captionColour(), close->restColour());
        // Showing again starts at rest too.
        QApplication::sendEvent(close, &enter);
        screen.hide();
        screen.show();
        QCOMPARE(close->captionColour(), close->restColour());
    }
};

QTEST_MAIN(TestTaskScreen)
#include "test_taskscreen.moc"
