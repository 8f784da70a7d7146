// The payables and receivables screens: picking an open item in the grid, settling it in
// full or in part, the question for the screen's own account, the filter panel, and the
// rule that nothing can be booked without an item.
#include "amountformat.h"
#include "bookkeeping/Tebetalen.h"
#include "bookkeeping/Teontvangen.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/verwerkt.h"
#include "toolkit/wheelfilter.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

using namespace zelk;

class TestOpenItems : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    DataModule1 &data() { return app->data(); }
    double balance(int position) { return app->balance(position); }

    OpenItemsScreen *open(bool payables)
    {
        return qobject_cast<OpenItemsScreen *>(
            test::openFromMenu(app->program, payables ? QStringLiteral("Nog te betalen") : QStringLiteral("Nog te ontvangen")));
    }
    // Open items as the expense and income screens leave them.
    void seed(bool payables, const QList<std::pair<QString, double>> &items)
    {
        for (const auto &[description, amount] : items) {
            if (payables) {
                declar::boekpost(data(), 24, 21, description, QDate(2026, 2, 1), amount);
                declar::nieuwtebetalen(data(), description, QDate(2026, 2, 1), amount);
            } else {
                declar::boekpost(data(), 7, 25, description, QDate(2026, 2, 1), amount);
                declar::nieuwteontvangen(data(), description, QDate(2026, 2, 1), amount);
            }
        }
    }
    static void clickRow(BoundGrid *grid, int row)
    {
        grid->scrollTo(grid->tableModel()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->rowRect(row).center());
    }

