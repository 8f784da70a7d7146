#pragma once
// The shape most reports share: the common frame, a band of column headings in white on
// dark blue, one line per data row, optionally shaded alternately, and optionally a
// summary with a dotted line, a label and the running total of one field as a currency
// amount. Journal, account, open-item and member lists are made with it.
#include "reportframe.h"

#include <QColor>
#include <vector>

namespace zelk {

struct ListColumn {
    QString heading;
    QString field;
    double left = 0;  // mm from the left margin
    double width = 0; // mm; right-aligned columns end at left + width
    ValueFormat format = ValueFormat::Text;
    bool rightAligned = false;
};

struct ListReportLayout {
    titles::ReportTitle title;
    Orientation orientation = Orientation::Portrait;
    std::vector<ListColumn> columns;
    QColor headingBackground = QColor(78, 78, 156);
    QColor headingColour = Qt::white;
    double headingHeight = 6.0;
    double rowHeight = 4.2;
    double fontSize = 9.0;
    std::vector<QColor> rowShades; // backgrounds of rows 1, 2, ... in turn; restarts every run
    QString totalField;            // empty: no summary
    QString totalLabel;            // e.g. "Totaaltelling van de getoonde mutaties"
};

// The running total the summary prints (zero at every report start).
inline const QString ListTotal = QStringLiteral("totaal");

std::shared_ptr<Report> makeListReport(const ListReportLayout &list, std::shared_ptr<ReportDataSource> data, FrameSettingsSource settings,
                                       RowFilter filter = {});

} // namespace zelk
