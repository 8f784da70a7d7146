#include "reportband.h"

#include "zelkerror.h"

namespace zelk {

ReportElement *Band::find(const QString &name)
{
    for (ReportElement &e : elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

ReportElement &Band::element(const QString &name)
{
    if (ReportElement *e = find(name))
        return *e;
    throw Error(QStringLiteral("Het overzicht kent geen onderdeel \"%1\".").arg(name));
}

ReportElement &Band::add(ReportElement element)
{
    elements.push_back(std::move(element));
    return elements.back();
}

namespace {
ReportElement textElement(ElementKind kind, const QString &name, const QRectF &rect, const QString &text, ValueFormat format,
                          const TextStyle &style)
{
    ReportElement e;
    e.kind = kind;
    e.name = name;
    e.rect = rect;
    e.text = text;
    e.format = format;
    e.style = style;
    return e;
}
} // namespace

ReportElement &Band::addLabel(const QString &name, const QRectF &rect, const QString &text, const TextStyle &style)
{
    return add(textElement(ElementKind::Label, name, rect, text, ValueFormat::Text, style));
}

ReportElement &Band::addField(const QString &name, const QRectF &rect, const QString &field, ValueFormat format, const TextStyle &style)
{
    return add(textElement(ElementKind::Field, name, rect, field, format, style));
}

ReportElement &Band::addPageNumber(const QString &name, const QRectF &rect, const TextStyle &style)
{
    return add(textElement(ElementKind::PageNumber, name, rect, {}, ValueFormat::Integer, style));
}

ReportElement &Band::addPrintDate(const QString &name, const QRectF &rect, const TextStyle &style)
{
    return add(textElement(ElementKind::PrintDate, name, rect, {}, ValueFormat::ShortDate, style));
}

ReportElement &Band::addTotal(const QString &name, const QRectF &rect, const QString &total, ValueFormat format, const TextStyle &style)
{
    return add(textElement(ElementKind::Total, name, rect, total, format, style));
}

ReportElement &Band::addLine(const QString &name, const QPointF &from, const QPointF &to, LineStyle style, const QColor &color,
                             double width)
{
    ReportElement e;
    e.kind = ElementKind::Line;
    e.name = name;
    e.rect = QRectF(from, to);
    e.lineStyle = style;
    e.pen = color;
    e.penWidth = width;
    return add(std::move(e));
}

ReportElement &Band::addBox(const QString &name, const QRectF &rect, const QColor &pen, const QColor &fill)
{
    ReportElement e;
    e.kind = ElementKind::Box;
    e.name = name;
    e.rect = rect;
    e.pen = pen;
    e.fill = fill;
    return add(std::move(e));
}

ReportElement &Band::addPicture(const QString &name, const QRectF &rect, const QImage &picture, bool scaled)
{
    ReportElement e;
    e.kind = ElementKind::Picture;
    e.name = name;
    e.rect = rect;
    e.picture = picture;
    e.scaled = scaled;
    return add(std::move(e));
}

ReportElement &Band::addRichText(const QString &name, const QRectF &rect, std::shared_ptr<QTextDocument> document)
{
    ReportElement e;
    e.kind = ElementKind::RichText;
    e.name = name;
    e.rect = rect;
    e.document = std::move(document);
    return add(std::move(e));
}

ReportElement &Band::addChart(const QString &name, const QRectF &rect, std::shared_ptr<BarChart> chart)
{
    ReportElement e;
    e.kind = ElementKind::Chart;
    e.name = name;
    e.rect = rect;
    e.chart = std::move(chart);
    return add(std::move(e));
}

} // namespace zelk
