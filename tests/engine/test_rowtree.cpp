// The counting tree that holds a table object's rows: after every change it must give the
// same rows, in the same order and at the same places, as a plain list kept beside it.
#include "store/rowtree.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace zelk;

namespace {
StoredRow rowOf(qint64 rowid, int key)
{
    StoredRow row;
    row.rowid = rowid;
    row.order = key;
    row.values = {key};
    return row;
}

bool lessByKey(const StoredRow &a, const StoredRow &b)
{
    return a.order < b.order;
}

// What the tree must hold: rowids in browse order, and which pass the filter.
struct Reference {
    std::vector<StoredRow> rows;
    std::vector<bool> shown;

    void insert(const StoredRow &row, bool pass)
    {
        const auto at = std::upper_bound(rows.begin(), rows.end(), row, lessByKey);
        shown.insert(shown.begin() + (at - rows.begin()), pass);
        rows.insert(at, row);
    }
    std::vector<qint64> shownRowids() const
    {
        std::vector<qint64> ids;
        for (size_t i = 0; i < rows.size(); ++i)
            if (shown[i])
                ids.push_back(rows[i].rowid);
        return ids;
    }
    std::vector<qint64> allRowids() const
    {
        std::vector<qint64> ids;
        for (const StoredRow &r : rows)
            ids.push_back(r.rowid);
        return ids;
    }
};

// Compares everything the tree answers with the reference; the first difference fails.
void compare(const RowTree &tree, const Reference &ref)
{
    QCOMPARE(tree.size(), static_cast<int>(ref.rows.size()));
    const std::vector<qint64> shown = ref.shownRowids();
    QCOMPARE(tree.shownCount(), static_cast<int>(shown.size()));
    // Walking forward, as a report reads, and at random places, as a grid jumps.
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        const RowTree::Node n = tree.shownAt(i);
        QVERIFY(n != RowTree::none);
        QCOMPARE(tree.row(n).rowid, shown[i]);
        QCOMPARE(tree.shownIndexOf(n), i);
    }
    for (int i = static_cast<int>(shown.size()) - 1; i >= 0; --i)
        QCOMPARE(tree.row(tree.shownAt(i)).rowid, shown[i]);
    QCOMPARE(tree.shownAt(static_cast<int>(shown.size())), RowTree::none);
    QCOMPARE(tree.shownAt(-1), RowTree::none);
    std::vector<qint64> all;
    for (RowTree::Node n = tree.first(); n != RowTree::none; n = tree.next(n))
        all.push_back(tree.row(n).rowid);
    QCOMPARE(all, ref.allRowids());
    std::vector<qint64> backwards;
    for (RowTree::Node n = tree.last(); n != RowTree::none; n = tree.previous(n))
        backwards.push_back(tree.row(n).rowid);
    std::reverse(backwards.begin(), backwards.end());
    QCOMPARE(backwards, ref.allRowids());
    for (size_t i = 0; i < ref.rows.size(); ++i) {
        const RowTree::Node n = tree.find(ref.rows[i].rowid);
        QVERIFY(n != RowTree::none);
        QCOMPARE(tree.isShown(n), static_cast<bool>(ref.shown[i]));
        if (!ref.shown[i])
            QCOMPARE(tree.shownIndexOf(n), -1);
    }
}
} // namespace

class TestRowTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyTree()
    {
        RowTree tree;
        QCOMPARE(tree.size(), 0);
        QCOMPARE(tree.shownCount(), 0);
        QCOMPARE(tree.shownAt(0), RowTree::none);
        QCOMPARE(tree.first(), RowTree::none);
        QCOMPARE(tree.last(), RowTree::none);
        QCOMPARE(tree.find(1), RowTree::none);
        tree.assign({}, [](const StoredRow &) { return true; });
        QCOMPARE(tree.size(), 0);
    }

    void equalKeysGoAfterTheRowsAlreadyThere()
    {
        RowTree tree;
        Reference ref;
        for (qint64 id = 1; id <= 40; ++id) {
            const StoredRow row = rowOf(id, static_cast<int>(id % 3)); // many equal keys
            ref.insert(row, true);
            tree.insert(row, true, lessByKey);
        }
        compare(tree, ref);
    }

    void randomChangesMatchAPlainList_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("start");
        for (quint32 seed : {1u, 2u, 3u})
            for (int start : {0, 1, 500}) // from nothing, one row, or many rows read at once
                QTest::addRow("seed %u, %d rows", seed, start) << seed << start;
    }
    void randomChangesMatchAPlainList()
    {
        QFETCH(quint32, seed);
        QFETCH(int, start);
        QRandomGenerator random(seed);
        RowTree tree;
        Reference ref;
        qint64 nextId = 1;
        std::vector<StoredRow> initial;
        for (int i = 0; i < start; ++i)
            initial.push_back(rowOf(nextId++, i * 2));
        auto even = [](const StoredRow &r) { return r.rowid % 2 == 0; };
        tree.assign(initial, even);
        for (const StoredRow &r : initial) {
            ref.rows.push_back(r);
            ref.shown.push_back(even(r));
        }
        compare(tree, ref);
        for (int step = 0; step < 1500; ++step) {
            const int action = static_cast<int>(random.bounded(10));
            if (action < 5 || ref.rows.empty()) {
                const StoredRow row = rowOf(nextId++, static_cast<int>(random.bounded(400)));
                const bool pass = random.bounded(3) != 0;
                ref.insert(row, pass);
                const RowTree::Node n = tree.insert(row, pass, lessByKey);
                QCOMPARE(tree.row(n).rowid, row.rowid);
            } else if (action < 8) {
                const size_t at = random.bounded(static_cast<quint32>(ref.rows.size()));
                const qint64 id = ref.rows[at].rowid;
                QCOMPARE(tree.take(tree.find(id)).rowid, id);
                ref.rows.erase(ref.rows.begin() + static_cast<std::ptrdiff_t>(at));
                ref.shown.erase(ref.shown.begin() + static_cast<std::ptrdiff_t>(at));
            } else if (action == 8) {
                const size_t at = random.bounded(static_cast<quint32>(ref.rows.size()));
                const bool pass = !ref.shown[at];
                tree.setShown(tree.find(ref.rows[at].rowid), pass);
                ref.shown[at] = pass;
            } else {
                const quint32 modulus = 2 + random.bounded(3u);
                auto passes = [modulus](const StoredRow &r) { return r.rowid % modulus != 0; };
                tree.refilter(passes);
                for (size_t i = 0; i < ref.rows.size(); ++i)
                    ref.shown[i] = passes(ref.rows[i]);
            }
            // Reading one row between changes, as the cursor does, must not go stale.
            if (!ref.shownRowids().empty()) {
                const int shownRows = static_cast<int>(ref.shownRowids().size());
                const int at = static_cast<int>(random.bounded(shownRows));
                QCOMPARE(tree.row(tree.shownAt(at)).rowid, ref.shownRowids()[at]);
            }
            if (step % 100 == 0)
                compare(tree, ref);
            if (QTest::currentTestFailed())
                return; // the first difference says most
        }
        compare(tree, ref);
        // A hint names the row only when it still holds that identity.
        if (!ref.rows.empty()) {
            const qint64 id = ref.rows.front().rowid;
            const RowTree::Node n = tree.find(id);
            QCOMPARE(tree.find(id, n), n);
            QCOMPARE(tree.find(id, tree.last()), n);
            QCOMPARE(tree.find(-5, n), RowTree::none);
        }
    }

    void rowsReadAtOnceThenChangedInOrder()
    {
        // A large table read at once, then rows added at its end and taken from its start,
        // as a journal grows and an open-items list shrinks.
        std::vector<StoredRow> initial;
        for (qint64 id = 1; id <= 20000; ++id)
            initial.push_back(rowOf(id, static_cast<int>(id)));
        RowTree tree;
        tree.assign(initial, [](const StoredRow &) { return true; });
        for (qint64 id = 20001; id <= 30000; ++id)
            tree.insert(rowOf(id, static_cast<int>(id)), true, lessByKey);
        for (qint64 id = 1; id <= 5000; ++id)
            tree.take(tree.first());
        QCOMPARE(tree.size(), 25000);
        QCOMPARE(tree.row(tree.first()).rowid, 5001);
        QCOMPARE(tree.row(tree.last()).rowid, 30000);
        QCOMPARE(tree.row(tree.shownAt(12345)).rowid, 17346);
        QCOMPARE(tree.shownIndexOf(tree.find(29999)), 24998);
        int walked = 0;
        for (RowTree::Node n = tree.first(); n != RowTree::none; n = tree.next(n))
            QCOMPARE(tree.row(n).rowid, 5001 + walked++);
        QCOMPARE(walked, 25000);
    }
};

QTEST_GUILESS_MAIN(TestRowTree)
#include "test_rowtree.moc"
