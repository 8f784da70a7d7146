#include "rowtree.h"

#include <utility>

namespace zelk {

void RowTree::clear()
{
    // The memory goes too: a closed journal of a million rows keeps none of it.
    m_nodes = {};
    m_free = {};
    m_spine = {};
    m_root = none;
    forget();
}

quint32 RowTree::nextPriority()
{
    // xorshift32: cheap, and the same tree for the same rows on every run.
    m_random ^= m_random << 13;
    m_random ^= m_random >> 17;
    m_random ^= m_random << 5;
    return m_random;
}

RowTree::Node RowTree::allocate(StoredRow row, bool shown)
{
    Node n;
    if (!m_free.empty()) {
        n = m_free.back();
        m_free.pop_back();
    } else {
        n = static_cast<Node>(m_nodes.size());
        m_nodes.emplace_back();
    }
    Entry &e = m_nodes[n];
    e = Entry{};
    e.row = std::move(row);
    e.priority = nextPriority();
    e.size = 1;
    e.shown = shown ? 1 : 0;
    e.passes = shown;
    e.live = true;
    return n;
}

void RowTree::recount(Node n)
{
    Entry &e = m_nodes[n];
    e.size = 1 + sizeOf(e.left) + sizeOf(e.right);
    e.shown = (e.passes ? 1 : 0) + shownOf(e.left) + shownOf(e.right);
}

void RowTree::recountAll()
{
    // In reverse preorder every node comes after all nodes below it.
    std::vector<Node> preorder;
    preorder.reserve(m_nodes.size());
    std::vector<Node> pending;
    if (m_root != none)
        pending.push_back(m_root);
    while (!pending.empty()) {
        const Node n = pending.back();
        pending.pop_back();
        preorder.push_back(n);
        if (m_nodes[n].left != none)
            pending.push_back(m_nodes[n].left);
        if (m_nodes[n].right != none)
            pending.push_back(m_nodes[n].right);
    }
    for (auto it = preorder.rbegin(); it != preorder.rend(); ++it)
        recount(*it);
}

void RowTree::assign(std::vector<StoredRow> rows, const Passes &passes)
{
    startBuilding(rows.size());
    for (StoredRow &row : rows) {
        const bool shown = passes(row);
        add(std::move(row), shown);
    }
    finishBuilding();
}

void RowTree::startBuilding(size_t expected)
{
    clear();
    m_nodes.reserve(expected);
}

void RowTree::add(StoredRow row, bool shown)
{
    // Built in one pass over the rows in order (a Cartesian tree on the priorities): the
    // right spine is kept on a stack, and the rows on it lower in priority than the one
    // coming in go below it, on its left.
    const Node n = allocate(std::move(row), shown);
    Node below = none;
    while (!m_spine.empty() && m_nodes[m_spine.back()].priority < m_nodes[n].priority) {
        below = m_spine.back();
        m_spine.pop_back();
    }
    m_nodes[n].left = below;
    if (below != none)
        m_nodes[below].parent = n;
    if (!m_spine.empty()) {
        m_nodes[m_spine.back()].right = n;
        m_nodes[n].parent = m_spine.back();
    }
    m_spine.push_back(n);
}

void RowTree::finishBuilding()
{
    m_root = m_spine.empty() ? none : m_spine.front();
    m_spine = {};
    recountAll();
    forget();
}

void RowTree::refilter(const Passes &passes)
{
    for (Entry &e : m_nodes)
        if (e.live)
            e.passes = passes(e.row);
    recountAll();
    forget();
}

void RowTree::replaceChild(Node parent, Node old, Node now)
{
    if (parent == none)
        m_root = now;
    else if (m_nodes[parent].left == old)
        m_nodes[parent].left = now;
    else
        m_nodes[parent].right = now;
    if (now != none)
        m_nodes[now].parent = parent;
}

void RowTree::rotateUp(Node n)
{
    const Node p = m_nodes[n].parent;
    const Node grand = m_nodes[p].parent;
    if (m_nodes[p].left == n) {
        const Node middle = m_nodes[n].right;
        m_nodes[p].left = middle;
        if (middle != none)
            m_nodes[middle].parent = p;
        m_nodes[n].right = p;
    } else {
        const Node middle = m_nodes[n].left;
        m_nodes[p].right = middle;
        if (middle != none)
            m_nodes[middle].parent = p;
        m_nodes[n].left = p;
    }
    m_nodes[p].parent = n;
    replaceChild(grand, p, n);
    recount(p);
    recount(n);
}

RowTree::Node RowTree::insert(StoredRow row, bool shown, const Less &less)
{
    const Node n = allocate(std::move(row), shown);
    forget();
    if (m_root == none) {
        m_root = n;
        return n;
    }
    const StoredRow &placed = m_nodes[n].row;
    Node at = m_root;
    for (;;) {
        Entry &e = m_nodes[at];
        Node &child = less(placed, e.row) ? e.left : e.right;
        if (child == none) {
            child = n;
            m_nodes[n].parent = at;
            break;
        }
        at = child;
    }
    for (Node a = at; a != none; a = m_nodes[a].parent) {
        ++m_nodes[a].size;
        m_nodes[a].shown += shown ? 1 : 0;
    }
    while (m_nodes[n].parent != none && m_nodes[m_nodes[n].parent].priority < m_nodes[n].priority)
        rotateUp(n);
    return n;
}

StoredRow RowTree::take(Node n)
{
    forget();
    // Turned down below its children until it is a leaf, then cut off.
    for (;;) {
        const Entry &e = m_nodes[n];
        if (e.left == none && e.right == none)
            break;
        Node up;
        if (e.left == none)
            up = e.right;
        else if (e.right == none)
            up = e.left;
        else
            up = m_nodes[e.left].priority > m_nodes[e.right].priority ? e.left : e.right;
        rotateUp(up);
    }
    const Node p = m_nodes[n].parent;
    replaceChild(p, n, none);
    const int shown = m_nodes[n].passes ? 1 : 0;
    for (Node a = p; a != none; a = m_nodes[a].parent) {
        --m_nodes[a].size;
        m_nodes[a].shown -= shown;
    }
    StoredRow row = std::move(m_nodes[n].row);
    m_nodes[n] = Entry{};
    m_free.push_back(n);
    return row;
}

void RowTree::setShown(Node n, bool shown)
{
    if (m_nodes[n].passes == shown)
        return;
    forget();
    m_nodes[n].passes = shown;
    const int change = shown ? 1 : -1;
    for (Node a = n; a != none; a = m_nodes[a].parent)
        m_nodes[a].shown += change;
}

RowTree::Node RowTree::descendToShown(int index) const
{
    Node at = m_root;
    for (;;) {
        const Entry &e = m_nodes[at];
        const int left = shownOf(e.left);
        if (index < left) {
            at = e.left;
            continue;
        }
        index -= left;
        if (e.passes) {
            if (index == 0)
                return at;
            --index;
        }
        at = e.right;
    }
}

RowTree::Node RowTree::firstShownIn(Node n) const
{
    for (;;) {
        const Entry &e = m_nodes[n];
        if (shownOf(e.left) > 0)
            n = e.left;
        else if (e.passes)
            return n;
        else
            n = e.right;
    }
}

RowTree::Node RowTree::lastShownIn(Node n) const
{
    for (;;) {
        const Entry &e = m_nodes[n];
        if (shownOf(e.right) > 0)
            n = e.right;
        else if (e.passes)
            return n;
        else
            n = e.left;
    }
}

RowTree::Node RowTree::nextShown(Node n) const
{
    if (shownOf(m_nodes[n].right) > 0)
        return firstShownIn(m_nodes[n].right);
    for (Node child = n, p = m_nodes[n].parent; p != none; child = p, p = m_nodes[p].parent) {
        if (m_nodes[p].left != child)
            continue;
        if (m_nodes[p].passes)
            return p;
        if (shownOf(m_nodes[p].right) > 0)
            return firstShownIn(m_nodes[p].right);
    }
    return none;
}

RowTree::Node RowTree::previousShown(Node n) const
{
    if (shownOf(m_nodes[n].left) > 0)
        return lastShownIn(m_nodes[n].left);
    for (Node child = n, p = m_nodes[n].parent; p != none; child = p, p = m_nodes[p].parent) {
        if (m_nodes[p].right != child)
            continue;
        if (m_nodes[p].passes)
            return p;
        if (shownOf(m_nodes[p].left) > 0)
            return lastShownIn(m_nodes[p].left);
    }
    return none;
}

RowTree::Node RowTree::shownAt(int index) const
{
    if (index < 0 || index >= shownCount())
        return none;
    Node found;
    if (m_lastIndex >= 0 && index == m_lastIndex)
        return m_lastNode;
    if (m_lastIndex >= 0 && index == m_lastIndex + 1)
        found = nextShown(m_lastNode);
    else if (m_lastIndex >= 0 && index == m_lastIndex - 1)
        found = previousShown(m_lastNode);
    else
        found = descendToShown(index);
    m_lastIndex = index;
    m_lastNode = found;
    return found;
}

int RowTree::shownIndexOf(Node n) const
{
    if (n == none || !m_nodes[n].passes)
        return -1;
    int index = shownOf(m_nodes[n].left);
    for (Node child = n, p = m_nodes[n].parent; p != none; child = p, p = m_nodes[p].parent)
        if (m_nodes[p].right == child)
            index += shownOf(m_nodes[p].left) + (m_nodes[p].passes ? 1 : 0);
    return index;
}

RowTree::Node RowTree::first() const
{
    Node n = m_root;
    while (n != none && m_nodes[n].left != none)
        n = m_nodes[n].left;
    return n;
}

RowTree::Node RowTree::last() const
{
    Node n = m_root;
    while (n != none && m_nodes[n].right != none)
        n = m_nodes[n].right;
    return n;
}

RowTree::Node RowTree::next(Node n) const
{
    if (m_nodes[n].right != none) {
        n = m_nodes[n].right;
        while (m_nodes[n].left != none)
            n = m_nodes[n].left;
        return n;
    }
    Node p = m_nodes[n].parent;
    while (p != none && m_nodes[p].right == n) {
        n = p;
        p = m_nodes[p].parent;
    }
    return p;
}

RowTree::Node RowTree::previous(Node n) const
{
    if (m_nodes[n].left != none) {
        n = m_nodes[n].left;
        while (m_nodes[n].right != none)
            n = m_nodes[n].right;
        return n;
    }
    Node p = m_nodes[n].parent;
    while (p != none && m_nodes[p].left == n) {
        n = p;
        p = m_nodes[p].parent;
    }
    return p;
}

RowTree::Node RowTree::find(qint64 rowid) const
{
    for (size_t i = 0; i < m_nodes.size(); ++i)
        if (m_nodes[i].live && m_nodes[i].row.rowid == rowid)
            return static_cast<Node>(i);
    return none;
}

RowTree::Node RowTree::find(qint64 rowid, Node hint) const
{
    if (hint >= 0 && hint < static_cast<Node>(m_nodes.size()) && m_nodes[hint].live && m_nodes[hint].row.rowid == rowid)
        return hint;
    return find(rowid);
}

} // namespace zelk
