#include "barchart.h"

#include "amountformat.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace zelk {

double BarChart::sharePercent(std::size_t index) const
{
    double sum = 0;
    for (const Bar &bar : bars)
        sum += bar.value;
    if (sum == 0 || index >= bars.size())
        return 0;
    return bars[index].value / sum * 100.0;
}

QString percentText(double percent)
{
    QString text = QString::number(percent, 'f', 2);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    text.replace(u'.', AmountFormat::current().decimal);
    return text + QStringLiteral(" %");
}

namespace {

// A step of 1, 2 or 5 times a power of ten that splits `range` into about five parts.
double niceStep(double range)
{
    const double rough = range / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10.0 * power;
}

QFont chartFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A bar drawn as an upright cylinder seen slightly from above.
void paintCylinder(QPainter &painter, const QRectF &body, const QColor &colour)
{
    const double capHeight = body.width() * 0.3;
    QLinearGradient shade(body.left(), 0, body.right(), 0);
    shade.setColorAt(0.0, colour.darker(160));
    shade.setColorAt(0.4, colour.lighter(130));
    shade.setColorAt(1.0, colour.darker(180));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRect(body);
    painter.drawEllipse(QRectF(body.left(), body.bottom() - capHeight / 2, body.width(), capHeight));
    painter.setBrush(colour.lighter(115));
    painter.setPen(QPen(colour.darker(150), 0));
    painter.drawEllipse(QRectF(body.left(), body.top() - capHeight / 2, body.width(), capHeight));
}

} // namespace

void paintBarChart(QPainter &painter, const QRectF &rect, const BarChart &chart, double unitsPerMm)
{
    const double mm = unitsPerMm;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);

    // Title: bold and framed, centred at the top.
    const QFont titleFont = chartFont(11, true);
    painter.setFont(titleFont);
    const QFontMetricsF titleMetrics(titleFont, painter.device());
    const double titleWidth = titleMetrics.horizontalAdvance(chart.title) + 4 * mm;
    const QRectF titleRect(rect.center().x() - titleWidth / 2, rect.top() + 1 * mm, titleWidth, 7 * mm);
    painter.setPen(QPen(Qt::black, 0.25 * mm));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(titleRect);
    painter.drawText(titleRect, Qt::AlignCenter, chart.title);

    const QFont smallFont = chartFont(7);
    painter.setFont(smallFont);
    const double lineHeight = QFontMetricsF(smallFont, painter.device()).height();

    // Legend at the right: each bar's name with its share of the total.
    const double legendWidth = std::min(60 * mm, rect.width() * 0.32);
    const QRectF legend(rect.right() - legendWidth, titleRect.bottom() + 3 * mm, legendWidth - 1 * mm,
                        lineHeight * chart.bars.size() + 2 * mm);
    if (!chart.bars.empty()) {
        painter.setPen(QPen(Qt::gray, 0.2 * mm));
        painter.drawRect(legend);
        for (std::size_t i = 0; i < chart.bars.size(); ++i) {
            const QRectF row(legend.left() + 4 * mm, legend.top() + 1 * mm + i * lineHeight, legend.width() - 5 * mm, lineHeight);
            painter.fillRect(QRectF(legend.left() + 1 * mm, row.center().y() - 1 * mm, 2 * mm, 2 * mm), chart.barColor);
            painter.setPen(Qt::black);
            const QString share = percentText(chart.sharePercent(i));
            const QFontMetricsF metrics(smallFont, painter.device());
            const double room = row.width() - metrics.horizontalAdvance(share) - 1 * mm; // the name never runs into its share
            painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(chart.bars[i].label, Qt::ElideRight, room));
            painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, share);
        }
    }

    // Plot area: value axis at the left, room for upright names below. The plot is seen
    // slightly from above and the left: its back wall stands `depth` behind the front, up and
    // to the right, and the bars stand halfway between.
    const double axisWidth = 16 * mm;
    const double labelHeight = std::min(40 * mm, rect.height() * 0.35);
    const double depth = 3 * mm;
    const QRectF plot(rect.left() + axisWidth, titleRect.bottom() + 4 * mm + depth, rect.width() - axisWidth - legendWidth - 3 * mm - depth,
                      rect.bottom() - labelHeight - titleRect.bottom() - 5 * mm - depth);
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    double low = 0, high = 0;
    for (const auto &bar : chart.bars) {
        low = std::min(low, bar.value);
        high = std::max(high, bar.value);
    }
    if (high == low)
        high = low + 1;
    const double step = niceStep(high - low);
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;
    auto yOf = [&](double value) { return plot.bottom() - (value - low) / (high - low) * plot.height(); };
    const QPointF back(depth, -depth);

    // The back wall and the left side wall, lightly shaded, and the floor at the zero line.
    const QRectF wall = plot.translated(back);
    painter.setPen(QPen(QColor(170, 170, 170), 0.15 * mm));
    painter.setBrush(QColor(248, 248, 248));
    painter.drawRect(wall);
    painter.setBrush(QColor(232, 232, 232));
    painter.drawPolygon(QPolygonF({plot.topLeft(), plot.topLeft() + back, plot.bottomLeft() + back, plot.bottomLeft()}));
    const double zero = yOf(0);
    painter.setBrush(QColor(222, 222, 222));
    painter.drawPolygon(QPolygonF(
        {QPointF(plot.left(), zero), QPointF(plot.right(), zero), QPointF(plot.right(), zero) + back, QPointF(plot.left(), zero) + back}));
    painter.setBrush(Qt::NoBrush);

    const AmountFormat &format = AmountFormat::current();
    // A chart without bars marks its zero line only.
    const double lastMark = chart.bars.empty() ? low : high;
    for (double v = low; v <= lastMark + step / 2; v += step) {
        const double y = yOf(v);
        painter.setPen(QPen(QColor(200, 200, 200), 0.15 * mm));
        painter.drawPolyline(QPolygonF({QPointF(plot.left(), y), QPointF(plot.left(), y) + back, QPointF(wall.right(), y - depth)}));
        painter.setPen(Qt::black);
        const QString mark = step < 1 ? format.display(v) : format.display(v).chopped(3); // whole steps without cents
        painter.drawText(QRectF(rect.left(), y - lineHeight / 2, axisWidth - 2 * mm, lineHeight), Qt::AlignRight | Qt::AlignVCenter, mark);
    }
    painter.setPen(QPen(Qt::black, 0.25 * mm));
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));

    const double slot = chart.bars.empty() ? 0 : plot.width() / chart.bars.size();
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const BarChart::Bar &bar = chart.bars[i];
        const double centre = plot.left() + slot * (i + 0.5);
        const double width = std::min(slot * 0.6, 12 * mm);
        const double top = yOf(std::max(0.0, bar.value));
        const double bottom = yOf(std::min(0.0, bar.value));
        paintCylinder(painter, QRectF(centre - width / 2, top, width, bottom - top).translated(back / 2), chart.barColor);

        // The name under the bar, written upwards.
        painter.save();
        painter.translate(centre, plot.bottom() + 1.5 * mm);
        painter.rotate(270);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(-labelHeight, -lineHeight / 2, labelHeight, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                         QFontMetricsF(smallFont, painter.device()).elidedText(bar.label, Qt::ElideRight, labelHeight));
        painter.restore();
    }
    painter.restore();
}

} // namespace zelk
