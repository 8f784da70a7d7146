#include "cents.h"

#include "amountformat.h"
#include "zelkerror.h"

#include <cmath>

namespace zelk::cents {

bool isValid(double amount)
{
    return std::isfinite(amount) && std::fabs(amount) < limit;
}

qint64 of(double amount)
{
    return std::llround(amount * 100.0);
}

double amount(qint64 cents)
{
    return cents == 0 ? 0.0 : static_cast<double>(cents) / 100.0;
}

double rounded(double value)
{
    return amount(of(value));
}

QString invalidMessage(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("Dit is geen geldig bedrag. Geef een bedrag in cijfers, bijvoorbeeld %1.")
            .arg(AmountFormat::current().plain(12.5));
    return QStringLiteral("Het bedrag %1 is te groot. Een bedrag moet kleiner zijn dan %2.")
        .arg(AmountFormat::current().display(value), AmountFormat::current().display(limit));
}

double checked(double value)
{
    if (!isValid(value))
        throw Error(invalidMessage(value));
    return rounded(value);
}

} // namespace zelk::cents
