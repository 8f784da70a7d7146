// Reports in the running program: the main menu's "Balans" opens the balance report in a
// modal preview over the menu, which stays visible; a second click while it is open does
// nothing. Every report of the catalogue is a unit of the program that opens its preview.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "preview/previewwindow.h"
#include "reports/reportcatalogus.h"
#include "startedprogram.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/reportbusy.h"

#include <QApplication>
#include <QLabel>
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
    void cleanup() { app.reset(); }

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

    // Built from the data module at the opening, also where the unit was created before the
    // data module existed (member list 2).
    void everyCatalogueReportOpensItsPreview_data()
    {
        QTest::addColumn<QString>("unit");
        for (const ReportEntry &entry : reportCatalogus())
            QTest::newRow(qPrintable(entry.unit)) << entry.unit;
    }
    void everyCatalogueReportOpensItsPreview()
    {
        QFETCH(QString, unit);
        const auto open = app->program.context().actions.value(unit);
        QVERIFY2(open,
                 qPrintable(QStringLiteral("the report unit \"%1\" is not created at start-up; "
                                           "its name belongs in Program::creationOrder()")
                                .arg(unit)));
        bool shown = false, busy = false;
        QString instead;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *preview = qobject_cast<PreviewWindow *>(modal)) {
                shown = true;
                busy = ReportBusyGuard::isBusy(unit);
                QTest::keyClick(preview, Qt::Key_Escape);
            } else if (modal) { // a message box instead of the preview
                instead = modal->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->text();
                modal->close();
            }
        });
        open(&menu());
        QVERIFY2(shown, qPrintable(instead));
        QVERIFY(busy);
        QVERIFY(!ReportBusyGuard::isBusy(unit));
    }
};

QTEST_MAIN(TestReportUnit)
#include "test_reportunit.moc"
