#include "reportlayouter.h"

#include "reportvalue.h"
#include "zelkerror.h"

#include <algorithm>

namespace zelk {

namespace {
constexpr double Slack = 0.001; // mm; rounding of sums of band heights

QRgb rgba(const QColor &color)
{
    return color.isValid() ? color.rgba() : 0;
}

// `rect` (mm from the left margin) with its left and right ends kept within the printable
// width; a line's rectangle may run from right to left and keeps that direction.
QRectF withinMargins(const QRectF &rect, double width)
{
    const double from = std::clamp(rect.left(), 0.0, width);
    const double to = std::clamp(rect.left() + rect.width(), 0.0, width);
    return QRectF(from, rect.top(), to - from, rect.height());
}
} // namespace

ReportLayouter::ReportLayouter(Report &report, PageStore &store, QDate &printDate)
    : m_report(report), m_store(store), m_printDate(printDate)
{
}

void ReportLayouter::start()
{
    m_report.resetTotals();
    m_report.clearMessages();
    // A report kept for the whole program run prints today's date; a document laid out
    // again prints the date it printed the first time.
    if (!m_printDate.isValid())
        m_printDate = reportPrintDate();
    m_report.printDate = m_printDate;
    for (int k = 0; k < BandKindCount; ++k)
        if (Band *band = m_report.band(BandKind(k)))
            for (ReportElement &e : band->elements)
                e.fieldIndex = -1;
    m_report.runBeforePrint();
    if (ReportDataSource *data = m_report.data())
        data->first();
    m_phase = Phase::Details;
}

bool ReportLayouter::layoutPage(ReportPage *page)
{
    if (m_phase == Phase::Done)
        return false;
    if (m_phase == Phase::NotStarted)
        start();

    const PageSetup &setup = m_report.page;
    m_keep = page != nullptr;
    m_building = ReportPage{};
    m_building.number = ++m_pageNumber;

    const Band *footer = m_report.band(BandKind::PageFooter);
    const double footerTop = setup.paperSize().height() - setup.margin - (footer ? footer->height : 0.0);
    m_y = setup.margin;
    m_bottom = footerTop;
    placeFixed(BandKind::PageHeader, m_y);
    placeFixed(BandKind::ColumnHeader, m_y);
    m_bodyTop = m_y;

    for (;;) {
        if (!m_pending)
            m_pending = nextBodyBand();
        if (!m_pending) {
            m_phase = Phase::Done;
            break;
        }
        if (!place(*m_pending))
            break;
        m_pending.reset();
    }
    placeFixed(BandKind::PageFooter, footerTop);

    if (page)
        *page = std::move(m_building);
    m_building = ReportPage{};
    return true;
}

void ReportLayouter::placeFixed(BandKind kind, double top)
{
    Band *band = m_report.band(kind);
    if (!band)
        return;
    if (auto instance = printBand(*band, nullptr, -1)) {
        append(*instance, top);
        if (instance->rich) // a header's rich text does not stretch
            appendSlice(*instance, top + instance->richTop, std::min(instance->richHeight, instance->height - instance->richTop));
        if (kind != BandKind::PageFooter)
            m_y = top + instance->height;
    }
}

std::optional<ReportLayouter::Instance> ReportLayouter::nextBodyBand()
{
    Band *detail = m_report.band(BandKind::Detail);
    ReportDataSource *data = m_report.data();
    if (m_phase == Phase::Details) {
        if (detail && data) {
            while (!data->eof()) {
                if (m_report.filter() && !m_report.filter()(*data)) {
                    data->next();
                    continue;
                }
                auto instance = printBand(*detail, data, m_rowNumber++);
                data->next();
                if (instance)
                    return instance;
            }
        } else if (detail && !m_detailOnceDone) {
            m_detailOnceDone = true;
            if (auto instance = printBand(*detail, nullptr, -1))
                return instance;
        }
        m_phase = Phase::Summary;
    }
    if (m_phase == Phase::Summary) {
        m_phase = Phase::Closing; // the summary prints once, after the last detail
        if (Band *summary = m_report.band(BandKind::Summary))
            return printBand(*summary, nullptr, -1);
    }
    return std::nullopt;
}

std::optional<ReportLayouter::Instance> ReportLayouter::printBand(Band &band, const ReportDataSource *row, int rowNumber)
{
    BandContext context{m_report, band, row, std::max(1, m_building.number), rowNumber};
    if (band.beforePrint && !band.beforePrint(context))
        return std::nullopt;
    Instance instance = resolve(band);
    for (const auto &[total, field] : band.sums) {
        const ReportDataSource *source = row ? row : m_report.data();
        m_report.addToTotal(total, source ? source->number(field) : 0.0);
    }
    if (band.afterPrint)
        band.afterPrint(context);
    return instance;
}

QString ReportLayouter::fieldText(ReportElement &e)
{
    const ReportDataSource *data = m_report.data();
    if (!data)
        return {};
    if (e.fieldIndex < 0) {
        e.fieldIndex = data->fieldIndex(e.text);
        if (e.fieldIndex < 0)
            throw Error(QStringLiteral("Het overzicht %1 vraagt om het onbekende veld \"%2\".").arg(m_report.name, e.text));
    }
    return formatReportValue(data->value(e.fieldIndex), e.format);
}

void ReportLayouter::addText(Instance &out, const ReportElement &e, BandKind kind, const QString &text, bool pageNumber)
{
    if (text.isEmpty() && !pageNumber)
        return;
    const PageSetup &setup = m_report.page;
    // A text's box is its element's rectangle, or without a width the room up to the right
    // margin; either way it is kept inside the margins.
    const double room = setup.printableWidth();
    const double left = std::clamp(e.rect.x(), 0.0, room);
    const double right = e.rect.width() > 0 ? std::clamp(e.rect.right(), left, room) : room;
    PageItem item;
    item.kind = ItemKind::Text;
    item.band = kind;
    item.flags = pageNumber ? PageItem::PageNumber : 0;
    item.style = m_store.styleIndex(e.style);
    item.x = float(setup.margin + left);
    item.y = float(e.rect.y());
    item.w = float(right - left);
    item.h = float(e.rect.height() > 0 ? e.rect.height() : e.style.pointSize * 0.3528 * 1.3);
    item.text = text; // cut to its box when it is placed on a kept page (see append)
    out.items.push_back(std::move(item));
}

void ReportLayouter::fit(PageItem &item)
{
    if (m_metrics.size() <= item.style) {
        m_metrics.resize(item.style + 1);
        m_widths.resize(item.style + 1);
    }
    std::optional<QFontMetricsF> &metrics = m_metrics[item.style];
    if (!metrics)
        metrics.emplace(m_store.styles.at(item.style).font(), measuringDevice());
    // Long lists repeat most of their texts (dates, account names, amounts): each width is
    // measured once. The cache is emptied now and then, so it stays small.
    QHash<QString, qreal> &widths = m_widths[item.style];
    auto known = widths.constFind(item.text);
    if (known == widths.cend()) {
        if (widths.size() >= 4096)
            widths.clear();
        known = widths.insert(item.text, metrics->horizontalAdvance(item.text));
    }
    // (a hair of room more than the box: its width is kept as a float)
    const qreal room = item.w * richTextUnitsPerMm() + 0.01;
    QString shown = *known <= room ? item.text : elideToWidth(*metrics, item.text, room);
    if (shown == item.text) {
        item.flags &= ~PageItem::Elided;
        item.elided.clear();
    } else {
        item.flags |= PageItem::Elided;
        item.elided = std::move(shown);
    }
}

ReportLayouter::Instance ReportLayouter::resolve(Band &band)
{
    const PageSetup &setup = m_report.page;
    Instance out;
    out.kind = band.kind;
    out.height = band.height;
    out.newPage = band.newPage;
    if (band.background.isValid()) {
        PageItem shade;
        shade.kind = ItemKind::Box;
        shade.band = band.kind;
        shade.x = float(setup.margin);
        shade.w = float(setup.printableWidth());
        shade.h = float(band.height);
        shade.fill = band.background.rgba();
        out.items.push_back(shade);
    }
    for (ReportElement &e : band.elements) {
        if (!e.visible)
            continue;
        const QRectF place = withinMargins(e.rect, setup.printableWidth());
        switch (e.kind) {
        case ElementKind::Label:
            addText(out, e, band.kind, e.text);
            break;
        case ElementKind::Field:
            addText(out, e, band.kind, fieldText(e));
            break;
        case ElementKind::PageNumber:
            addText(out, e, band.kind, QString(), true);
            break;
        case ElementKind::PrintDate:
            addText(out, e, band.kind, shortDate(m_report.printDate));
            break;
        case ElementKind::Total:
            addText(out, e, band.kind, formatReportValue(m_report.total(e.text), e.format));
            break;
        case ElementKind::Line:
        case ElementKind::Box: {
            PageItem item;
            item.kind = e.kind == ElementKind::Line ? ItemKind::Line : ItemKind::Box;
            item.band = band.kind;
            item.lineStyle = e.lineStyle;
            item.x = float(setup.margin + place.x());
            item.y = float(e.rect.y());
            item.w = float(place.width());
            item.h = float(e.rect.height());
            item.pen = rgba(e.pen);
            item.fill = rgba(e.fill);
            item.penWidth = float(e.penWidth);
            out.items.push_back(item);
            break;
        }
        case ElementKind::Picture: {
            if (e.picture.isNull())
                break;
            PageItem item;
            item.kind = ItemKind::Picture;
            item.band = band.kind;
            item.resource = m_store.pictureIndex(e.picture);
            item.x = float(setup.margin + place.x());
            item.y = float(e.rect.y());
            if (e.scaled) {
                item.flags = PageItem::Scaled;
                item.w = float(place.width());
                item.h = float(e.rect.height());
            } else { // natural size, cut off at the edges of its place
                const QSizeF natural = naturalSizeMm(e.picture);
                item.w = float(std::min(place.width(), natural.width()));
                item.h = float(std::min(e.rect.height(), natural.height()));
            }
            out.items.push_back(item);
            break;
        }
        case ElementKind::Chart: {
            if (!e.chart)
                break;
            out.charts.push_back(*e.chart); // a copy: hooks may change the chart for the next row
            PageItem item;
            item.kind = ItemKind::Chart;
            item.band = band.kind;
            item.resource = int(out.charts.size()) - 1;
            item.x = float(setup.margin + place.x());
            item.y = float(e.rect.y());
            item.w = float(place.width());
            item.h = float(e.rect.height());
            out.items.push_back(item);
            break;
        }
        case ElementKind::RichText: {
            if (!e.document || out.rich) // one stretching text per band
                break;
            out.rich = true;
            out.richResource = RichTextResource{layoutCopy(*e.document, place.width()), place.width()};
            out.richHeight = documentHeightMm(*out.richResource.document);
            out.lines = documentLines(*out.richResource.document);
            out.richTop = e.rect.y();
            out.richLeft = setup.margin + place.x();
            out.richWidth = place.width();
            break;
        }
        }
    }
    return out;
}

void ReportLayouter::append(Instance &band, double top)
{
    if (!m_keep)
        return;
    for (PageItem &item : band.items) { // a band is placed once: its items move onto the page
        PageItem placed = std::move(item);
        placed.y = float(top + placed.y);
        if (placed.flags & PageItem::PageNumber)
            placed.text = QString::number(m_building.number);
        if (placed.kind == ItemKind::Text)
            fit(placed);
        if (placed.kind == ItemKind::Chart) {
            m_store.charts.push_back(std::move(band.charts.at(placed.resource)));
            placed.resource = int(m_store.charts.size()) - 1;
        }
        m_building.items.push_back(std::move(placed));
    }
}

void ReportLayouter::appendSlice(Instance &band, double top, double length)
{
    if (length <= Slack)
        return;
    if (!m_keep) {
        band.richDone += length;
        return;
    }
    if (band.richText < 0) {
        m_store.richTexts.push_back(band.richResource);
        band.richText = int(m_store.richTexts.size()) - 1;
    }
    PageItem slice;
    slice.kind = ItemKind::RichText;
    slice.band = band.kind;
    slice.resource = band.richText;
    slice.x = float(band.richLeft);
    slice.y = float(top);
    slice.w = float(band.richWidth);
    slice.h = float(length);
    slice.offset = float(band.richDone);
    m_building.items.push_back(slice);
    band.richDone += length;
}

bool ReportLayouter::place(Instance &band)
{
    const bool pageHasBody = m_y > m_bodyTop + Slack;
    if (band.newPage && !band.started && pageHasBody)
        return false;
    if (!band.rich || (!band.started && band.richTop + band.richHeight <= band.height + Slack)) {
        if (m_y + band.height > m_bottom + Slack && pageHasBody)
            return false;
        append(band, m_y);
        if (band.rich)
            appendSlice(band, m_y + band.richTop, band.richHeight);
        m_y += band.height;
        return true;
    }

    // A band whose rich text is longer than the band: the text stretches it.
    if (!band.started) {
        const double full = band.richTop + band.richHeight;
        if (m_y + full <= m_bottom + Slack) {
            append(band, m_y);
            appendSlice(band, m_y + band.richTop, band.richHeight);
            m_y += full;
            return true;
        }
        const double room = m_bottom - m_y - band.richTop;
        const double firstLine = band.lines.empty() ? 0 : band.lines.front().height;
        if (room < firstLine && pageHasBody)
            return false; // not even one line fits: start the band on the next page
        append(band, m_y);
        band.started = true;
        if (room > Slack)
            appendSlice(band, m_y + band.richTop, cutBetweenLines(band.lines, 0, room));
        m_y = m_bottom;
        return false;
    }

    const double rest = band.richHeight - band.richDone;
    const double room = m_bottom - m_y;
    if (rest <= room + Slack || room <= Slack) { // (no room at all: let it run over rather than loop)
        appendSlice(band, m_y, rest);
        m_y += rest;
        return true;
    }
    appendSlice(band, m_y, cutBetweenLines(band.lines, band.richDone, room) - band.richDone);
    m_y = m_bottom;
    return false;
}

} // namespace zelk
