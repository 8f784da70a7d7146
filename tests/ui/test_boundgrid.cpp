// The grid bound to a table object: it follows and sets the shared current row, is read
// only with whole-row selection, honours a refused change, and draws the selected row
// red on white, bold while it does not have the focus.
#include "databases.h"
#include "testhome.h"
#include "toolkit/boundgrid.h"
#include "toolkit/tablegridmodel.h"

#include <QApplication>
#include <QLineEdit>
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
    std::unique_ptr<test::TestHome> home;
    std::unique_ptr<DataModule1> data;

    Table &leden() { return data->ledentabel; }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<test::TestHome>();
        data = std::make_unique<DataModule1>();
        data->openForUse();
        for (const char *name : {"Bakker, Els", "de Vries, Jan", "Jansen, Piet"}) {
            leden().append();
            leden().setValue(u"Naam", QString::fromUtf8(name));
            leden().setValue(u"Geb datum", QStringLiteral("01-02-1970"));
            leden().post();
        }
        leden().first();
    }
    void cleanup()
    {
        data.reset();
        home.reset();
    }

    void followsAndSetsTheCurrentRow()
    {
        BoundGrid grid(leden(), {"Naam", "Geb datum"});
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
        BoundGrid grid(leden(), {"Naam"});
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
        auto *grid = new BoundGrid(leden(), {"Naam", "Geb datum"}, &window);
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
};

QTEST_MAIN(TestBoundgrid)
#include "test_boundgrid.moc"
