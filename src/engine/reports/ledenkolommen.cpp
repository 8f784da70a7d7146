#include "ledenkolommen.h"

#include "databases.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

namespace zelk {

std::shared_ptr<Report> memberList(DataModule1 &data, const titles::ReportTitle &title, Orientation orientation,
                                   std::initializer_list<MemberColumn> columns)
{
    ListReportLayout list;
    list.title = title;
    list.orientation = orientation;
    list.rowHeight = 4.2;
    list.fontSize = 8;
    for (const MemberColumn &c : columns) {
        const QString field = c.field.toString();
        list.columns.push_back({QString::fromLatin1(c.heading), field, c.valueAt, 0,
                                field == veld::leden::GebDatum ? ValueFormat::ShortDate : ValueFormat::Text});
    }
    auto report = makeListReport(list, std::make_shared<TableDataSource>(data.ledentabel), frameSettingsOf(data));
    Band &headings = *report->band(BandKind::ColumnHeader);
    for (const MemberColumn &c : columns) {
        ReportElement &heading = headings.element(QStringLiteral("kop_") + c.field.toString());
        heading.rect.moveLeft(c.headingAt);
    }
    // A postcode has only some 11 mm before the town starts: a smaller size keeps the two apart.
    if (ReportElement *postcode = report->band(BandKind::Detail)->find(veld::leden::Pcode.toString()))
        postcode->style.pointSize = 7;
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
