#include "listreport.h"

namespace zelk {

namespace {
void addHeadings(Report &report, const ListReportLayout &list)
{
    Band &band = report.addBand(BandKind::ColumnHeader, list.headingHeight + 1.0);
    band.addBox(QStringLiteral("kopbalk"), QRectF(0, 0.5, report.page.printableWidth(), list.headingHeight), QColor(),
                list.headingBackground);
    TextStyle style;
    style.pointSize = list.fontSize;
    style.bold = true;
    style.color = list.headingColour;
    for (const ListColumn &column : list.columns) {
        const QRectF rect(column.left, 0.5, column.width, list.headingHeight);
        band.addLabel(QStringLiteral("kop_") + column.field, rect, column.heading, column.rightAligned ? style.rightAligned() : style);
    }
}

void addRows(Report &report, const ListReportLayout &list)
{
    Band &band = report.addBand(BandKind::Detail, list.rowHeight);
    TextStyle style;
    style.pointSize = list.fontSize;
    for (const ListColumn &column : list.columns)
        band.addField(column.field, QRectF(column.left, 0, column.width, list.rowHeight), column.field, column.format,
                      column.rightAligned ? style.rightAligned() : style);
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
    band.addLabel(QStringLiteral("totaallabel"), QRectF(0, 3, 0, 5), list.totalLabel, style);
    band.addTotal(QStringLiteral("totaalbedrag"), QRectF(width - 50, 3, 50, 5), ListTotal, ValueFormat::Currency, style.rightAligned());
}
} // namespace

std::shared_ptr<Report> makeListReport(const ListReportLayout &list, std::shared_ptr<ReportDataSource> data, FrameSettingsSource settings,
                                       RowFilter filter)
{
    auto report = std::make_shared<Report>(list.title.unit, PageSetup::a4(list.orientation));
    ReportFrame::apply(*report, list.title, std::move(settings));
    addHeadings(*report, list);
    addRows(*report, list);
    if (!list.totalField.isEmpty())
        addSummary(*report, list);
    report->setData(std::move(data), std::move(filter));
    return report;
}

} // namespace zelk
