#pragma once
// The rows a table object holds, in browse order, kept in a tree that counts: finding the
// n-th row (of all rows or of those passing the filter), the place of a row, adding a row
// at its place and taking one out each take steps in proportion to the logarithm of the
// number of rows, so a register of 40,000 members takes a new member as quickly as an
// empty one. Reading the rows one after the other costs about one step per row.
//
// It is a treap: a binary search tree in browse order whose nodes also carry a random
// priority kept in heap order, which keeps the tree balanced whatever order rows arrive
// in. Every node counts the rows below it, and those passing the filter.
#include <QVariantList>
#include <QtGlobal>
#include <functional>
#include <vector>

namespace zelk {

struct StoredRow {
    qint64 rowid = 0; // the row's identity in its file
    double order = 0; // the place of a row in a table without key (its hidden order column)
    QVariantList values;
};

class RowTree {
public:
    // A row's handle: stays valid until that row is taken out or the rows are replaced.
    using Node = int;
    static constexpr Node none = -1;
    using Less = std::function<bool(const StoredRow &, const StoredRow &)>;
    using Passes = std::function<bool(const StoredRow &)>;

    void clear();
    // Replaces every row by `rows`, which are in browse order already.
    void assign(std::vector<StoredRow> rows, const Passes &passes);
    // The same, one row at a time, without holding all rows twice: clear, add every row in
    // browse order, then finish (before anything else is asked).
    void startBuilding(size_t expected);
    void add(StoredRow row, bool shown);
    void finishBuilding();
    // Decides again for every row whether it passes the filter.
    void refilter(const Passes &passes);

    int size() const { return sizeOf(m_root); }
    int shownCount() const { return shownOf(m_root); }

    // Places `row` after every row it is not less than, and returns its node.
    Node insert(StoredRow row, bool shown, const Less &less);
    StoredRow take(Node node);

    const StoredRow &row(Node node) const { return m_nodes[node].row; }
    // The row's values may change; what decides its place may not (take and insert it).
    StoredRow &row(Node node) { return m_nodes[node].row; }
    bool isShown(Node node) const { return m_nodes[node].passes; }
    void setShown(Node node, bool shown);

    // The index-th row passing the filter, none when there is no such row.
    Node shownAt(int index) const;
    // The place of `node` among the rows passing the filter, -1 when it does not pass.
    int shownIndexOf(Node node) const;

    // All rows, passing the filter or not, in browse order.
    Node first() const;
    Node last() const;
    Node next(Node node) const;
    Node previous(Node node) const;
    // The node holding `rowid`, none when no row has it. Looks at every row.
    Node find(qint64 rowid) const;
    // `hint` when it holds `rowid`, otherwise the same as find(rowid).
    Node find(qint64 rowid, Node hint) const;

private:
    struct Entry {
        StoredRow row;
        Node left = none;
        Node right = none;
        Node parent = none;
        quint32 priority = 0;
        int size = 0;  // rows in this subtree
        int shown = 0; // rows in this subtree passing the filter
        bool passes = false;
        bool live = false;
    };

    int sizeOf(Node n) const { return n == none ? 0 : m_nodes[n].size; }
    int shownOf(Node n) const { return n == none ? 0 : m_nodes[n].shown; }
    Node allocate(StoredRow row, bool shown);
    void recount(Node n);
    void recountAll();
    void replaceChild(Node parent, Node old, Node now);
    void rotateUp(Node n);
    Node firstShownIn(Node n) const;
    Node lastShownIn(Node n) const;
    Node nextShown(Node n) const;
    Node previousShown(Node n) const;
    Node descendToShown(int index) const;
    quint32 nextPriority();
    void forget() const { m_lastIndex = -1; }

    std::vector<Entry> m_nodes;
    std::vector<Node> m_free;
    std::vector<Node> m_spine; // while building: the right spine, top to bottom
    Node m_root = none;
    quint32 m_random = 2463534242u;
    // The last row found by shownAt: reading the next or previous one is one step.
    mutable int m_lastIndex = -1;
    mutable Node m_lastNode = none;
};

} // namespace zelk
