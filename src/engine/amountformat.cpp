#include "amountformat.h"

#include <QRegularExpression>
#include <cmath>

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
// Rounds half away from zero to cents, so 0.005 shows as 0.01 and -0.005 as -0.01.
qint64 toCents(double amount)
{
    return static_cast<qint64>(std::llround(amount * 100.0));
}
} // namespace

QString AmountFormat::plain(double amount) const
{
    const qint64 cents = toCents(amount);
    const qint64 whole = std::llabs(cents) / 100;
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    return sign + QString::number(whole) + decimal + QStringLiteral("%1").arg(std::llabs(cents) % 100, 2, 10, QChar(u'0'));
}

QString AmountFormat::display(double amount) const
{
    const qint64 cents = toCents(amount);
    QString digits = QString::number(std::llabs(cents) / 100);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, thousands);
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    return sign + digits + decimal + QStringLiteral("%1").arg(std::llabs(cents) % 100, 2, 10, QChar(u'0'));
}

QString AmountFormat::currency(double amount) const
{
    const QString number = display(std::fabs(amount));
    return (toCents(amount) < 0 ? QStringLiteral("-€ ") : QStringLiteral("€ ")) + number;
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
        it = patterns.insert(decimal, QRegularExpression(
            QStringLiteral("^[+-]?(\\d+(%1\\d*)?|%1\\d+)([eE][+-]?\\d+)?$").arg(dec)));
    if (!it->match(compact).hasMatch())
        return std::nullopt;
    compact.replace(decimal, u'.');
    bool ok = false;
    const double value = compact.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace zelk
