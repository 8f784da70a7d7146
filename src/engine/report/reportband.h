#pragma once
// A band of a report: a strip of the page with elements, printed as a page header, a
// column header, a detail (once, or once per row of the data source), a summary or a page
// footer. Hooks run before a band prints (they may change its elements or suppress it) and
// after it has printed.
#include "reportelement.h"

#include <QColor>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace zelk {

class Report;
class ReportDataSource;

enum class BandKind : quint8 { PageHeader, ColumnHeader, Detail, Summary, PageFooter };
constexpr int BandKindCount = 5;

class Band;

// What a hook sees: the report, the band about to print, the data source positioned on
// the row being printed (per-row detail only) and the page the band lands on.
struct BandContext {
    Report &report;
    Band &band;
    const ReportDataSource *row = nullptr;
    int pageNumber = 1;
    int rowNumber = -1; // per-row detail: 0, 1, 2, ... for the rows that pass the filter; else -1
};

using BeforePrintHook = std::function<bool(BandContext &)>; // false: the band does not print
using AfterPrintHook = std::function<void(BandContext &)>;

class Band {
public:
    Band(BandKind kind, double height) : kind(kind), height(height) { }

    BandKind kind;
    double height;                      // mm; a rich-text element may stretch it
    QColor background;                  // shades the whole band when valid
    bool newPage = false;               // a body band that starts on a new page unless it would be the page's first
    std::deque<ReportElement> elements; // a deque: references to elements stay valid as more are added
    BeforePrintHook beforePrint;
    AfterPrintHook afterPrint;
    // Running totals fed by this band: total name and the field whose number is added
    // each time the band prints.
    std::vector<std::pair<QString, QString>> sums;

    ReportElement &element(const QString &name); // throws zelk::Error for an unknown name
    ReportElement *find(const QString &name);
    void setText(const QString &name, const QString &text) { element(name).text = text; }

    ReportElement &add(ReportElement element);
    ReportElement &addLabel(const QString &name, const QRectF &rect, const QString &text, const TextStyle &style = {});
    ReportElement &addField(const QString &name, const QRectF &rect, const QString &field, ValueFormat format = ValueFormat::Text,
                            const TextStyle &style = {});
    ReportElement &addPageNumber(const QString &name, const QRectF &rect, const TextStyle &style = {});
    ReportElement &addPrintDate(const QString &name, const QRectF &rect, const TextStyle &style = {});
    ReportElement &addTotal(const QString &name, const QRectF &rect, const QString &total, ValueFormat format = ValueFormat::Currency,
                            const TextStyle &style = {});
    ReportElement &addLine(const QString &name, const QPointF &from, const QPointF &to, LineStyle style = LineStyle::Solid,
                           const QColor &color = Qt::black, double width = 0.2);
    ReportElement &addBox(const QString &name, const QRectF &rect, const QColor &pen, const QColor &fill = {});
    ReportElement &addPicture(const QString &name, const QRectF &rect, const QImage &picture, bool scaled = false);
    ReportElement &addRichText(const QString &name, const QRectF &rect, std::shared_ptr<QTextDocument> document);
    ReportElement &addChart(const QString &name, const QRectF &rect, std::shared_ptr<BarChart> chart);
    // Adds the number of `field` to running total `total` every time this band prints.
    void addToTotal(const QString &total, const QString &field) { sums.emplace_back(total, field); }
};

} // namespace zelk
