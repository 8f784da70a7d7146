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

} // namespace zelk
