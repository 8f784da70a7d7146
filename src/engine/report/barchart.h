#pragma once
// A labelled bar chart that can stand on a report page: one series of bars in one colour,
// a value axis at the left, names written upwards under the bars, and a legend with each
// bar's share of the total.
#include <QColor>
#include <QPainter>
#include <QString>
#include <vector>

namespace zelk {

struct BarChart {
    struct Bar {
        QString label;
        double value = 0.0;
    };
    QString title;
    QColor barColor = QColor(0, 0, 210);
    std::vector<Bar> bars;

    void clear() { bars.clear(); }
    void add(const QString &label, double value) { bars.push_back({label, value}); }
    // The bar's share of the sum of all bar values, in percent; 0 when that sum is 0.
    double sharePercent(std::size_t index) const;
};

// A share as the legend shows it, "##0,## %": up to two decimals in the program's decimal
// separator, e.g. "12,5 %" under the Dutch setting, "100 %".
QString percentText(double percent);

// Paints the chart into rect (device units); unitsPerMm converts the chart's millimetre
// sizes (fonts, gaps) to those units.
void paintBarChart(QPainter &painter, const QRectF &rect, const BarChart &chart, double unitsPerMm);

} // namespace zelk
