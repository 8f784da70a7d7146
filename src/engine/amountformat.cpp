#include "amountformat.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

namespace zelk {

AmountFormat &AmountFormat::current()
{
    static AmountFormat format;
    return format;
}

void AmountFormat::applyDutch(bool dutch)
{
    current().thousands = dutch ? u'.' : u',';
    current().decimal = dutch ? u',' : u'.';
}

namespace {
// An amount split for showing: sign, whole units and cents, rounded half away from zero
// (0.005 shows as 0.01, -0.005 as -0.01). Safe for any double: a value too large for whole
// cents shows its whole units, and a value that is no number shows as "ongeldig".
struct Shown {
    bool valid = true;
    bool negative = false;
    QString whole;
    int cents = 0;
};

Shown split(double amount)
{
    Shown shown;
    if (!std::isfinite(amount)) {
        shown.valid = false;
        return shown;
    }
    const double scaled = std::round(std::fabs(amount) * 100.0);
    if (scaled < 9e15) {
        const auto all = static_cast<qint64>(scaled);
        shown.whole = QString::number(all / 100);
        shown.cents = static_cast<int>(all % 100);
    } else {
        shown.whole = QString::number(std::floor(std::fabs(amount)), 'f', 0);
    }
    // Nothing ever shows as "-0.00".
    shown.negative = amount < 0 && (shown.cents != 0 || shown.whole != QLatin1String("0"));
    return shown;
}

const QString invalidText = QStringLiteral("ongeldig");
} // namespace

QString AmountFormat::plain(double amount) const
{
    const Shown shown = split(amount);
    if (!shown.valid)
        return invalidText;
    return (shown.negative ? QStringLiteral("-") : QString()) + shown.whole + decimal
        + QStringLiteral("%1").arg(shown.cents, 2, 10, QChar(u'0'));
}

QString AmountFormat::display(double amount) const
{
    const Shown shown = split(amount);
    if (!shown.valid)
        return invalidText;
    QString digits = shown.whole;
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, thousands);
    return (shown.negative ? QStringLiteral("-") : QString()) + digits + decimal
        + QStringLiteral("%1").arg(shown.cents, 2, 10, QChar(u'0'));
}

QString AmountFormat::currency(double amount) const
{
    const Shown shown = split(amount);
    if (!shown.valid)
        return invalidText;
    return (shown.negative ? QStringLiteral("-€ ") : QStringLiteral("€ ")) + display(std::fabs(amount));
}

bool AmountFormat::isNegative(double amount)
{
    return split(amount).negative;
}

std::optional<double> AmountFormat::parse(const QString &text) const
{
    QString compact = text;
    compact.remove(QRegularExpression(QStringLiteral("\\s")));
    if (compact.isEmpty())
        return 0.0;
    const QString dec = QRegularExpression::escape(QString(decimal));
    static thread_local QHash<QChar, QRegularExpression> patterns;
    auto it = patterns.find(decimal);
    if (it == patterns.end())
        it = patterns.insert(decimal, QRegularExpression(QStringLiteral("^[+-]?(\\d+(%1\\d*)?|%1\\d+)([eE][+-]?\\d+)?$").arg(dec)));
    if (!it->match(compact).hasMatch())
        return std::nullopt;
    compact.replace(decimal, u'.');
    // strtod reads a number too large for a double as an infinity, which the callers
    // refuse with a message instead of reading it as 0.
    const QByteArray latin = compact.toLatin1();
    return std::strtod(latin.constData(), nullptr);
}

} // namespace zelk
