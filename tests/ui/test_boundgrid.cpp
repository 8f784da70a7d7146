// The grid bound to a table object: it shows the rows passing the filter as the grid shows
// values, follows changes made through the table object by anyone, follows and sets the
// shared current row (also by clicking), is read only with whole-row selection, honours a
// refused change, draws the selected row red on white, bold while it does not have
// the focus, sizes its columns to their headings and the rows shown, and lets Tab go on.
#include "amountformat.h"
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "toolkit/boundgrid.h"

#include <QApplication>
#include <QDate>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace zelk;

namespace {
// Pixels of the given row that are clearly red.
int redPixels(BoundGrid &grid, int row)
{
    const QImage image = grid.viewport()->grab().toImage();
    const QRect rect = grid.visualRect(grid.model()->index(row, 0)).united(grid.visualRect(grid.model()->index(row, 1)));
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    return count;
}
} // namespace

class TestBoundgrid : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    const QList<GridColumn> columns = {{QStringLiteral("Datum"), QStringLiteral("Datum"), GridColumn::Kind::Date},
                                       {QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), GridColumn::Kind::Text},
                                       {QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), GridColumn::Kind::Amount}};

    Table &leden() { return data->ledentabel; }
    Table &items() { return data->betalentabel; }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<test::FreshData>();
        for (const char *name : {"Bakker, Els", "de Vries, Jan", "Jansen, Piet"}) {
            leden().append();
            leden().setValue(u"Naam", QString::fromUtf8(name));
            leden().setValue(u"Geb datum", QStringLiteral("01-02-1970"));
            leden().post();
        }
        leden().first();
        declar::nieuwtebetalen(*data, QStringLiteral("Huur zaal"), QDate(2026, 1, 5), 300);
        declar::nieuwtebetalen(*data, QStringLiteral("Bekers"), QDate(2026, 2, 6), 45.5);
        declar::nieuwtebetalen(*data, QStringLiteral("Huur materiaal"), QDate(2026, 3, 7), 1250);
    }
    void cleanup() { data.reset(); }

    void followsAndSetsTheCurrentRow()
    {
        BoundGrid grid(leden(), fieldColumns(leden(), {"Naam", "Geb datum"}));
        QCOMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.model()->index(0, 1).data().toString(), QStringLiteral("01-02-1970"));
        QCOMPARE(grid.currentIndex().row(), 0);
        leden().moveTo(2);
        QCOMPARE(grid.currentIndex().row(), 2);
        QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
        grid.selectRow(1);
        QCOMPARE(leden().currentRow(), 1);
        QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
        // A filter on the table restricts the grid.
        leden().setFiltered(true);
        leden().setCondition([](const Table::Values &v) { return v[0].toString().startsWith(u'J'); });
        QCOMPARE(grid.model()->rowCount(), 1);
        QCOMPARE(grid.currentIndex().row(), 0);
        leden().setFiltered(false);
    }

    void columnsFitTheirHeadingsAndTheRowsShown()
    {
        const QString longName = QStringLiteral("Wilhelmina van Oranje-Nassau");
        leden().append();
        leden().setValue(u"Naam", longName);
        leden().post();
        // Far below the rows shown, a name wider than any shown one is not read; the
        // widest name there is wider than a column may be.
        const QString farName = QStringLiteral("Zz ") + QString(20, u'W');
        for (int i = 0; i < 300; ++i) {
            leden().append();
            leden().setValue(u"Naam", QStringLiteral("Zeeman %1").arg(i, 3, 10, QChar(u'0')));
            leden().post();
        }
        for (const QString &name : {farName, QStringLiteral("Zzz") + QString(37, u'W')}) {
            leden().append();
            leden().setValue(u"Naam", name);
            leden().post();
        }
        leden().first();
        BoundGrid grid(leden(), fieldColumns(leden(), {"Naam", "Pcode", "Geb datum"}));
        grid.resize(600, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QHeaderView *header = grid.horizontalHeader();
        const int nameWidth = grid.fontMetrics().horizontalAdvance(longName);
        QVERIFY2(header->sectionSize(0) > nameWidth, qPrintable(QString::number(header->sectionSize(0))));
        QVERIFY(header->sectionSize(0) < grid.fontMetrics().horizontalAdvance(farName));
        // A short column is as wide as its heading, a date as its dates.
        QVERIFY(header->sectionSize(1) >= header->sectionSizeHint(1));
        QVERIFY(header->sectionSize(1) < header->sectionSize(0));
        QVERIFY(header->sectionSize(2) > grid.fontMetrics().horizontalAdvance(QStringLiteral("01-02-1970")));
        // The user can still widen a column; no column is wider than the limit.
        QCOMPARE(header->sectionResizeMode(0), QHeaderView::Interactive);
        leden().last();
        grid.fitColumns();
        QCOMPARE(header->sectionSize(0), BoundGrid::maximumColumnWidth);
    }

    void tabLeavesTheGrid()
    {
        QWidget window;
        auto *grid = new BoundGrid(leden(), fieldColumns(leden(), {"Naam", "Geb datum"}), &window);
        auto *after = new QLineEdit(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Tab);
        QVERIFY(after->hasFocus());
        QCOMPARE(leden().currentRow(), 0); // not moved a cell or a row
    }

    void aRefusedChangeKeepsTheRow_data()
    {
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("current");
        QTest::newRow("allowed") << true << 2;
        QTest::newRow("refused") << false << 0;
    }

    void aRefusedChangeKeepsTheRow()
    {
        QFETCH(bool, allowed);
        QFETCH(int, current);
        BoundGrid grid(leden(), fieldColumns(leden(), {"Naam"}));
        int asked = 0;
        grid.setBeforeChange([&] {
            ++asked;
            return allowed;
        });
        grid.selectRow(2);
        QCOMPARE(asked, 1);
        QCOMPARE(leden().currentRow(), current);
        QCOMPARE(grid.currentIndex().row(), current);
    }

    void selectedRowIsRedOnWhiteAndBoldWithoutFocus()
    {
        QWidget window;
        auto *grid = new BoundGrid(leden(), fieldColumns(leden(), {"Naam", "Geb datum"}), &window);
        auto *other = new QLineEdit(&window);
        grid->setGeometry(0, 30, 400, 200);
        other->setGeometry(0, 0, 100, 25);
        window.resize(400, 240);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        leden().moveTo(1);
        other->setFocus();
        QVERIFY(!grid->hasFocus());
        const int boldRed = redPixels(*grid, 1);
        QVERIFY(boldRed > 0);
        QCOMPARE(redPixels(*grid, 0), 0);
        QCOMPARE(redPixels(*grid, 2), 0);
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->visualRect(grid->model()->index(1, 0));
        QCOMPARE(image.pixelColor(cell.right() - 2, cell.center().y()), QColor(Qt::white)); // white behind the text
        grid->setFocus();
        QVERIFY(grid->hasFocus());
        const int plainRed = redPixels(*grid, 1);
        QVERIFY(plainRed > 0);
        QVERIFY2(boldRed > plainRed, qPrintable(QStringLiteral("%1 vs %2").arg(boldRed).arg(plainRed)));
    }

    void showsValuesAsTheGridShowsThem_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        const int text = int(GridColumn::Kind::Text);
        QTest::newRow("date") << QVariant(QDate(2026, 3, 7)) << int(GridColumn::Kind::Date) << "07-03-2026";
        QTest::newRow("date in a text column") << QVariant(QDate(2026, 3, 7)) << text << "07-03-2026";
        QTest::newRow("amount") << QVariant(1250.0) << int(GridColumn::Kind::Amount) << "1,250.00";
        QTest::newRow("mark set") << QVariant(true) << text << "Ja";
        QTest::newRow("mark not set") << QVariant(false) << text << "Nee";
        QTest::newRow("text") << QVariant(QStringLiteral("Huur")) << text << "Huur";
        QTest::newRow("nothing") << QVariant() << int(GridColumn::Kind::Amount) << "";
    }
    void showsValuesAsTheGridShowsThem()
    {
        QFETCH(QVariant, value);
        QFETCH(int, kind);
        QFETCH(QString, shown);
        QCOMPARE(TableModel::shown(value, GridColumn::Kind(kind)), shown);
    }

    void plainColumnsAreTitledWithTheFieldNames()
    {
        BoundGrid grid(leden(), fieldColumns(leden(), {"naam", "Geb datum"}));
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Naam"));
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Geb datum"));
        QCOMPARE(grid.model()->index(0, 0).data().toString(), QStringLiteral("Bakker, Els"));
    }

    void followsTheTableObject()
    {
        BoundGrid grid(items(), columns);
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
        BoundGrid grid(items(), columns);
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy clicked(&grid, &BoundGrid::rowClicked);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.rowRect(0).center());
        QCOMPARE(items().currentRow(), 0);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 0);
        QCOMPARE(items().text(u"Omschrijving"), QStringLiteral("Huur zaal"));
    }
};

QTEST_MAIN(TestBoundgrid)
#include "test_boundgrid.moc"
