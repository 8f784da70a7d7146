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
    // Any double may be shown: none shows as "-0.00", one that is no number as "ongeldig".
    // Whether the amount shows with a minus sign (red on screens): -0.001 does not.
    static bool isNegative(double amount);
    // Reads "[+-]digits[<decimal>digits][e[+-]digits]" after removing every blank; an
    // empty text is 0. Anything else (thousands separators included) gives nullopt. A number
    // too large for a double gives an infinity: check amounts with cents::isValid.
    std::optional<double> parse(const QString &text) const;
};

} // namespace zelk
