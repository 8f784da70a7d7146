// HTML export: one box of paper size per page, every item placed absolutely in millimetres.
// The pages are written as they are laid out, into a temporary file until the style sheet
// that comes before them is known.
// Pictures are embedded once as style classes; charts are embedded as images.
#include "reportexport.h"
#include "reportpainter.h"
#include "reportsink.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <QTextDocument>

namespace zelk {

namespace {
QString mm(double value)
{
    return QString::number(value, 'f', 2) + QStringLiteral("mm");
}

QString colour(QRgb rgb)
{
    return QColor::fromRgba(rgb).name(QColor::HexRgb);
}

QString pngDataUrl(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

QString place(const PageItem &item)
{
    return QStringLiteral("left:%1;top:%2;width:%3;height:%4").arg(mm(item.x), mm(item.y), mm(item.w), mm(item.h));
}

QString styleSheet(const PageStore &store)
{
    QString css = QStringLiteral("body{background:#9a9a9a;margin:0;padding:4mm 0}\n"
                                 ".page{position:relative;margin:0 auto 4mm auto;background:#fff;overflow:hidden}\n"
                                 ".page>div,.page>img{position:absolute;margin:0;box-sizing:border-box}\n"
                                 ".t{white-space:pre;overflow:hidden;text-overflow:ellipsis}\n");
    for (std::size_t i = 0; i < store.styles.size(); ++i) {
        const TextStyle &s = store.styles[i];
        const QString align = (s.align & Qt::AlignRight) ? QStringLiteral("right")
            : (s.align & Qt::AlignHCenter)               ? QStringLiteral("center")
                                                         : QStringLiteral("left");
        css += QStringLiteral(".s%1{font:%2 %3 %4pt '%5';color:%6;text-align:%7}\n")
                   .arg(i)
                   .arg(s.italic ? QStringLiteral("italic") : QStringLiteral("normal"),
                        s.bold ? QStringLiteral("bold") : QStringLiteral("normal"), QString::number(s.pointSize), s.family, s.color.name(),
                        align);
    }
    for (std::size_t i = 0; i < store.pictures.size(); ++i)
        css += QStringLiteral(".p%1{background-image:url(%2);background-repeat:no-repeat}\n").arg(i).arg(pngDataUrl(store.pictures[i]));
    return css;
}

QString bodyOf(const QString &html)
{
    const qsizetype open = html.indexOf(QStringLiteral("<body"));
    const qsizetype start = html.indexOf(u'>', open) + 1;
    const qsizetype end = html.lastIndexOf(QStringLiteral("</body>"));
    return open < 0 || end < start ? html : html.mid(start, end - start);
}

QString itemHtml(const PageStore &store, const PageItem &item)
{
    switch (item.kind) {
    case ItemKind::Text:
        return QStringLiteral("<div class=\"t s%1\" style=\"%2;line-height:%3\">%4</div>\n")
            .arg(QString::number(item.style), place(item), mm(item.h), item.text.toHtmlEscaped());
    case ItemKind::Line: {
        const QString border
            = QStringLiteral("%1 %2 %3")
                  .arg(mm(std::max(0.1f, item.penWidth)),
                       item.lineStyle == LineStyle::Dotted ? QStringLiteral("dotted") : QStringLiteral("solid"), colour(item.pen));
        const bool horizontal = std::abs(item.h) <= std::abs(item.w);
        return QStringLiteral("<div style=\"left:%1;top:%2;width:%3;height:%4;%5:%6\"></div>\n")
            .arg(mm(item.x), mm(item.y), mm(horizontal ? item.w : 0), mm(horizontal ? 0 : item.h),
                 horizontal ? QStringLiteral("border-top") : QStringLiteral("border-left"), border);
    }
    case ItemKind::Box: {
        QString style = place(item);
        if (qAlpha(item.pen))
            style += QStringLiteral(";border:%1 solid %2").arg(mm(std::max(0.1f, item.penWidth)), colour(item.pen));
        if (qAlpha(item.fill))
            style += QStringLiteral(";background:%1").arg(colour(item.fill));
        return QStringLiteral("<div style=\"%1\"></div>\n").arg(style);
    }
    case ItemKind::Picture: {
        const QImage &picture = store.pictures.at(item.resource);
        const QString size = (item.flags & PageItem::Scaled)
            ? QStringLiteral("100% 100%")
            : mm(naturalSizeMm(picture).width()) + u' ' + mm(naturalSizeMm(picture).height());
        return QStringLiteral("<div class=\"p%1\" style=\"%2;background-size:%3\"></div>\n")
            .arg(QString::number(item.resource), place(item), size);
    }
    case ItemKind::RichText:
        return QStringLiteral("<div style=\"%1;overflow:hidden\"><div style=\"margin-top:%2\">%3</div></div>\n")
            .arg(place(item), mm(-item.offset), bodyOf(store.richTexts.at(item.resource).document->toHtml()));
    case ItemKind::Chart: {
        const QSize size(qRound(item.w * 8), qRound(item.h * 8));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintBarChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), store.charts.at(item.resource), 8.0);
        painter.end();
        return QStringLiteral("<img style=\"%1\" src=\"%2\" alt=\"%3\">\n")
            .arg(place(item), pngDataUrl(image), store.charts.at(item.resource).title.toHtmlEscaped());
    }
    }
    return {};
}
} // namespace

void writeHtml(ReportDocument &document, QIODevice &out)
{
    // The style sheet at the top names every style and picture of the report, which are
    // known only when the last page is laid out: the pages wait in a temporary file.
    QTemporaryFile pages;
    if (!pages.open())
        throw Error(QStringLiteral("Het HTML-bestand kan niet worden gemaakt: er is geen ruimte voor een tijdelijk bestand."));
    const PageStore &store = document.store();
    const QSizeF paper = document.pageSetup().paperSize();
    document.forEachPage([&](const ReportPage &page) {
        QString html = QStringLiteral("<div class=\"page\" id=\"blad%1\" style=\"width:%2;height:%3\">\n")
                           .arg(QString::number(page.number), mm(paper.width()), mm(paper.height()));
        for (const PageItem &item : page.items)
            html += itemHtml(store, item);
        html += QStringLiteral("</div>\n");
        const QByteArray bytes = html.toUtf8();
        if (pages.write(bytes) != bytes.size())
            throw Error(QStringLiteral("Het HTML-bestand kan niet worden gemaakt: er is geen ruimte voor een tijdelijk bestand."));
        stopWhenFailed(out);
    });
    writeOut(out,
             QStringLiteral("<!DOCTYPE html>\n<html lang=\"nl\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                            "<style>\n%2</style>\n</head>\n<body>\n")
                 .arg(document.report().name.toHtmlEscaped(), styleSheet(store))
                 .toUtf8());
    if (!pages.flush() || !pages.seek(0))
        throw Error(QStringLiteral("Het HTML-bestand kan niet worden gemaakt: er is geen ruimte voor een tijdelijk bestand."));
    while (!pages.atEnd())
        writeOut(out, pages.read(1024 * 1024));
    writeOut(out, "</body>\n</html>\n");
}

} // namespace zelk
