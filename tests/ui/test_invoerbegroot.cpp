// The budget screen: its lines in the balance's order with current names and actual
// figures, recalculation when an amount is left, "Overnemen" per panel, amounts that
// survive closing and reopening while names and actuals refresh, and "Overzicht", which
// opens the budget report with the screen's amounts. Also the main menu's "Grafiek": every
// click builds the chart afresh.
#include "amountformat.h"
#include "budget/invoerbegroot.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "preview/previewwindow.h"
#include "rekeningnamen.h"
#include "report/reportdocument.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "toolkit/amountfield.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/reportbusy.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zelk;

class TestInvoerbegroot : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoerbegroot *screen = nullptr;
    const QDate day{2026, 3, 1};

    DataModule1 &data() { return app->data(); }
    void open()
    {
        screen = qobject_cast<invoerbegroot *>(test::openFromMenu(app->program, QStringLiteral("Begroting")));
        QVERIFY(screen);
    }
    QPushButton *pushButton(const QString &name) { return screen->findChild<QPushButton *>(name); }
    // The texts of the budget report's detail band as the screen's "Overzicht" fills it.
    QStringList reportTexts()
    {
        ReportDocument document(begrotingsrapport(app->program.context()));
        QStringList texts;
        for (const PageItem &item : document.page(0).items)
            if (item.kind == ItemKind::Text && item.band == BandKind::Detail && !item.text.isEmpty())
                texts << item.text;
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        qputenv("ZELK_REPORT_DATE", "2026-03-31");
        app = std::make_unique<test::StartedProgram>();
    }
    void cleanup()
    {
        screen = nullptr;
        app.reset();
    }

    void emptyAdministration()
    {
        QVERIFY(app->program.mainMenu()->button(QStringLiteral("Begroting"))->isEnabled());
        open();
        QCOMPARE(screen->windowTitle(), QStringLiteral("Invoer begrotinggegevens"));
        QVERIFY(!screen->findChild<QPushButton *>(QStringLiteral("help"))); // this screen has no help
        QCOMPARE(screen->findChildren<AmountField *>().size(), 26);
        QCOMPARE(screen->naam(7)->text(), QStringLiteral("Contributies"));
        QCOMPARE(screen->naam(33)->text(), QStringLiteral("Overige kosten 2"));
        for (int p : begroting::inkomstenRegels() /* and the expenses below */)
            QCOMPARE(screen->werkelijk(p)->text(), QStringLiteral("0.00"));
        for (int p : begroting::uitgavenRegels())
            QCOMPARE(screen->werkelijk(p)->text(), QStringLiteral("0.00"));
        for (QLineEdit *box : {screen->tekort(), screen->over(), screen->totaalInkomsten(), screen->totaalUitgaven()})
            QCOMPARE(box->text(), QStringLiteral("0.00"));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("waarschuwing1"))->text(),
                 QStringLiteral("  Let op!  Na het afsluiten van Zelk gaan de door U aangepaste gegevens verloren!  "));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("waarschuwing2"))->text(),
                 QStringLiteral("                        Leg deze gegevens eerst vast op de printer.                    "
                                "                    "));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("kopinkomsten"))->text(),
                 QStringLiteral("-------------Gegevens uit de administratie---------------"));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("kopuitgaven"))->text(),
                 QStringLiteral("-------------Gegevens uit de administratie---------------"));
        // The panels in the balance's order: row 5 of income is Verkoop 2, row 11 of the
        // expenses Jubileumkosten; the focus starts in the first amount.
        QVERIFY(screen->bedrag(10)->y() < screen->bedrag(26)->y());
        QVERIFY(screen->bedrag(28)->y() < screen->bedrag(11)->y());
        QVERIFY(screen->bedrag(21)->y() < screen->bedrag(29)->y());
        QVERIFY(screen->bedrag(30)->y() < screen->bedrag(22)->y());
        QCOMPARE(QApplication::focusWidget(), screen->bedrag(7));
        QVERIFY(reportTexts().contains(QStringLiteral("Positief saldo (over)")));
        test::saveScreenshot(screen, QStringLiteral("invoerbegroot"));
    }

    // Typing an amount and leaving it recalculates: expenses above income give a shortfall
    // on the income side and two totals equal to the expenses.
    void recalculatesWhenAnAmountIsLeft()
    {
        open();
        test::typeAmount(screen->bedrag(7), QStringLiteral("1000"));
        test::typeAmount(screen->bedrag(21), QStringLiteral("1500"));
        screen->bedrag(35)->setFocus();
        QTest::keyClicks(screen->bedrag(35), QStringLiteral("250"));
        QTest::keyClick(screen->bedrag(35), Qt::Key_Tab); // leaving the field is enough
        QCOMPARE(screen->tekort()->text(), QStringLiteral("750.00"));
        QCOMPARE(screen->over()->text(), QStringLiteral("0.00"));
        QCOMPARE(screen->totaalInkomsten()->text(), QStringLiteral("1750.00"));
        QCOMPARE(screen->totaalUitgaven()->text(), QStringLiteral("1750.00"));
        // A negative amount counts but leaves its report line blank.
        test::typeAmount(screen->bedrag(8), QStringLiteral("-100"));
        QCOMPARE(screen->tekort()->text(), QStringLiteral("850.00"));
        const QStringList texts = reportTexts();
        QVERIFY(texts.contains(QStringLiteral("Negatief saldo (tekort)")));
        QVERIFY(texts.contains(QStringLiteral("850.00")));
        QVERIFY(!texts.contains(QStringLiteral("Donaties")));
        QCOMPARE(texts.count(QStringLiteral("€ 1,750.00")), 2);
    }

    void overnemenTakesTheActualFigures()
    {
        declar::boekpost(data(), 7, 1, QStringLiteral("Contributies"), day, 1200);
        declar::boekpost(data(), 26, 1, QStringLiteral("Verkoop"), day, 300);
        declar::boekpost(data(), 1, 12, QStringLiteral("Porto"), day, 40);
        open();
        QCOMPARE(screen->werkelijk(7)->text(), QStringLiteral("1200.00"));
        QCOMPARE(screen->werkelijk(12)->text(), QStringLiteral("40.00"));
        test::typeAmount(screen->bedrag(8), QStringLiteral("55"));  // overwritten by "Overnemen"
        test::typeAmount(screen->bedrag(13), QStringLiteral("10")); // the other panel keeps it
        QTest::mouseClick(pushButton(QStringLiteral("overneminkomsten")), Qt::LeftButton);
        QCOMPARE(screen->bedrag(7)->plainText(), QStringLiteral("1200.00"));
        QCOMPARE(screen->bedrag(26)->plainText(), QStringLiteral("300.00"));
        QCOMPARE(screen->bedrag(8)->plainText(), QStringLiteral("0.00"));
        QCOMPARE(screen->bedrag(12)->plainText(), QString());
        QCOMPARE(screen->bedrag(13)->plainText(), QStringLiteral("10.00"));
        QCOMPARE(screen->over()->text(), QStringLiteral("1490.00"));
        QCOMPARE(screen->totaalUitgaven()->text(), QStringLiteral("1500.00"));
        QTest::mouseClick(pushButton(QStringLiteral("overnemenuitgaven")), Qt::LeftButton);
        QCOMPARE(screen->bedrag(12)->plainText(), QStringLiteral("40.00"));
        QCOMPARE(screen->bedrag(13)->plainText(), QStringLiteral("0.00"));
        QCOMPARE(screen->over()->text(), QStringLiteral("1460.00"));
        QCOMPARE(screen->totaalInkomsten()->text(), QStringLiteral("1500.00"));
    }

    void reopeningKeepsTheAmountsAndRefreshes()
    {
        open();
        test::typeAmount(screen->bedrag(7), QStringLiteral("1200"));
        test::typeAmount(screen->bedrag(26), QStringLiteral("300"));
        screen->findChild<QPushButton *>(QStringLiteral("sluitvenster"))->click();
        QVERIFY(!screen->isVisible());
        declar::boekpost(data(), 7, 1, QStringLiteral("Contributies"), day, 80);
        rekeningnamen::bewaar(data(), {{26, QStringLiteral("Kantine")}});
        invoerbegroot *before = screen;
        open();
        QCOMPARE(screen, before);
        QCOMPARE(screen->bedrag(7)->plainText(), QStringLiteral("1200.00"));
        QCOMPARE(screen->bedrag(26)->plainText(), QStringLiteral("300.00"));
        QCOMPARE(screen->werkelijk(7)->text(), QStringLiteral("80.00"));
        QCOMPARE(screen->naam(26)->text(), QStringLiteral("Kantine"));
        QCOMPARE(screen->over()->text(), QStringLiteral("1500.00"));
        QVERIFY(reportTexts().contains(QStringLiteral("Kantine")));
    }

    // Amounts typed in one visit show in the amount format of the next.
    void amountsFollowTheAmountFormat()
    {
        open();
        test::typeAmount(screen->bedrag(7), QStringLiteral("1234.5"));
        screen->close();
        AmountFormat::applyDutch(true);
        open();
        const QString shown = screen->bedrag(7)->plainText();
        const QString total = screen->totaalInkomsten()->text();
        screen->close();
        AmountFormat::applyDutch(false);
        QCOMPARE(shown, QStringLiteral("1234,50"));
        QCOMPARE(total, QStringLiteral("1234,50"));
    }

    void overzichtOpensTheReport()
    {
        open();
        test::typeAmount(screen->bedrag(9), QStringLiteral("75"));
        bool shown = false, busy = false;
        QTimer::singleShot(0, [&] {
            if (auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget())) {
                shown = true;
                busy = ReportBusyGuard::isBusy(QStringLiteral("printbegroot"));
                QTest::keyClick(preview, Qt::Key_Escape);
            }
        });
        QTest::mouseClick(pushButton(QStringLiteral("overzicht")), Qt::LeftButton);
        QVERIFY(shown);
        QVERIFY(busy);
        QVERIFY(screen->isVisible());
        QVERIFY(!ReportBusyGuard::isBusy(QStringLiteral("printbegroot")));
    }

    // An amount that is no amount is explained; the report does not open with it as 0.
    void overzichtRefusesAnUnreadableAmount()
    {
        open();
        screen->bedrag(15)->setFocus();
        QTest::keyClicks(screen->bedrag(15), QStringLiteral("12,50"));
        QString said;
        bool preview = false;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            preview = qobject_cast<PreviewWindow *>(modal) != nullptr;
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                said = box->text();
                box->close();
            } else if (modal) {
                modal->close();
            }
        });
        pushButton(QStringLiteral("overzicht"))->click();
        QTRY_VERIFY(!said.isEmpty() || QApplication::activeModalWidget() == nullptr);
        QVERIFY(!preview);
        QVERIFY(screen->bedrag(15)->isMarked());
    }

    // "Grafiek" builds the chart from the balances at every click: the second click shows
    // the same page as the first, not the bars twice.
    void grafiekTwiceShowsTheSamePage()
    {
        declar::boekpost(data(), 7, 1, QStringLiteral("Contributies"), day, 1200);
        declar::boekpost(data(), 1, 21, QStringLiteral("Zaalhuur"), day, 400);
        HoverButton *grafiek = app->program.mainMenu()->button(QStringLiteral("Grafiek"));
        QVERIFY(grafiek && grafiek->isEnabled());
        QList<QImage> pages;
        for (int click = 0; click < 2; ++click) {
            QTimer::singleShot(0, [&] {
                if (auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget())) {
                    if (QWidget *page = preview->findChild<QWidget *>(QStringLiteral("bladweergave")))
                        pages << page->grab().toImage();
                    if (pages.size() == 1)
                        test::saveScreenshot(preview, QStringLiteral("afdrukvoorbeeld_grafiek"));
                    QTest::keyClick(preview, Qt::Key_Escape);
                }
            });
            QTest::mouseClick(grafiek, Qt::LeftButton);
        }
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0], pages[1]);
    }
};

QTEST_MAIN(TestInvoerbegroot)
#include "test_invoerbegroot.moc"
