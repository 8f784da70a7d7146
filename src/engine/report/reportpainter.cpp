#include "reportpainter.h"

#include "richtext.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QTransform>
#include <optional>

namespace zelk {

namespace {
QPen penOf(const PageItem &item, double unit)
{
    if (qAlpha(item.pen) == 0)
        return Qt::NoPen;
    QPen pen(QColor::fromRgba(item.pen), std::max(0.05, double(item.penWidth)) * unit);
    pen.setStyle(item.lineStyle == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

} // namespace

// What painting measures, kept from page to page on the same painter.
struct ReportPagePainter::Measures {
    std::vector<std::optional<QFont>> fonts;           // by style index
    std::vector<std::optional<QFontMetricsF>> metrics; // by style index
    std::vector<QHash<QString, qreal>> widths;         // by style index: text -> width
};

namespace {
class PagePainter {
public:
    PagePainter(QPainter &painter, const ReportDocument &document, double unit, ReportPagePainter::Measures &measures)
        : m_painter(painter),
          m_store(document.store()),
          m_unit(unit),
          m_fonts(measures.fonts),
          m_metrics(measures.metrics),
          m_widths(measures.widths),
          m_pageTransform(painter.worldTransform()),
          m_textTransform(QTransform::fromScale(unit / richTextUnitsPerMm(), unit / richTextUnitsPerMm()) * m_pageTransform)
    {
    }

    void paint(const PageItem &item)
    {
        const QRectF rect(item.x * m_unit, item.y * m_unit, item.w * m_unit, item.h * m_unit);
        if (item.kind != ItemKind::Text)
            leaveTexts();
        switch (item.kind) {
        case ItemKind::Text:
            paintText(item);
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

    // Back to millimetres after a run of texts, and the next text sets its font and pen again.
    void leaveTexts()
    {
        if (m_inTexts)
            m_painter.setWorldTransform(m_pageTransform);
        m_inTexts = false;
        m_style = -1;
    }

private:
    // Texts are drawn at the resolution the layout measured them with: a font engine rounds
    // a font's size to whole pixels of the device, which would make a text a few per cent
    // wider or narrower on screen than on paper.
    void paintText(const PageItem &item)
    {
        const double unit = richTextUnitsPerMm();
        const QRectF rect(item.x * unit, item.y * unit, item.w * unit, item.h * unit);
        const TextStyle &style = m_store.styles.at(item.style);
        if (m_fonts.size() <= item.style) {
            m_fonts.resize(item.style + 1);
            m_metrics.resize(item.style + 1);
            m_widths.resize(item.style + 1);
        }
        std::optional<QFont> &font = m_fonts[item.style];
        if (!font) {
            font = style.font();
            font->setPointSizeF(style.pointSize * unit / m_unit); // drawn scaled down by m_textTransform
            m_metrics[item.style].emplace(*font, m_painter.device());
        }
        // The layout has cut a text too wide for its box; should this device still measure
        // it a hair wider, it is cut again here, so that no text ever runs out of its box.
        const QFontMetricsF &metrics = *m_metrics[item.style];
        const QString &shown = item.shownText();
        QHash<QString, qreal> &widths = m_widths[item.style];
        auto known = widths.constFind(shown);
        if (known == widths.cend()) {
            if (widths.size() >= 4096)
                widths.clear();
            known = widths.insert(shown, metrics.horizontalAdvance(shown));
        }
        const QString painted = *known <= rect.width() + 0.01 ? shown : elideToWidth(metrics, item.text, rect.width());
        // A run of texts shares the transformation, and texts of one style the font and
        // pen: a PDF then does not repeat them for every text.
        if (!m_inTexts)
            m_painter.setWorldTransform(m_textTransform);
        m_inTexts = true;
        if (m_style != item.style) {
            m_painter.setFont(*font);
            m_painter.setPen(style.color);
            m_style = item.style;
        }
        m_painter.drawText(rect, int(style.align) | Qt::TextDontClip | Qt::TextSingleLine, painted);
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
    std::vector<std::optional<QFont>> &m_fonts;
    std::vector<std::optional<QFontMetricsF>> &m_metrics;
    std::vector<QHash<QString, qreal>> &m_widths;
    QTransform m_pageTransform; // millimetres at m_unit device units each
    QTransform m_textTransform; // millimetres at richTextUnitsPerMm() units each
    bool m_inTexts = false;     // the painter has m_textTransform
    int m_style = -1;           // the style whose font and pen the painter has
};
} // namespace

ReportPagePainter::ReportPagePainter(QPainter &painter, const ReportDocument &document)
    : m_painter(painter), m_document(document), m_measures(std::make_unique<Measures>())
{
}

ReportPagePainter::~ReportPagePainter() = default;

void ReportPagePainter::paint(const ReportPage &page, double pixelsPerMm)
{
    QPainter &painter = m_painter;
    const ReportDocument &document = m_document;
    // Items are drawn in the device's own units at natural size, so that point-sized fonts
    // come out right; the scale then zooms everything alike.
    const double unit = painter.device()->logicalDpiX() / 25.4;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(pixelsPerMm / unit, pixelsPerMm / unit);
    PagePainter pagePainter(painter, document, unit, *m_measures);
    for (const PageItem &item : page.items)
        pagePainter.paint(item);
    pagePainter.leaveTexts();
    painter.restore();
}

void paintReportPage(QPainter &painter, const ReportDocument &document, const ReportPage &page, double pixelsPerMm)
{
    ReportPagePainter(painter, document).paint(page, pixelsPerMm);
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
