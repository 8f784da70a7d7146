#include "listreport.h"

namespace zelk {

namespace {
void addHeadings(Report &report, const ListReportSpec &spec)
{
    Band &band = report.addBand(BandKind::ColumnHeader, spec.headingHeight + 1.0);
    band.addBox(QStringLiteral("kopbalk"), QRectF(0, 0.5, report.page.printableWidth(), spec.headingHeight), QColor(),
                spec.headingBackground);
    TextStyle style;
    style.pointSize = spec.fontSize;
    style.bold = true;
    style.color = spec.headingColour;
    for (const ListColumn &column : spec.columns) {
        const QRectF rect(column.left, 0.5, column.width, spec.headingHeight);
        band.addLabel(QStringLiteral("kop_") + column.field, rect, column.heading,
                      column.rightAligned ? style.rightAligned() : style);
    }
}

void addRows(Report &report, const ListReportSpec &spec)
{
    Band &band = report.addBand(BandKind::Detail, spec.rowHeight);
    TextStyle style;
    style.pointSize = spec.fontSize;
    for (const ListColumn &column : spec.columns)
        band.addField(column.field, QRectF(column.left, 0, column.width, spec.rowHeight), column.field, column.format,
                      column.rightAligned ? style.rightAligned() : style);
    if (!spec.totalField.isEmpty())
        band.addToTotal(ListTotal, spec.totalField);
    if (!spec.rowShades.empty()) {
        const std::vector<QColor> shades = spec.rowShades;
        band.beforePrint = [shades](BandContext &c) {
            c.band.background = shades[std::size_t(c.rowNumber) % shades.size()];
            return true;
        };
    }
}

void addSummary(Report &report, const ListReportSpec &spec)
{
    const double width = report.page.printableWidth();
    Band &band = report.addBand(BandKind::Summary, 9.0);
    band.addLine(QStringLiteral("stippellijn"), QPointF(0, 1.5), QPointF(width, 1.5), LineStyle::Dotted);
    TextStyle style;
    style.pointSize = spec.fontSize;
    style.bold = true;
    band.addLabel(QStringLiteral("totaallabel"), QRectF(0, 3, 0, 5), spec.totalLabel, style);
    band.addTotal(QStringLiteral("totaalbedrag"), QRectF(width - 50, 3, 50, 5), ListTotal, ValueFormat::Currency,
                  style.rightAligned());
}
} // namespace

std::shared_ptr<Report> makeListReport(const ListReportSpec &spec, std::shared_ptr<ReportDataSource> data,
                                       FrameSettingsSource settings, RowFilter filter)
{
    auto report = std::make_shared<Report>(spec.title.unit, PageSetup::a4(spec.orientation));
    ReportFrame::apply(*report, spec.title, std::move(settings));
    addHeadings(*report, spec);
    addRows(*report, spec);
    if (!spec.totalField.isEmpty())
        addSummary(*report, spec);
    report->setData(std::move(data), std::move(filter));
    return report;
}

} // namespace zelk
