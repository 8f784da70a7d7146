#include "listreport.h"

#include <algorithm>
#include <numeric>

namespace zelk {

namespace {
constexpr double SummaryAmountWidth = 50.0; // mm at the right of the summary line
constexpr double SummaryGap = 2.0;          // mm between the summary's label and its amount
} // namespace

bool ListColumn::alignsRight() const
{
    return rightAligned || format == ValueFormat::Number || format == ValueFormat::Currency || format == ValueFormat::Integer;
}

std::vector<ListColumn> sizedColumns(std::vector<ListColumn> columns, double printableWidth)
{
    std::vector<std::size_t> order(columns.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return columns[a].left < columns[b].left; });
    for (std::size_t i = 0; i < order.size(); ++i) {
        ListColumn &column = columns[order[i]];
        if (column.width > 0)
            continue;
        const double end = i + 1 < order.size() ? columns[order[i + 1]].left - ColumnGap : printableWidth;
        column.width = std::max(end - column.left, 0.1);
    }
    return columns;
}

namespace {
void addHeadings(Report &report, const ListReportLayout &list, const std::vector<ListColumn> &columns)
{
    Band &band = report.addBand(BandKind::ColumnHeader, list.headingHeight + 1.0);
    band.addBox(QStringLiteral("kopbalk"), QRectF(0, 0.5, report.page.printableWidth(), list.headingHeight), QColor(),
                list.headingBackground);
    TextStyle style;
    style.pointSize = list.fontSize;
    style.bold = true;
    style.color = list.headingColour;
    for (const ListColumn &column : columns) {
        const QRectF rect(column.left, 0.5, column.width, list.headingHeight);
        band.addLabel(QStringLiteral("kop_") + column.field, rect, column.heading, column.alignsRight() ? style.rightAligned() : style);
    }
}

void addRows(Report &report, const ListReportLayout &list, const std::vector<ListColumn> &columns)
{
    Band &band = report.addBand(BandKind::Detail, list.rowHeight);
    TextStyle style;
    style.pointSize = list.fontSize;
    for (const ListColumn &column : columns)
        band.addField(column.field, QRectF(column.left, 0, column.width, list.rowHeight), column.field, column.format,
                      column.alignsRight() ? style.rightAligned() : style);
    if (!list.totalField.isEmpty())
        band.addToTotal(ListTotal, list.totalField);
    if (!list.rowShades.empty()) {
        const std::vector<QColor> shades = list.rowShades;
        band.beforePrint = [shades](BandContext &c) {
            c.band.background = shades[std::size_t(c.rowNumber) % shades.size()];
            return true;
        };
    }
}

void addSummary(Report &report, const ListReportLayout &list)
{
    const double width = report.page.printableWidth();
    Band &band = report.addBand(BandKind::Summary, 9.0);
    band.addLine(QStringLiteral("stippellijn"), QPointF(0, 1.5), QPointF(width, 1.5), LineStyle::Dotted);
    TextStyle style;
    style.pointSize = list.fontSize;
    style.bold = true;
    band.addLabel(QStringLiteral("totaallabel"), QRectF(0, 3, width - SummaryAmountWidth - SummaryGap, 5), list.totalLabel, style);
    band.addTotal(QStringLiteral("totaalbedrag"), QRectF(width - SummaryAmountWidth, 3, SummaryAmountWidth, 5), ListTotal,
                  ValueFormat::Currency, style.rightAligned());
}
} // namespace

std::shared_ptr<Report> makeListReport(const ListReportLayout &list, std::shared_ptr<ReportDataSource> data, FrameSettingsSource settings,
                                       RowFilter filter)
{
    auto report = std::make_shared<Report>(list.title.unit, PageSetup::a4(list.orientation));
    ReportFrame::apply(*report, list.title, std::move(settings));
    const std::vector<ListColumn> columns = sizedColumns(list.columns, report->page.printableWidth());
    addHeadings(*report, list, columns);
    addRows(*report, list, columns);
    if (!list.totalField.isEmpty())
        addSummary(*report, list);
    report->setData(std::move(data), std::move(filter));
    return report;
}

} // namespace zelk