private Q_SLOTS:
    void init() { app = std::make_unique<test::StartedProgram>(); }
    void cleanup() { app.reset(); }

    void showsTheOpenItemsAndTheAccounts_data()
    {
        QTest::addColumn<bool>("payables");
        QTest::newRow("payables") << true;
        QTest::newRow("receivables") << false;
    }
    void showsTheOpenItemsAndTheAccounts()
    {
        QFETCH(bool, payables);
        seed(payables, {{QStringLiteral("Drukwerk"), 100}, {QStringLiteral("Kantine"), 1234.5}});
        OpenItemsScreen *screen = open(payables);
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(),
                 payables ? QStringLiteral("Verwerken van nog te betalen rekeningen")
                          : QStringLiteral("Verwerken van nog te ontvangen rekeningen"));
        QCOMPARE(screen->filterPanel()->title(), QStringLiteral("  Filteren overzicht  "));
        QCOMPARE(screen->group()->title(), QStringLiteral("  Financiele rekeningen  "));
        QCOMPARE(screen->group()->count(), 9);
        QCOMPARE(screen->group()->button(7)->text(), QStringLiteral("Stortingverschillen"));
        QCOMPARE(screen->group()->button(8)->text(), payables ? QStringLiteral("Nog te betalen") : QStringLiteral("Nog te ontvangen"));
        QCOMPARE(screen->ownBalance()->text(), payables ? QStringLiteral("-1,334.50") : QStringLiteral("1,334.50"));
        QCOMPARE(screen->group()->chosen(), -1);
        TableModel *model = screen->grid()->tableModel();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Datum"));
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("01-02-2026"));
        QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("Kantine"));
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("1,234.50"));
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        test::saveScreenshot(screen, payables ? QStringLiteral("Tebetalen") : QStringLiteral("Teontvangen"));
    }

    void settlesAnItem_data()
    {
        QTest::addColumn<bool>("payables");
        QTest::addColumn<QString>("typed"); // empty: the item's own amount
        QTest::addColumn<int>("rowsLeft");
        QTest::addColumn<double>("amountLeft");
        QTest::newRow("paid in full") << true << "" << 1 << 0.0;
        QTest::newRow("paid in part") << true << "40" << 2 << 60.0;
        QTest::newRow("one cent short") << true << "99.99" << 2 << 0.01;
        QTest::newRow("paid too much") << true << "120" << 2 << -20.0;
        QTest::newRow("received in full") << false << "" << 1 << 0.0;
        QTest::newRow("received in part") << false << "30" << 2 << 70.0;
    }
    void settlesAnItem()
    {
        QFETCH(bool, payables);
        QFETCH(QString, typed);
        QFETCH(int, rowsLeft);
        QFETCH(double, amountLeft);
        seed(payables, {{QStringLiteral("Drukwerk"), 100}, {QStringLiteral("Kantine"), 15}});
        OpenItemsScreen *screen = open(payables);
        QVERIFY(screen);
        const double ownBefore = balance(payables ? 24 : 25);
        clickRow(screen->grid(), 0);
        QCOMPARE(screen->descriptionField()->text(), QStringLiteral("Drukwerk"));
        QCOMPARE(screen->amountField()->plainText(), QStringLiteral("100.00"));
        QVERIFY(!screen->doorboekenButton()->isEnabled()); // no account chosen yet
        if (!typed.isEmpty())
            test::typeAmount(screen->amountField(), typed);
        test::clickRadio(screen->group()->button(3)); // Kas 1
        QVERIFY(screen->doorboekenButton()->isEnabled());
        QVERIFY(!screen->group()->marker(3)->isHidden());
        const double paid = typed.isEmpty() ? 100.0 : typed.toDouble();
        if (QByteArray(QTest::currentDataTag()) == "paid in part")
            test::saveScreenshot(screen, QStringLiteral("Tebetalen-gekozen"));
        QTest::mouseClick(screen->doorboekenButton(), Qt::LeftButton);

        Table &items = payables ? data().betalentabel : data().ontvangentabel;
        QCOMPARE(items.recordCount(), rowsLeft);
        QCOMPARE(screen->grid()->tableModel()->rowCount(), rowsLeft);
        if (rowsLeft == 2)
            QVERIFY(qAbs(items.valueAt(0, u"Bedrag").toDouble() - amountLeft) < 1e-9);
        else
            QCOMPARE(items.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Kantine"));
        QCOMPARE(balance(4), payables ? -paid : paid);
        QCOMPARE(balance(payables ? 24 : 25), ownBefore + (payables ? paid : -paid));
        QCOMPARE(screen->ownBalance()->text(), AmountFormat::current().display(ownBefore + (payables ? paid : -paid)));
        Table &journal = data().journaaltabel;
        QCOMPARE(journal.valueAt(journal.recordCount() - 1, u"Vanrekening").toString(),
                 payables ? QStringLiteral("Kas 1") : QStringLiteral("Nog te ontvangen"));
        QCOMPARE(journal.valueAt(journal.recordCount() - 1, u"Naarrekening").toString(),
                 payables ? QStringLiteral("Nog te betalen") : QStringLiteral("Kas 1"));
        QVERIFY(screen->descriptionField()->text().isEmpty());
        QVERIFY(screen->amountField()->plainText().isEmpty());
        QCOMPARE(screen->group()->chosen(), -1);
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        QVERIFY(app->program.context().notice->isVisible());
        QCOMPARE(screen->lastNumberLabel()->text(), QString::number(journal.recordCount()));
    }

    void theOwnAccountAsksFirst_data()
    {
        QTest::addColumn<bool>("payables");
        QTest::addColumn<bool>("yes");
        QTest::newRow("payables, No") << true << false;
        QTest::newRow("payables, Yes") << true << true;
        QTest::newRow("receivables, No") << false << false;
        QTest::newRow("receivables, Yes") << false << true;
    }
    void theOwnAccountAsksFirst()
    {
        QFETCH(bool, payables);
        QFETCH(bool, yes);
        seed(payables, {{QStringLiteral("Vergeten post"), 12}});
        OpenItemsScreen *screen = open(payables);
        QVERIFY(screen);
        const int own = payables ? 24 : 25;
        const double ownBefore = balance(own);
        clickRow(screen->grid(), 0);
        test::clickRadio(screen->group()->button(8));
        QString asked;
        test::answerNextQuestion(yes ? QMessageBox::Yes : QMessageBox::No, &asked);
        screen->doorboekenButton()->click();
        QCOMPARE(asked,
                 payables ? QStringLiteral("U boekt te betalen t.o.v. te betalen, is dit correct?")
                          : QStringLiteral("U boekt te ontvangen t.o.v. te ontvangen, is dit correct?"));
        QCOMPARE(screen->group()->chosen(), -1);
        QCOMPARE(balance(own), ownBefore); // the same account on both sides
        Table &items = payables ? data().betalentabel : data().ontvangentabel;
        if (yes) {
            QCOMPARE(items.recordCount(), 0);
            QCOMPARE(data().journaaltabel.recordCount(), 2);
            QCOMPARE(data().journaaltabel.valueAt(1, u"Vanrekening").toString(), accountName(data().rekeningtabel, own));
            QCOMPARE(data().journaaltabel.valueAt(1, u"Naarrekening").toString(), accountName(data().rekeningtabel, own));
        } else {
            QCOMPARE(items.recordCount(), 1);
            QCOMPARE(data().journaaltabel.recordCount(), 1);
            QCOMPARE(screen->descriptionField()->text(), QStringLiteral("Vergeten post"));
            QCOMPARE(screen->amountField()->plainText(), QStringLiteral("12.00"));
        }
    }

    void nothingCanBeBookedWithoutAnItem()
    {
        OpenItemsScreen *screen = open(true);
        QVERIFY(screen);
        QCOMPARE(screen->grid()->tableModel()->rowCount(), 0);
        test::typeAmount(screen->amountField(), QStringLiteral("25"));
        test::clickRadio(screen->group()->button(0));
        QCOMPARE(screen->pendingAmount(), 25.0);
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        screen->doorboeken(); // even when called directly, nothing is booked
        QCOMPARE(data().journaaltabel.recordCount(), 0);
        QCOMPARE(balance(1), 0.0);
    }

    void theFilterNarrowsTheGridWhileTheScreenIsOpen()
    {
        seed(false, {{QStringLiteral("Sponsor bakker"), 250}, {QStringLiteral("Sponsor garage"), 500}, {QStringLiteral("Kantine"), 40}});
        OpenItemsScreen *screen = open(false);
        QVERIFY(screen);
        QTest::keyClicks(screen->filterPanel()->box(QStringLiteral("Omschrijving")), QStringLiteral("sponsor"));
        QCOMPARE(screen->grid()->tableModel()->rowCount(), 2);
        QTest::keyClicks(screen->filterPanel()->box(QStringLiteral("Bedrag")), QStringLiteral("500"));
        QCOMPARE(screen->grid()->tableModel()->rowCount(), 1);
        // Settling the one row shown settles exactly that item.
        clickRow(screen->grid(), 0);
        test::clickRadio(screen->group()->button(0));
        screen->doorboekenButton()->click();
        QCOMPARE(screen->grid()->tableModel()->rowCount(), 0);
        QVERIFY(!screen->doorboekenButton()->isEnabled());
        screen->close();
        // Other screens see the whole table again.
        QVERIFY(!data().ontvangentabel.isFiltered());
        QCOMPARE(data().ontvangentabel.recordCount(), 2);
        QVERIFY(screen->filterPanel()->box(QStringLiteral("Omschrijving"))->text().isEmpty());
        QCOMPARE(balance(1), 500.0);
    }

    void theFilterPanelNarrowsTheRows_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::newRow("description, any case") << "Omschrijving"
                                               << "huur" << 2;
        QTest::newRow("description, blanks around") << "Omschrijving"
                                                    << "  zaal " << 1;
        QTest::newRow("date as shown") << "Datum"
                                       << "-02-" << 1;
        QTest::newRow("amount as shown") << "Bedrag"
                                         << "1,250" << 1;
        QTest::newRow("nothing passes") << "Omschrijving"
                                        << "kantine" << 0;
    }
    void theFilterPanelNarrowsTheRows()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, rows);
        Table &items = data().betalentabel;
        declar::nieuwtebetalen(data(), QStringLiteral("Huur zaal"), QDate(2026, 1, 5), 300);
        declar::nieuwtebetalen(data(), QStringLiteral("Bekers"), QDate(2026, 2, 6), 45.5);
        declar::nieuwtebetalen(data(), QStringLiteral("Huur materiaal"), QDate(2026, 3, 7), 1250);
        OpenItemsScreen *screen = open(true);
        QVERIFY(screen);
        FieldFilterPanel *panel = screen->filterPanel();
        QCOMPARE(panel->title(), QStringLiteral("  Filteren overzicht  "));
        QTest::keyClicks(panel->box(field), text);
        QCOMPARE(items.recordCount(), rows);
        QCOMPARE(screen->grid()->tableModel()->rowCount(), rows);
        screen->close();
        QVERIFY(!items.isFiltered());
        QCOMPARE(screen->grid()->tableModel()->rowCount(), 3);
        QVERIFY(panel->box(field)->text().isEmpty());
        // Typing while the screen is closed does not filter.
        QTest::keyClicks(panel->box(field), text);
        QCOMPARE(items.recordCount(), 3);
    }

    void theItemSettledIsTheItemTheFieldsShow_data()
    {
        QTest::addColumn<bool>("payables");
        QTest::addColumn<QString>("move");
        for (const char *move : {"click", "keys", "wheel", "filter"}) {
            QTest::newRow(qPrintable(QStringLiteral("payables, ") + QLatin1String(move))) << true << QString::fromLatin1(move);
            QTest::newRow(qPrintable(QStringLiteral("receivables, ") + QLatin1String(move))) << false << QString::fromLatin1(move);
        }
    }
    void theItemSettledIsTheItemTheFieldsShow()
    {
        QFETCH(bool, payables);
        QFETCH(QString, move);
        WheelToArrowFilter::install(); // as the program does at start
        seed(payables, {{QStringLiteral("Advertentie"), 30.62}, {QStringLiteral("Koffie"), 207.33}, {QStringLiteral("Zaal"), 50}});
        OpenItemsScreen *screen = open(payables);
        QVERIFY(screen);
        BoundGrid *grid = screen->grid();
        QApplication::setActiveWindow(screen);
        QVERIFY(QTest::qWaitForWindowActive(screen));
        clickRow(grid, 0);
        QCOMPARE(screen->descriptionField()->text(), QStringLiteral("Advertentie"));
        grid->setFocus();
        if (move == QLatin1String("click")) {
            clickRow(grid, 1);
        } else if (move == QLatin1String("keys")) {
            QTest::keyClick(grid, Qt::Key_Down);
        } else if (move == QLatin1String("wheel")) {
            const QPoint at = grid->rowRect(0).center();
            QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid->viewport(), &wheel);
        } else {
            QTest::keyClicks(screen->filterPanel()->box(QStringLiteral("Omschrijving")), QStringLiteral("koffie"));
        }
        QCOMPARE(screen->descriptionField()->text(), QStringLiteral("Koffie"));
        QCOMPARE(screen->amountField()->plainText(), QStringLiteral("207.33"));
        test::clickRadio(screen->group()->button(0));
        QVERIFY(screen->doorboekenButton()->isEnabled());
        screen->doorboekenButton()->click();
        screen->close();
        Table &items = payables ? data().betalentabel : data().ontvangentabel;
        QCOMPARE(items.recordCount(), 2);
        QCOMPARE(items.valueAt(0, u"Omschrijving").toString(), QStringLiteral("Advertentie"));
        QCOMPARE(items.valueAt(0, u"Bedrag").toDouble(), 30.62);
        QCOMPARE(items.valueAt(1, u"Omschrijving").toString(), QStringLiteral("Zaal"));
        QCOMPARE(balance(1), payables ? -207.33 : 207.33);
    }

    void aFailedSettlementKeepsWhatWasTyped()
    {
        seed(true, {{QStringLiteral("Drukwerk"), 100}});
        OpenItemsScreen *screen = open(true);
        QVERIFY(screen);
        clickRow(screen->grid(), 0);
        test::typeAmount(screen->amountField(), QStringLiteral("40"));
        test::clickRadio(screen->group()->button(0));
        data().journaaltabel.close(); // the booking fails
        screen->doorboekenButton()->click();
        QTRY_VERIFY(QApplication::activeModalWidget() && QApplication::activeModalWidget()->objectName() == QLatin1String("foutmelding"));
        QApplication::activeModalWidget()->close();
        QCOMPARE(screen->descriptionField()->text(), QStringLiteral("Drukwerk"));
        QCOMPARE(screen->amountField()->plainText(), QStringLiteral("40.00"));
        QCOMPARE(data().betalentabel.number(u"Bedrag"), 100.0);
    }

    void theGridFollowsTheTablesCurrentRow()
    {
        seed(true, {{QStringLiteral("Een"), 1}, {QStringLiteral("Twee"), 2}, {QStringLiteral("Drie"), 3}});
        OpenItemsScreen *screen = open(true);
        QVERIFY(screen);
        clickRow(screen->grid(), 2);
        QCOMPARE(data().betalentabel.currentRow(), 2);
        data().betalentabel.moveTo(1);
        QCOMPARE(screen->grid()->currentIndex().row(), 1);
        screen->grid()->setFocus();
        QTest::keyClick(screen->grid(), Qt::Key_Up);
        QCOMPARE(data().betalentabel.currentRow(), 0);
    }
};

QTEST_MAIN(TestOpenItems)
#include "test_openitems.moc"
