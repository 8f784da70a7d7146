#pragma once
// A laid-out page: positioned items in millimetres from the paper's top-left corner.
// Items refer to the document's shared styles, pictures, rich texts and charts by index,
// so a page of a long list costs little more than its texts.
#include "reportband.h"

#include <QRectF>
#include <QRgb>
#include <QString>
#include <vector>

namespace zelk {

enum class ItemKind : quint8 { Text, Line, Box, Picture, RichText, Chart };

struct PageItem {
    enum Flag : quint8 {
        PageNumber = 1, // a text that the layout fills with the number of the page it lands on
        Scaled = 2,     // a picture stretched to its rectangle instead of shown at natural size
        Elided = 4,     // a text too wide for its box: the page shows `elided` instead of `text`
    };
    ItemKind kind = ItemKind::Text;
    BandKind band = BandKind::Detail; // the band it came from (exports use it)
    LineStyle lineStyle = LineStyle::Solid;
    quint8 flags = 0;                 // PageItem::PageNumber, PageItem::Scaled, PageItem::Elided
    quint16 style = 0;                // Text: index into ReportDocument::styles()
    int resource = -1;                // Picture, RichText, Chart: index of the resource
    float x = 0, y = 0, w = 0, h = 0; // mm; a line runs from (x, y) to (x + w, y + h)
    float offset = 0;                 // RichText: mm into the document where this slice starts
    float penWidth = 0;               // mm
    QRgb pen = 0;                     // alpha 0: no border
    QRgb fill = 0;                    // alpha 0: not filled
    QString text;                     // the whole value: what CSV and HTML write
    QString elided;                   // Elided: the text cut at the box's right edge with "…", as painted

    QRectF rect() const { return QRectF(x, y, w, h); }
    // What the page shows of a text: the whole text, or its cut form when it is too wide.
    const QString &shownText() const { return (flags & Elided) ? elided : text; }
};

struct ReportPage {
    int number = 0; // 1 for the first page
    std::vector<PageItem> items;
};

} // namespace zelk
