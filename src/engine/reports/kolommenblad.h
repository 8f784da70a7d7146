#pragma once
// The page of the balance sheet and the budget: framed columns of 93 mm, income at the left
// and expenses at the right, each a heading box over rows of name-and-amount slots. A slot
// has the name from the column's left up to its amount box and the amount right-aligned in
// that box; the slot "7" is the labels "n_7" (name) and "b_7" (amount).
#include "report/reportband.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zelk {

class Table;

namespace kolommenblad {

inline constexpr double ColumnWidth = 93.0;
inline constexpr double RightColumn = 97.0;
inline constexpr double HeadingHeight = 9.0;
inline constexpr double RowHeight = 4.8;
inline constexpr double FirstRow = 11.0; // the first slot below a heading at the band's top
// An account's box holds any balance ("-9,999,999,999.99"); a total's box any sum the
// report can show ("-€ 999,999,999,999.99").
inline constexpr double AccountAmount = 28.0;
inline constexpr double SumAmount = 33.0;

// The style of a slot's name and amount.
TextStyle rowStyle();

// The slot key of an account position.
QString key(int position);

// The detail band of such a page.
class Blad {
public:
    explicit Blad(Band &band) : m_band(band) { }

    // A frame from `top` to `bottom`, a column wide, at `x`.
    void box(const QString &name, double x, double top, double bottom);
    // A framed heading, centred, bold and italic.
    void heading(const QString &name, const QString &text, double x, double top);
    void slot(const QString &slotKey, double x, double y, double amountWidth = AccountAmount, const TextStyle &nameStyle = rowStyle());
    // A line across both columns at `y`.
    void line(const QString &name, double y);
    void fill(const QString &slotKey, const QString &name, const QString &amount);

private:
    Band &m_band;
};

// The accounts' current names and balances by position (index 0 is position 1).
void rekeningen(const Table &accounts, QStringList &namen, std::vector<double> &saldi);

} // namespace kolommenblad
} // namespace zelk
