#include "richtext.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

namespace zelk {

namespace {
// A multiple of 72: every whole point size is then a whole number of pixels, which the font
// engine would otherwise round, so texts measure exactly their size in the font.
constexpr double LayoutDpi = 720.0;

} // namespace

QPaintDevice *measuringDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(LayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

double richTextUnitsPerMm()
{
    return LayoutDpi / 25.4;
}

std::shared_ptr<QTextDocument> layoutCopy(const QTextDocument &source, double widthMm)
{
    std::shared_ptr<QTextDocument> copy(source.clone());
    copy->documentLayout()->setPaintDevice(measuringDevice());
    copy->setDocumentMargin(0);
    copy->setTextWidth(widthMm * richTextUnitsPerMm());
    return copy;
}

double documentHeightMm(const QTextDocument &document)
{
    return document.documentLayout()->documentSize().height() / richTextUnitsPerMm();
}

std::vector<RichTextLine> documentLines(const QTextDocument &document)
{
    std::vector<RichTextLine> lines;
    const double unit = richTextUnitsPerMm();
    auto *layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF blockRect = layout->blockBoundingRect(block);
        const QTextLayout *textLayout = block.layout();
        if (!textLayout)
            continue;
        const QString text = block.text();
        for (int i = 0; i < textLayout->lineCount(); ++i) {
            const QTextLine line = textLayout->lineAt(i);
            RichTextLine out;
            out.top = (blockRect.top() + line.y()) / unit;
            out.height = line.height() / unit;
            out.left = (blockRect.left() + line.x()) / unit;
            out.text = text.mid(line.textStart(), line.textLength()).trimmed();
            lines.push_back(std::move(out));
        }
    }
    return lines;
}

double cutBetweenLines(const std::vector<RichTextLine> &lines, double from, double room)
{
    constexpr double slack = 0.01; // rounding of the layout
    double best = -1;
    for (const RichTextLine &line : lines) {
        const double bottom = line.top + line.height;
        if (bottom > from + slack && bottom <= from + room + slack && bottom > best)
            best = bottom;
    }
    return best > 0 ? best : from + room;
}

void paintDocumentSlice(QPainter &painter, const QTextDocument &document, const QPointF &topLeft, double offsetMm, double heightMm,
                        double widthMm, double unitsPerMm)
{
    const double unit = richTextUnitsPerMm();
    painter.save();
    painter.translate(topLeft);
    painter.scale(unitsPerMm / unit, unitsPerMm / unit);
    painter.translate(0, -offsetMm * unit);
    const QRectF visible(0, offsetMm * unit, widthMm * unit, heightMm * unit);
    painter.setClipRect(visible, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = visible;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace zelk
