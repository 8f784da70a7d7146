// "Overzicht mutaties per rekening": the texts before any build, building the chosen
// account's mutations from the journal, a hulp.db held by another program (the store's
// message, nothing changed), and "Overzicht" printing the list under the account's name.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "overviews/rekoverzicht.h"
#include "rekeningnamen.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "testhome.h"
#include "toolkit/boundgrid.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

using namespace zelk;

class TestRekoverzicht : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    DataModule1 &data() { return app->data(); }
    rekoverzicht *open() { return qobject_cast<rekoverzicht *>(test::openFromMenu(app->program, QStringLiteral("Rek. overzicht"))); }
    static BoundGrid *accounts(rekoverzicht *screen) { return screen->findChild<BoundGrid *>(QStringLiteral("rekeningen")); }
    static void clickRow(BoundGrid *grid, int row)
    {
        grid->scrollTo(grid->tableModel()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->rowRect(row).center());
    }
    static QStringList column(BoundGrid *grid, int column)
    {
        QStringList values;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            values << grid->model()->index(row, column).data().toString();
        return values;
    }
    void build(rekoverzicht *screen, int position)
    {
        clickRow(accounts(screen), position - 1);
        QTest::mouseClick(screen->button(QStringLiteral("Opbouw vanuit journaal")), Qt::LeftButton);
    }
    QString printed(rekoverzicht *screen)
    {
        return test::printedText(screen->button(QStringLiteral("Overzicht")), app->home.path() + QStringLiteral("/rekening.txt"));
    }

private Q_SLOTS:
    void init()
    {
        qputenv("ZELK_REPORT_DATE", "2026-03-31");
        app = std::make_unique<test::StartedProgram>();
        declar::boekpost(data(), 7, 1, QStringLiteral("Contributie"), QDate(2026, 1, 5), 1250.5);
        declar::boekpost(data(), 1, 21, QStringLiteral("Zaalhuur"), QDate(2026, 1, 6), 80);
        declar::boekpost(data(), 4, 4, QStringLiteral("Kas naar kas"), QDate(2026, 1, 7), 20);
    }
    void cleanup() { app.reset(); }

    void theScreenBeforeAnyBuild()
    {
        rekoverzicht *screen = open();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Overzicht mutaties per rekening"));
        QVERIFY(!app->program.mainMenu()->isVisible());
        QCOMPARE(screen->accountName()->text(), QStringLiteral("In deze sessie is niets opgebouwd"));
        QCOMPARE(screen->accountBalance()->text(), QStringLiteral("0.00"));
        QVERIFY(screen->accountBalance()->alignment() & Qt::AlignRight);
        QVERIFY(!screen->button(QStringLiteral("Help")));
        QVERIFY(!screen->findChild<QWidget *>(QStringLiteral("help")));
        QStringList labels;
        for (QLabel *label : screen->findChildren<QLabel *>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Rekeningen tabel")));
        QVERIFY(labels.contains(QStringLiteral("Rekening :")));
        QVERIFY(labels.contains(QStringLiteral("Let op!! Wanneer een rekeningnaam gewijzigd is en er is voorheen op geboekt,\n"
                                               "dan zal het totaal (saldo) van de bovenstaande mutaties niet correct zijn!")));
        BoundGrid *g = accounts(screen);
        QCOMPARE(g->model()->rowCount(), 37);
        QCOMPARE(g->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Naam"));
        QCOMPARE(g->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Saldo"));
        QStringList headings;
        for (int c = 0; c < screen->mutationsGrid()->model()->columnCount(); ++c)
            headings << screen->mutationsGrid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Bkst", "Datum", "Omschrijving", "Bedrag"}));
        QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(screen->mutationsGrid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        // The list of an earlier build prints under the first texts.
        const QString report = printed(screen);
        QVERIFY2(report.contains(QRegularExpression(QStringLiteral("Rekening naam : +In deze sessie is niets opgebouwd"))),
                 qPrintable(report));
    }

    void buildingListsTheChosenAccountsMutations()
    {
        rekoverzicht *screen = open();
        build(screen, 1);
        QCOMPARE(screen->accountName()->text(), QStringLiteral("Bank 1"));
        QCOMPARE(screen->accountBalance()->text(), QStringLiteral("1,170.50"));
        BoundGrid *mutations = screen->mutationsGrid();
        QCOMPARE(column(mutations, 0), (QStringList{"1", "2"}));
        QCOMPARE(column(mutations, 3), (QStringList{"1,250.50", "-80.00"}));
        test::saveScreenshot(screen, QStringLiteral("rekoverzicht"));

        const QString report = printed(screen);
        QVERIFY2(report.contains(QRegularExpression(QStringLiteral("Rekening naam : +Bank 1 .*Saldo : +1,170.50\n"))), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("Totaaltelling van de getoonde posten")));
        QVERIFY(report.contains(QStringLiteral("€ 1,170.50\n")));

        build(screen, 4); // the same account on both sides: twice, summing to zero
        QCOMPARE(column(mutations, 3), (QStringList{"-20.00", "20.00"}));
        QVERIFY(printed(screen).contains(QStringLiteral("€ 0.00\n")));

        // The texts stay for the rest of the run.
        QTest::mouseClick(screen->button(QStringLiteral("Sluit venster")), Qt::LeftButton);
        QVERIFY(app->program.mainMenu()->isVisible());
        screen = open();
        QCOMPARE(screen->accountName()->text(), QStringLiteral("Kas 1"));
        QCOMPARE(screen->mutationsGrid()->model()->rowCount(), 2);
    }

    void afterARenameTheOldBookingsAreMissing()
    {
        rekeningnamen::bewaar(data(), {{1, QStringLiteral("Hoofdrekening")}});
        rekoverzicht *screen = open();
        build(screen, 1);
        QCOMPARE(screen->accountName()->text(), QStringLiteral("Hoofdrekening"));
        QCOMPARE(screen->accountBalance()->text(), QStringLiteral("1,170.50"));
        QCOMPARE(screen->mutationsGrid()->model()->rowCount(), 0);
        QVERIFY(printed(screen).contains(QStringLiteral("€ 0.00\n")));
    }

    void aListHeldByAnotherProgramChangesNothing()
    {
        rekoverzicht *screen = open();
        build(screen, 1);
        sql::DatabaseHandle other = sql::openFile(data().werkmap() + QStringLiteral("/hulp.db"), false);
        sql::exec(other.get(), QStringLiteral("BEGIN EXCLUSIVE"));
        build(screen, 7);
        sql::exec(other.get(), QStringLiteral("ROLLBACK"));
        other.reset();
        QTRY_VERIFY(screen->findChild<QMessageBox *>(QStringLiteral("foutmelding")));
        auto *error = screen->findChild<QMessageBox *>(QStringLiteral("foutmelding"));
        QVERIFY2(error->text().contains(QStringLiteral("in gebruik door een ander programma")), qPrintable(error->text()));
        error->close();
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->accountName()->text(), QStringLiteral("Bank 1"));
        QCOMPARE(screen->accountBalance()->text(), QStringLiteral("1,170.50"));
        QCOMPARE(column(screen->mutationsGrid(), 0), (QStringList{"1", "2"}));
    }
};

QTEST_MAIN(TestRekoverzicht)
#include "test_rekoverzicht.moc"
