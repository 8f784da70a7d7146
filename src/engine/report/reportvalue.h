#pragma once
// How field values, totals, page numbers and dates are written on a report.
#include "reportelement.h"

#include <QVariant>

namespace zelk {

// Text: strings as they are, dates as dd-MM-yyyy, whole numbers without decimals.
// Number: ",0.00" in the current amount format. Currency: "€ 1,234.50".
// ShortDate: dd-MM-yyyy. Integer: rounded to a whole number. Null values print as nothing.
QString formatReportValue(const QVariant &value, ValueFormat format);

} // namespace zelk
