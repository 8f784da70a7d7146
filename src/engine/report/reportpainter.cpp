#include "reportpainter.h"

#include "richtext.h"

#include <QPaintDevice>
#include <optional>

namespace zelk {

namespace {
QFont fontOf(const TextStyle &style)
{
    QFont font = style.font();
    // Unhinted glyphs scale evenly, so a zoomed preview matches the printed page.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPen penOf(const PageItem &item, double unit)
{
    if (qAlpha(item.pen) == 0)
        return Qt::NoPen;
    QPen pen(QColor::fromRgba(item.pen), std::max(0.05, double(item.penWidth)) * unit);
    pen.setStyle(item.lineStyle == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

class PagePainter {
public:
    PagePainter(QPainter &painter, const ReportDocument &document, double unit)
        : m_painter(painter), m_store(document.store()), m_unit(unit), m_fonts(m_store.styles.size())
    {
    }

    void paint(const PageItem &item)
    {
        const QRectF rect(item.x * m_unit, item.y * m_unit, item.w * m_unit, item.h * m_unit);
        switch (item.kind) {
        case ItemKind::Text:
            paintText(item, rect);
            break;
        case ItemKind::Line:
            m_painter.setPen(penOf(item, m_unit));
            m_painter.drawLine(rect.topLeft(), rect.bottomRight());
            break;
        case ItemKind::Box:
            m_painter.setPen(penOf(item, m_unit));
            m_painter.setBrush(qAlpha(item.fill) ? QBrush(QColor::fromRgba(item.fill)) : QBrush(Qt::NoBrush));
            m_painter.drawRect(rect);
            break;
        case ItemKind::Picture:
            paintPicture(item, rect);
            break;
        case ItemKind::RichText: {
            const RichTextResource &text = m_store.richTexts.at(item.resource);
            paintDocumentSlice(m_painter, *text.document, rect.topLeft(), item.offset, item.h, text.widthMm, m_unit);
            break;
        }
        case ItemKind::Chart:
            paintBarChart(m_painter, rect, m_store.charts.at(item.resource), m_unit);
            break;
        }
    }

private:
    void paintText(const PageItem &item, const QRectF &rect)
    {
        const TextStyle &style = m_store.styles.at(item.style);
        std::optional<QFont> &font = m_fonts[item.style];
        if (!font)
            font = fontOf(style);
        m_painter.setFont(*font);
        m_painter.setPen(style.color);
        m_painter.drawText(rect, int(style.align) | Qt::TextDontClip | Qt::TextSingleLine, item.text);
    }

    void paintPicture(const PageItem &item, const QRectF &rect)
    {
        const QImage &picture = m_store.pictures.at(item.resource);
        if (item.flags & PageItem::Scaled) {
            m_painter.drawImage(rect, picture);
            return;
        }
        const QSizeF natural = naturalSizeMm(picture); // the part of the picture that fits its place
        const QRectF source(0, 0, picture.width() * item.w / natural.width(), picture.height() * item.h / natural.height());
        m_painter.drawImage(rect, picture, source);
    }

    QPainter &m_painter;
    const PageStore &m_store;
    double m_unit;
    std::vector<std::optional<QFont>> m_fonts;
};
} // namespace

void paintReportPage(QPainter &painter, const ReportDocument &document, const ReportPage &page, double pixelsPerMm)
{
    // Items are drawn in the device's own units at natural size, so that point-sized fonts
    // come out right; the scale then zooms everything alike.
    const double unit = painter.device()->logicalDpiX() / 25.4;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(pixelsPerMm / unit, pixelsPerMm / unit);
    PagePainter pagePainter(painter, document, unit);
    for (const PageItem &item : page.items)
        pagePainter.paint(item);
    painter.restore();
}

QImage renderReportPage(const ReportDocument &document, const ReportPage &page, double pixelsPerMm)
{
    const QSizeF paper = document.pageSetup().paperSize();
    QImage image(qRound(paper.width() * pixelsPerMm), qRound(paper.height() * pixelsPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintReportPage(painter, document, page, pixelsPerMm);
    return image;
}

} // namespace zelk
