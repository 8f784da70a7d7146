#pragma once
// One element of a report band: a label, a data field, a page number, the print date, a
// running total, a line, a box, a picture, a stretching rich-text area or a bar chart.
// Positions are millimetres relative to the band's top-left corner (x from the left margin).
#include "barchart.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <memory>

class QFontMetricsF;
class QTextDocument;

namespace zelk {

enum class ElementKind : quint8 { Label, Field, PageNumber, PrintDate, Total, Line, Box, Picture, RichText, Chart };

// How a field or total is written: as its text, as ",0.00", as a currency amount, as a short date.
enum class ValueFormat : quint8 { Text, Number, Currency, ShortDate, Integer };

enum class LineStyle : quint8 { Solid, Dotted };

// Font, colour and alignment of a text element. Reports use Arial (metric-compatible
// substitutes on this platform) unless told otherwise.
struct TextStyle {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;

    bool operator==(const TextStyle &other) const = default;
    // The font, unhinted: glyphs scale evenly, so widths measured at one resolution hold
    // on screen, on paper and in PDF alike.
    QFont font() const;
    // The printed width of `text` in this style, in mm.
    double widthMm(const QString &text) const;
    // `text` as it fits a box `widthMm` wide in this style (see elideToWidth).
    QString fitted(const QString &text, double widthMm) const;

    // Small builders so that report definitions read as one line per element.
    TextStyle withSize(double size) const
    {
        TextStyle s = *this;
        s.pointSize = size;
        return s;
    }
    TextStyle withBold(bool on = true) const
    {
        TextStyle s = *this;
        s.bold = on;
        return s;
    }
    TextStyle withItalic(bool on = true) const
    {
        TextStyle s = *this;
        s.italic = on;
        return s;
    }
    TextStyle withColor(const QColor &c) const
    {
        TextStyle s = *this;
        s.color = c;
        return s;
    }
    TextStyle rightAligned() const
    {
        TextStyle s = *this;
        s.align = Qt::AlignRight | Qt::AlignVCenter;
        return s;
    }
    TextStyle centred() const
    {
        TextStyle s = *this;
        s.align = Qt::AlignHCenter | Qt::AlignVCenter;
        return s;
    }
};

struct ReportElement {
    ElementKind kind = ElementKind::Label;
    QString name;
    QRectF rect;  // mm; a line runs from rect.topLeft() to rect.bottomRight(); a text without
                  // a width has the room up to the right margin, and is cut with "…" at its box
    QString text; // label caption, field name (Field) or total name (Total)
    ValueFormat format = ValueFormat::Text;
    TextStyle style;
    bool visible = true;

    QColor pen = Qt::black; // lines and box borders; invalid means no border
    QColor fill;            // box fill; invalid means not filled
    double penWidth = 0.2;  // mm
    LineStyle lineStyle = LineStyle::Solid;

    QImage picture; // natural size (see naturalSizeMm), clipped to rect, unless scaled
    bool scaled = false;

    std::shared_ptr<QTextDocument> document; // rich text: the band stretches to show all of it
    std::shared_ptr<BarChart> chart;

    int fieldIndex = -1; // resolved by the layout for Field elements
};

// `text` when it is at most `room` wide as `metrics` measure it; otherwise its longest
// start (whole characters, blanks at the cut dropped) followed by "…" that fits, or an
// empty text when not even "…" fits.
QString elideToWidth(const QFontMetricsF &metrics, const QString &text, qreal room);

// A picture's natural size: its pixels at the resolution stored in the picture (96 dots
// per inch when it stores none).
QSizeF naturalSizeMm(const QImage &picture);

} // namespace zelk
