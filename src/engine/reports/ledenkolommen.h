#pragma once
// What the member lists share: a column layout whose headings stand at their own
// positions, the member table as data, and the names of the month marks.
#include "report/report.h"
#include "report/reportframe.h"

#include <QStringView>
#include <memory>

namespace zelk {

class DataModule1;

// Columns are given from left to right. A heading's box runs from its position to the next
// heading's, a value's from its position to the next value's, each less ColumnGap; the last
// ones reach the right margin. A value longer than its box is cut there with "…".
struct MemberColumn {
    const char *heading;
    double headingAt; // mm from the left margin
    QStringView field;
    double valueAt; // mm from the left margin
};

// A member list under the frame: column headings and one line of 4.2 mm per member, all in
// 8 points.
std::shared_ptr<Report> memberList(DataModule1 &data, const titles::ReportTitle &title, Orientation orientation,
                                   std::initializer_list<MemberColumn> columns);

// The twelve mark fields of a family: "A" previous year, "" current year, "V" next year.
QStringList markFields(const char *prefix);

TextStyle textOfSize(double pointSize);

} // namespace zelk
