#include "ledenkolommen.h"

#include "databases.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

#include <iterator>

namespace zelk {

namespace {
constexpr double FontSize = 8.0;
constexpr double RowHeight = 4.2;
} // namespace

std::shared_ptr<Report> memberList(DataModule1 &data, const titles::ReportTitle &title, Orientation orientation,
                                   std::initializer_list<MemberColumn> columns)
{
    ListReportLayout list;
    list.title = title;
    list.orientation = orientation;
    list.rowHeight = RowHeight;
    list.fontSize = FontSize;
    // The values' columns run from one value position to the next, the last to the margin
    // (see sizedColumns).
    for (const MemberColumn &c : columns) {
        const QString field = c.field.toString();
        list.columns.push_back({QString::fromLatin1(c.heading), field, c.valueAt, 0,
                                field == veld::leden::GebDatum ? ValueFormat::ShortDate : ValueFormat::Text});
    }
    auto report = makeListReport(list, std::make_shared<TableDataSource>(data.ledentabel), frameSettingsOf(data));
    // The headings stand at their own positions and likewise run to the next heading.
    Band &headings = *report->band(BandKind::ColumnHeader);
    const double width = report->page.printableWidth();
    for (auto c = columns.begin(); c != columns.end(); ++c) {
        ReportElement &heading = headings.element(QStringLiteral("kop_") + c->field.toString());
        const double end = std::next(c) != columns.end() ? std::next(c)->headingAt - ColumnGap : width;
        heading.rect.setLeft(c->headingAt);
        heading.rect.setRight(end);
    }
    return report;
}

TextStyle textOfSize(double size)
{
    TextStyle style;
    style.pointSize = size;
    return style;
}

QStringList markFields(const char *prefix)
{
    const int year = *prefix == 'A' ? 0 : *prefix == 'V' ? 2 : 1;
    return veld::leden::maandenVan(year);
}

} // namespace zelk
