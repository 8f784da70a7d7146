#include "reportvalue.h"

#include "amountformat.h"
#include "report.h"

#include <cmath>

namespace zelk {

namespace {
QString asText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return shortDate(value.toDate());
    case QMetaType::QDateTime:
        return shortDate(value.toDateTime().date());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 1e15)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    }
    default:
        return value.toString();
    }
}
} // namespace

QString formatReportValue(const QVariant &value, ValueFormat format)
{
    if (value.isNull())
        return {};
    switch (format) {
    case ValueFormat::Text:
        return asText(value);
    case ValueFormat::Number:
        return AmountFormat::current().display(value.toDouble());
    case ValueFormat::Currency:
        return AmountFormat::current().currency(value.toDouble());
    case ValueFormat::ShortDate:
        if (value.canConvert<QDate>() && value.toDate().isValid())
            return shortDate(value.toDate());
        return value.toString();
    case ValueFormat::Integer:
        return QString::number(std::llround(value.toDouble()));
    }
    return {};
}

} // namespace zelk
