#include "reportelement.h"

#include "richtext.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <vector>

namespace zelk {

QFont TextStyle::font() const
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double TextStyle::widthMm(const QString &text) const
{
    return QFontMetricsF(font(), measuringDevice()).horizontalAdvance(text) / richTextUnitsPerMm();
}

QString TextStyle::fitted(const QString &text, double widthMm) const
{
    return elideToWidth(QFontMetricsF(font(), measuringDevice()), text, widthMm * richTextUnitsPerMm());
}

QString elideToWidth(const QFontMetricsF &metrics, const QString &text, qreal room)
{
    if (metrics.horizontalAdvance(text) <= room)
        return text;
    const QString ellipsis(QChar(0x2026));
    // Cut only between whole characters (a letter and its accents stay together).
    std::vector<qsizetype> cuts;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = characters.toNextBoundary(); at > 0 && at < text.size(); at = characters.toNextBoundary())
        cuts.push_back(at);
    auto cutAt = [&](std::size_t index) {
        QString start = text.left(cuts[index]);
        while (!start.isEmpty() && start.back().isSpace())
            start.chop(1);
        return start + ellipsis;
    };
    // The widths of the cut texts grow with the cut: find the last one that fits.
    std::size_t fitting = 0, tooWide = cuts.size();
    while (fitting < tooWide) {
        const std::size_t middle = (fitting + tooWide) / 2;
        if (metrics.horizontalAdvance(cutAt(middle)) <= room)
            fitting = middle + 1;
        else
            tooWide = middle;
    }
    if (fitting > 0)
        return cutAt(fitting - 1);
    return metrics.horizontalAdvance(ellipsis) <= room ? ellipsis : QString();
}

QSizeF naturalSizeMm(const QImage &picture)
{
    constexpr double screenDotsPerMeter = 96 / 0.0254;
    const double x = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : screenDotsPerMeter;
    const double y = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : screenDotsPerMeter;
    return QSizeF(picture.width() * 1000.0 / x, picture.height() * 1000.0 / y);
}

} // namespace zelk
