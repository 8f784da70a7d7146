#pragma once
// The shape most reports share: the common frame, a band of column headings in white on
// dark blue, one line per data row, optionally shaded alternately, and optionally a
// summary with a dotted line, a label and the running total of one field as a currency
// amount. Journal, account, open-item and member lists are made with it. No two columns
// share room: each text is cut at its column's edge.
#include "reportframe.h"

#include <QColor>
#include <vector>

namespace zelk {

// The room kept free between a column's texts and the next column, so that a value that
// fills its column still stands apart from the next one.
inline constexpr double ColumnGap = 1.0; // mm

// A column: its heading and its values share one box. Without a width the box runs up to
// the next column's start less ColumnGap (the last one to the right margin). A value too
// wide for the box is cut with "…" on the page. Numbers (Number, Currency, Integer) stand
// right-aligned in it.
struct ListColumn {
    QString heading;
    QString field;
    double left = 0;  // mm from the left margin
    double width = 0; // mm; 0: up to the next column (less ColumnGap)
    ValueFormat format = ValueFormat::Text;
    bool rightAligned = false; // also for a column that is no number

    bool alignsRight() const;
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

// The columns with every width filled in: a column without one reaches ColumnGap before the
// next column's start (in order of their left edges), the last one the right margin at
// `printableWidth`.
std::vector<ListColumn> sizedColumns(std::vector<ListColumn> columns, double printableWidth);

std::shared_ptr<Report> makeListReport(const ListReportLayout &list, std::shared_ptr<ReportDataSource> data, FrameSettingsSource settings,
                                       RowFilter filter = {});

} // namespace zelk
