#include "reportelement.h"

#include "richtext.h"

#include <QFontMetricsF>

namespace zelk {

QFont TextStyle::font() const
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

double TextStyle::widthMm(const QString &text) const
{
    return QFontMetricsF(font(), measuringDevice()).horizontalAdvance(text) / richTextUnitsPerMm();
}

QSizeF naturalSizeMm(const QImage &picture)
{
    constexpr double screenDotsPerMeter = 96 / 0.0254;
    const double x = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : screenDotsPerMeter;
    const double y = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : screenDotsPerMeter;
    return QSizeF(picture.width() * 1000.0 / x, picture.height() * 1000.0 / y);
}

} // namespace zelk
