// "Overzicht mutaties" as the treasurer uses it: the journal with the looked-up account
// numbers, the filter with its ranges typed in the boxes, closing and opening again shows
// every row, correcting a description (stored when another row is chosen, before printing
// and when closing; never a balance), and "Afdrukken" printing exactly the rows shown.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "overviews/mutaties.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "testhome.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace zelk;
using namespace veld::journaal;

class TestMutaties : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    DataModule1 &data() { return app->data(); }
    mutaties *open() { return qobject_cast<mutaties *>(test::openFromMenu(app->program, QStringLiteral("Mutaties"))); }
    static BoundGrid *grid(mutaties *screen) { return screen->findChild<BoundGrid *>(QStringLiteral("journaal")); }
    static QLineEdit *box(mutaties *screen, const char *name) { return screen->findChild<QLineEdit *>(QLatin1String(name)); }
    static void type(QLineEdit *box, const QString &text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    static void clickRow(BoundGrid *grid, int row)
    {
        grid->scrollTo(grid->tableModel()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->rowRect(row).center());
    }
    QList<int> shownNumbers(BoundGrid *grid)
    {
        QList<int> numbers;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            numbers << grid->model()->index(row, 0).data().toInt();
        return numbers;
    }
    QList<double> balances()
    {
        QList<double> all;
        for (int p = 1; p <= 37; ++p)
            all << app->balance(p);
        return all;
    }
    // The report "Afdrukken" opens, as plain text.
    QString printed(mutaties *screen)
    {
        return test::printedText(screen->button(QStringLiteral("Afdrukken")), app->home.path() + QStringLiteral("/journaal.txt"));
    }

private Q_SLOTS:
    void init()
    {
        qputenv("ZELK_REPORT_DATE", "2026-03-31");
        app = std::make_unique<test::StartedProgram>();
        auto book = [this](int from, int to, const char *text, const QDate &date, double amount) {
            declar::boekpost(data(), from, to, QString::fromUtf8(text), date, amount);
        };
        book(7, 1, "Contributie januari", QDate(2026, 1, 1), 25);
        book(1, 21, "Zaalhuur", QDate(2026, 1, 10), 100);
        book(8, 4, "Gift van de BAKKER", QDate(2026, 1, 20), 12.5);
        book(1, 4, "Kasopname", QDate(2026, 1, 31), 50);
        book(7, 2, "Contributie februari", QDate(2026, 2, 1), 25);
    }
    void cleanup() { app.reset(); }

    void showsTheWholeJournalWithTheLookedUpNumbers()
    {
        mutaties *screen = open();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Overzicht mutaties"));
        QCOMPARE(screen->helpHeading(), QStringLiteral("11. OVERZICHT MUTATIES"));
        QVERIFY(!app->program.mainMenu()->isVisible());
        BoundGrid *g = grid(screen);
        QStringList headings;
        for (int c = 0; c < g->model()->columnCount(); ++c)
            headings << g->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Bkstuk", "Datum", "Omschrijving", "Vanrekening", "Naarrekening", "Bedrag", "van", "naar"}));
        QCOMPARE(shownNumbers(g), (QList<int>{1, 2, 3, 4, 5}));
        auto cell = [g](int row, int column) { return g->model()->index(row, column).data().toString(); };
        QCOMPARE(cell(1, 1), QStringLiteral("10-01-2026"));
        QCOMPARE(cell(1, 3), QStringLiteral("Bank 1"));
        QCOMPARE(cell(1, 5), QStringLiteral("100.00"));
        QCOMPARE(cell(1, 6), QStringLiteral("1"));
        QCOMPARE(cell(1, 7), QStringLiteral("21"));
        QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(screen->button(QStringLiteral("Help"))->isEnabled());
        QCOMPARE(screen->filterPanel()->title(), QStringLiteral("  Filteren overzicht  "));
        for (const char *label : {"Boekstuk", "Datum", "Omschrijving", "Vanrekening", "Naarrekening"})
            QVERIFY2(screen->filterPanel()->fromBox(QString::fromLatin1(label)), label);
        bool labelled = false;
        for (QLabel *label : screen->findChildren<QLabel *>())
            labelled = labelled || (label->text() == QLatin1String("Omschrijving aanpassen") && label->buddy() == screen->omschrijving());
        QVERIFY(labelled);
        QCOMPARE(screen->omschrijving()->maxLength(), 40);
        test::saveScreenshot(screen, QStringLiteral("mutaties"));
    }

    void theFilterNarrowsWhatIsShownAndPrinted_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("fromText");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("toText");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("numbers, both inclusive") << "filterboekstukvan"
                                                 << "2"
                                                 << "filterboekstuktot"
                                                 << "4" << QList<int>{2, 3, 4};
        QTest::newRow("numbers, to alone") << "filterboekstukvan"
                                           << ""
                                           << "filterboekstuktot"
                                           << "2" << QList<int>{1, 2};
        QTest::newRow("dates, both inclusive") << "filterdatumvan"
                                               << "10-01-2026"
                                               << "filterdatumtot"
                                               << "31-01-2026" << QList<int>{2, 3, 4};
        QTest::newRow("dates, to alone") << "filterdatumvan"
                                         << ""
                                         << "filterdatumtot"
                                         << "20-01-2026" << QList<int>{1, 2, 3};
        QTest::newRow("description, other case") << "filteromschrijving"
                                                 << "BUTIE"
                                                 << ""
                                                 << "" << QList<int>{1, 5};
        QTest::newRow("from-account") << "filtervanrekening"
                                      << "bank"
                                      << ""
                                      << "" << QList<int>{2, 4};
        QTest::newRow("to-account") << "filternaarrekening"
                                    << "kas 1"
                                    << ""
                                    << "" << QList<int>{3, 4};
        QTest::newRow("nothing matches") << "filteromschrijving"
                                         << "contributie maart"
                                         << ""
                                         << "" << QList<int>{};
    }
    void theFilterNarrowsWhatIsShownAndPrinted()
    {
        QFETCH(QString, from);
        QFETCH(QString, fromText);
        QFETCH(QString, to);
        QFETCH(QString, toText);
        QFETCH(QList<int>, expected);
        mutaties *screen = open();
        type(screen->findChild<QLineEdit *>(from), fromText);
        if (!to.isEmpty())
            type(screen->findChild<QLineEdit *>(to), toText);
        QCOMPARE(shownNumbers(grid(screen)), expected);
        QCOMPARE(data().journaaltabel.recordCount(), expected.size());

        const QString report = printed(screen);
        QVERIFY(!report.isEmpty());
        double sum = 0;
        for (int row = 0; row < data().journaaltabel.recordCount(); ++row)
            sum += data().journaaltabel.valueAt(row, Bedrag).toDouble();
        QVERIFY2(report.contains(QStringLiteral("Totaaltelling van de getoonde mutaties")), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("€ %1\n").arg(QString::number(sum, 'f', 2))), qPrintable(report));
        for (const char *text : {"Zaalhuur", "Kasopname", "Gift van de BAKKER"}) {
            const bool shown = [&] {
                for (int row = 0; row < data().journaaltabel.recordCount(); ++row)
                    if (data().journaaltabel.valueAt(row, Omschrijving).toString() == QLatin1String(text))
                        return true;
                return false;
            }();
            QCOMPARE(report.contains(QLatin1String(text)), shown);
        }
    }

    void aValueThatIsNoDateShowsRedAndDoesNotRestrict()
    {
        mutaties *screen = open();
        QLineEdit *from = box(screen, "filterdatumvan");
        type(from, QStringLiteral("32-01-2026"));
        QCOMPARE(grid(screen)->model()->rowCount(), 5);
        QVERIFY(from->styleSheet().contains(QStringLiteral("red")));
        QVERIFY(from->toolTip().contains(QStringLiteral("geen datum")));
        type(from, QStringLiteral("31-01-2026"));
        QCOMPARE(shownNumbers(grid(screen)), (QList<int>{4, 5}));
        QVERIFY(from->styleSheet().isEmpty());
    }

    void closingAndOpeningAgainShowsEveryRow()
    {
        mutaties *screen = open();
        type(box(screen, "filterboekstuktot"), QStringLiteral("2"));
        type(box(screen, "filtervanrekening"), QStringLiteral("bank"));
        QCOMPARE(shownNumbers(grid(screen)), QList<int>{2});
        QTest::mouseClick(screen->button(QStringLiteral("Sluit venster")), Qt::LeftButton);
        QVERIFY(!screen->isVisible());
        QVERIFY(app->program.mainMenu()->isVisible());
        QVERIFY(!data().journaaltabel.isFiltered());
        QCOMPARE(data().journaaltabel.recordCount(), 5);

        screen = open();
        QCOMPARE(shownNumbers(grid(screen)), (QList<int>{1, 2, 3, 4, 5}));
        QVERIFY(box(screen, "filterboekstuktot")->text().isEmpty());
        QVERIFY(box(screen, "filtervanrekening")->text().isEmpty());
        // Closing the window otherwise lets the filter go the same way.
        type(box(screen, "filteromschrijving"), QStringLiteral("kas"));
        QCOMPARE(grid(screen)->model()->rowCount(), 1);
        screen->close();
        QVERIFY(!data().journaaltabel.isFiltered());
        QCOMPARE(data().journaaltabel.recordCount(), 5);
    }

    void aCorrectedDescriptionIsStoredWhenAnotherRowIsChosen()
    {
        mutaties *screen = open();
        const QList<double> before = balances();
        BoundGrid *g = grid(screen);
        clickRow(g, 1);
        QCOMPARE(screen->omschrijving()->text(), QStringLiteral("Zaalhuur"));
        screen->omschrijving()->selectAll();
        QTest::keyClicks(screen->omschrijving(), QStringLiteral("Zaalhuur januari, toernooi en bondsavond extra"));
        QCOMPARE(screen->omschrijving()->text().size(), 40);                                            // no more than the journal holds
        QCOMPARE(data().journaaltabel.valueAt(1, Omschrijving).toString(), QStringLiteral("Zaalhuur")); // not yet
        clickRow(g, 3);
        QCOMPARE(data().journaaltabel.currentRow(), 3);
        QCOMPARE(screen->omschrijving()->text(), QStringLiteral("Kasopname"));
        QCOMPARE(data().journaaltabel.valueAt(1, Omschrijving).toString(), QStringLiteral("Zaalhuur januari, toernooi en bondsavond"));
        QCOMPARE(g->model()->index(1, 2).data().toString(), QStringLiteral("Zaalhuur januari, toernooi en bondsavond"));
        QCOMPARE(data().journaaltabel.valueAt(1, Bedrag).toDouble(), 100.0);
        QCOMPARE(balances(), before);

        // With the arrow keys the same.
        screen->omschrijving()->selectAll();
        QTest::keyClicks(screen->omschrijving(), QStringLiteral("Kasopname bank 1"));
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(data().journaaltabel.currentRow(), 4);
        QCOMPARE(data().journaaltabel.valueAt(3, Omschrijving).toString(), QStringLiteral("Kasopname bank 1"));
        QCOMPARE(balances(), before);
    }

    void aCorrectedDescriptionIsStoredWhenClosingAndBeforePrinting()
    {
        mutaties *screen = open();
        clickRow(grid(screen), 2);
        type(screen->omschrijving(), QStringLiteral("Gift van de familie Bakker"));
        QVERIFY(printed(screen).contains(QStringLiteral("Gift van de familie Bakker")));
        QCOMPARE(data().journaaltabel.valueAt(2, Omschrijving).toString(), QStringLiteral("Gift van de familie Bakker"));

        type(screen->omschrijving(), QStringLiteral("Gift"));
        screen->close(); // as the window's own close button does
        QVERIFY(!screen->isVisible());
        QVERIFY(app->program.mainMenu()->isVisible());
        QCOMPARE(data().journaaltabel.valueAt(2, Omschrijving).toString(), QStringLiteral("Gift"));
        // Stored in the file, for every other program.
        DataModule1 other;
        other.setAccess(DataModule1::Access::Read);
        other.openForUse();
        QCOMPARE(other.journaaltabel.valueAt(2, Omschrijving).toString(), QStringLiteral("Gift"));
    }

    void aDescriptionThatCannotBeStoredKeepsTheRowAndTheText()
    {
        mutaties *screen = open();
        BoundGrid *g = grid(screen);
        clickRow(g, 1);
        type(screen->omschrijving(), QStringLiteral("Zaalhuur maart"));
        // Another program holds the journal for writing.
        sql::DatabaseHandle other = sql::openFile(data().werkmap() + QStringLiteral("/journaal.db"), false);
        sql::exec(other.get(), QStringLiteral("BEGIN EXCLUSIVE"));
        clickRow(g, 3);
        sql::exec(other.get(), QStringLiteral("ROLLBACK"));
        other.reset();
        QTRY_VERIFY(screen->findChild<QMessageBox *>(QStringLiteral("foutmelding")));
        for (QMessageBox *error : screen->findChildren<QMessageBox *>(QStringLiteral("foutmelding")))
            error->close();
        QCOMPARE(data().journaaltabel.currentRow(), 1);
        QCOMPARE(screen->omschrijving()->text(), QStringLiteral("Zaalhuur maart"));
        QCOMPARE(data().journaaltabel.valueAt(1, Omschrijving).toString(), QStringLiteral("Zaalhuur"));
        clickRow(g, 3); // now it can be stored
        QCOMPARE(data().journaaltabel.valueAt(1, Omschrijving).toString(), QStringLiteral("Zaalhuur maart"));
    }
};

QTEST_MAIN(TestMutaties)
#include "test_mutaties.moc"
