// The grid bound to a table object: it shows the rows passing the filter, follows changes
// made through the table object by anyone, shows the table's current row, and makes a
// clicked row the table's current row; the filter panel narrows the rows.
#include "databases.h"
#include "declar.h"
#include "testhome.h"
#include "toolkit/filterpanel.h"
#include "toolkit/tablegrid.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace zelk;

class TestTableGrid : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestHome> home;
    std::unique_ptr<DataModule1> data;
    const QList<GridColumn> columns = {{QStringLiteral("Datum"), QStringLiteral("Datum"), GridColumn::Kind::Date},
                                       {QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), GridColumn::Kind::Text},
                                       {QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), GridColumn::Kind::Amount}};

    Table &items() { return data->betalentabel; }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<test::TestHome>();
        data = std::make_unique<DataModule1>();
        data->openForUse();
        declar::nieuwtebetalen(*data, QStringLiteral("Huur zaal"), QDate(2026, 1, 5), 300);
        declar::nieuwtebetalen(*data, QStringLiteral("Bekers"), QDate(2026, 2, 6), 45.5);
        declar::nieuwtebetalen(*data, QStringLiteral("Huur materiaal"), QDate(2026, 3, 7), 1250);
    }
    void cleanup()
    {
        data.reset();
        home.reset();
    }

    void followsTheTableObject()
    {
        TableGrid grid(items(), columns);
        TableModel *model = grid.tableModel();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("1,250.00"));
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("06-02-2026"));
        QCOMPARE(grid.currentIndex().row(), 2); // the row the table was left on

        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        items().moveTo(1);
        QCOMPARE(grid.currentIndex().row(), 1);
        items().edit();
        items().setValue(u"Bedrag", 50.0);
        items().post();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("50.00"));

        declar::aflossentebetalen(*data, 50.0); // removes the current row
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(grid.currentIndex().row(), items().currentRow());
    }

    void aClickedRowBecomesTheTablesCurrentRow()
    {
        TableGrid grid(items(), columns);
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy clicked(&grid, &TableGrid::rowClicked);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.rowRect(0).center());
        QCOMPARE(items().currentRow(), 0);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 0);
        QCOMPARE(items().text(u"Omschrijving"), QStringLiteral("Huur zaal"));
    }

    void theFilterPanelNarrowsTheRows_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::newRow("description, any case") << "Omschrijving" << "huur" << 2;
        QTest::newRow("date as shown") << "Datum" << "-02-" << 1;
        QTest::newRow("amount as shown") << "Bedrag" << "1,250" << 1;
        QTest::newRow("nothing passes") << "Omschrijving" << "kantine" << 0;
    }
    void theFilterPanelNarrowsTheRows()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, rows);
        TableGrid grid(items(), columns);
        FilterPanel panel(items(), columns, QStringLiteral("Omschrijving"));
        QCOMPARE(panel.title(), QStringLiteral("  Filteren overzicht  "));
        panel.switchOn();
        QTest::keyClicks(panel.entry(field), text);
        QCOMPARE(items().recordCount(), rows);
        QCOMPARE(grid.tableModel()->rowCount(), rows);
        panel.switchOff();
        QVERIFY(!items().isFiltered());
        QCOMPARE(grid.tableModel()->rowCount(), 3);
        QVERIFY(panel.entry(field)->text().isEmpty());
        // Typing while switched off does not filter.
        QTest::keyClicks(panel.entry(field), text);
        QCOMPARE(items().recordCount(), 3);
    }
};

QTEST_MAIN(TestTableGrid)
#include "test_tablegrid.moc"
