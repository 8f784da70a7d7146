#pragma once
// The program-wide amount format: which separators amounts are shown and read with.
// Default: thousands "," and decimal "."; the Dutch setting swaps them.
#include <QString>
#include <optional>

namespace zelk {

class AmountFormat {
public:
    QChar thousands = u',';
    QChar decimal = u'.';

    static AmountFormat &current();
    static void applyDutch(bool dutch);
    bool isDutch() const { return decimal == u','; }

    // ",0.00": thousands separators and two decimals, e.g. 1,234.50 or -0.20.
    QString display(double amount) const;
    // Two decimals without thousands separators, e.g. 1234.50 (what an amount field edits).
    QString plain(double amount) const;
    // The currency format of report totals: "€ 1,234.50", "-€ 1,234.50".
    QString currency(double amount) const;
    // Reads "[+-]digits[<decimal>digits][e[+-]digits]" after removing every blank; an
    // empty text is 0. Anything else (thousands separators included) gives nullopt.
    std::optional<double> parse(const QString &text) const;
};

} // namespace zelk
