// Reports in the running program: the main menu's "Balans" opens the balance report in a
// modal preview over the menu, which stays visible; a second click while it is open does
// nothing.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "preview/previewwindow.h"
#include "toolkit/reportbusy.h"
#include "startedprogram.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace zelk;

class TestReportUnit : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    zelk::main &menu() { return *app->program.mainMenu(); }

private Q_SLOTS:
    void init()
    {
        qputenv("ZELK_REPORT_DATE", "2026-03-31");
        app = std::make_unique<test::StartedProgram>();
        QVERIFY(QTest::qWaitForWindowExposed(&menu()));
    }
    void cleanup()
    {
        app.reset();
    }

    void balansOpensThePreviewOverTheMenu()
    {
        declar::boekpost(*app->program.context().data, 7, 1, QStringLiteral("Contributie"), QDate(2026, 3, 1), 100);
        HoverButton *balans = menu().button(QStringLiteral("Balans"));
        QVERIFY(balans);
        QVERIFY(balans->isEnabled());

        bool shown = false, menuVisible = false, busy = false;
        int pages = 0;
        QTimer::singleShot(0, [&] {
            auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            shown = true;
            menuVisible = menu().isVisible();
            busy = ReportBusyGuard::isBusy(QStringLiteral("printbalans"));
            // Another click on "Balans" while the report is on show is ignored.
            app->program.context().actions.value(QStringLiteral("printbalans"))(&menu());
            pages = preview->findChild<QWidget *>(QStringLiteral("bladweergave")) ? 1 : 0;
            test::saveScreenshot(preview, QStringLiteral("afdrukvoorbeeld_balans"));
            QTest::keyClick(preview, Qt::Key_Escape);
        });
        QTest::mouseClick(balans, Qt::LeftButton);
        QVERIFY(shown);
        QVERIFY(menuVisible);
        QVERIFY(busy);
        QCOMPARE(pages, 1);
        QVERIFY(!ReportBusyGuard::isBusy(QStringLiteral("printbalans")));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(TestReportUnit)
#include "test_reportunit.moc"
