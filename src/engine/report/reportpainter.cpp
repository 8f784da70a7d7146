#include "reportpainter.h"

#include "richtext.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QTextLayout>
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
    // by style index: painted text -> its line, shaped once; a long list repeats its
    // dates, account names and amounts, and shaping is most of what drawing a text costs
    std::vector<QHash<QString, std::shared_ptr<QTextLayout>>> lines;
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
          m_lines(measures.lines),
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
            m_lines.resize(item.style + 1);
        }
        std::optional<QFont> &font = m_fonts[item.style];
        if (!font) {
            font = style.font();
            font->setPointSizeF(style.pointSize * unit / m_unit); // drawn scaled down by m_textTransform
            m_metrics[item.style].emplace(*font, m_painter.device());
        }
        // The layout has cut a text too wide for its box; should this device still measure
        // it a hair wider, it is cut again here, so that no text ever runs out of its box.
        if (item.shownText().isEmpty())
            return;
        const QTextLayout *line = &lineOf(item.style, *font, item.shownText());
        if (line->lineAt(0).naturalTextWidth() > rect.width() + 0.01)
            line = &lineOf(item.style, *font, elideToWidth(*m_metrics[item.style], item.text, rect.width()));
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
        drawLine(*line, rect, style.align);
    }

    const QTextLayout &lineOf(int style, const QFont &font, const QString &text)
    {
        QHash<QString, std::shared_ptr<QTextLayout>> &lines = m_lines[style];
        if (const auto known = lines.constFind(text); known != lines.cend())
            return **known;
        if (lines.size() >= 4096)
            lines.clear();
        QString single = text;
        single.replace(u'\n', u' ').replace(QChar::LineSeparator, u' ');
        auto layout = std::make_shared<QTextLayout>(single, font, m_painter.device());
        layout->setCacheEnabled(true);
        layout->beginLayout();
        QTextLine line = layout->createLine();
        line.setLineWidth(1e7); // one line, never wrapped
        layout->endLayout();
        return *lines.insert(text, std::move(layout)).value();
    }

    // Places the line in its box as QPainter::drawText does with the same alignment.
    void drawLine(const QTextLayout &layout, const QRectF &rect, Qt::Alignment align)
    {
        const QTextLine line = layout.lineAt(0);
        QPointF at = rect.topLeft();
        if (align & Qt::AlignRight)
            at.rx() += rect.width() - line.horizontalAdvance();
        else if (align & Qt::AlignHCenter)
            at.rx() += (rect.width() - line.horizontalAdvance()) / 2;
        if (align & Qt::AlignBottom)
            at.ry() += rect.height() - line.height();
        else if (align & Qt::AlignVCenter)
            at.ry() += (rect.height() - line.height()) / 2;
        line.draw(&m_painter, at);
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
    std::vector<QHash<QString, std::shared_ptr<QTextLayout>>> &m_lines;
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
