#pragma once
// The criteria of an overview's filter: the journal overview and the open-items overviews
// narrow their table with them, and zelk-cli's --filter and --range fill in the same ones,
// so the screen and the command let the same rows through.
//
// A text criterion passes a row whose field, written as the grid shows it, holds the text
// anywhere, ignoring case. A range criterion over a number, amount or date passes a row
// whose value is at least the from-value and at most the to-value, both inclusive; either
// may be left empty (a to-value alone means "at most"). Empty criteria do not restrict; the
// filled-in ones must all hold. A value that cannot be read as a number or a date does not
// restrict either, and problem() says why.
#include "amountformat.h"
#include "store/table.h"

#include <QDate>
#include <optional>
#include <vector>

namespace zelk {

struct FilterCriterion {
    enum class Kind { Text, NumberRange, DateRange };
    QString label; // as the filter panel shows it, e.g. "Boekstuk"
    QString field; // the stored field, e.g. "JrNr"
    Kind kind = Kind::Text;

    bool isRange() const { return kind != Kind::Text; }
};

// The criteria of the journal overview: "Boekstuk" and "Datum" as ranges, "Omschrijving",
// "Vanrekening" and "Naarrekening" as texts.
const std::vector<FilterCriterion> &journaalCriteria();
// The criteria of the open payables and receivables overviews: "Datum" and "Bedrag" as
// ranges, "Omschrijving" as text.
const std::vector<FilterCriterion> &openPostCriteria();

class FilterCriteria {
public:
    // Numbers and amounts are read with `format`.
    explicit FilterCriteria(std::vector<FilterCriterion> criteria, const AmountFormat &format = AmountFormat::current());

    const std::vector<FilterCriterion> &criteria() const { return m_criteria; }
    int count() const { return static_cast<int>(m_criteria.size()); }
    // The criterion with this label or field name (ignoring case); -1 when there is none.
    int indexOf(const QString &labelOrField) const;

    // A text criterion's text; a range's from- and to-value. Blanks around a value are
    // not part of it.
    void setText(int criterion, const QString &text);
    void setRange(int criterion, const QString &from, const QString &to);
    void clear();
    bool isBlank() const;

    // Why a value typed for this criterion is not used (Dutch), empty when it is fine.
    QString problem(int criterion) const;
    // Whether the from-value (or the to-value) of a range cannot be read.
    bool fromInvalid(int criterion) const;
    bool toInvalid(int criterion) const;

    // True for the rows of a table of this layout that pass every filled-in criterion;
    // empty when none is filled in. Every criterion must name a stored field of `schema`
    // (throws zelk::Error otherwise).
    Table::Condition condition(const TableSchema &schema) const;

    // Reads a date as the panel takes it: dd-mm-jjjj (also d-m-jjjj, with / or -) or jjjj-mm-dd.
    static std::optional<QDate> readDate(const QString &text);

private:
    struct Value {
        QString text; // the text, or the from-value of a range
        QString to;
    };
    struct Bound {
        bool given = false;
        bool valid = true;
        double number = 0;
        QDate date;
    };
    Bound bound(const FilterCriterion &criterion, const QString &text) const;

    std::vector<FilterCriterion> m_criteria;
    std::vector<Value> m_values;
    AmountFormat m_format;
};

} // namespace zelk
