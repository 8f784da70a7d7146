#pragma once
// A report definition: page set-up, at most one band of each kind, an optional data source
// with a row filter for the per-row detail, hooks at report start and running totals.
// A report is laid out by ReportDocument; hooks may change the bands while that happens.
#include "pagesetup.h"
#include "reportband.h"
#include "reportdatasource.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <array>
#include <memory>

namespace zelk {

class Report {
public:
    explicit Report(const QString &name = {}, const PageSetup &page = PageSetup::a4());
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    QString name; // the unit name, e.g. "printbalans"; names saved files and the PDF title
    PageSetup page;
    QDate printDate; // the date the engine prints: reportPrintDate() at every report start
    // What the comma-separated export writes instead of the pages' texts, one record per
    // entry, for a report whose file holds more than its page shows (the budget's actual
    // figures). Empty: the pages' texts.
    std::vector<QStringList> csvRecords;

    // Adds the band of this kind; a report has at most one of each (throws zelk::Error).
    Band &addBand(BandKind kind, double height);
    Band *band(BandKind kind) { return m_bands[int(kind)].get(); }
    const Band *band(BandKind kind) const { return m_bands[int(kind)].get(); }

    // Without a data source the detail band prints once; with one it prints once per row
    // that passes the filter. The source is walked from its first row at report start.
    void setData(std::shared_ptr<ReportDataSource> source, RowFilter filter = {});
    ReportDataSource *data() const { return m_data.get(); }
    const RowFilter &filter() const { return m_filter; }

    // Runs at report start, in the order added (the frame's start hook comes first).
    void addBeforePrint(std::function<void(Report &)> hook) { m_beforePrint.push_back(std::move(hook)); }
    void runBeforePrint();

    // Running totals: zero at report start, fed by the bands' sums.
    double total(const QString &name) const { return m_totals.value(name, 0.0); }
    void setTotal(const QString &name, double value) { m_totals.insert(name, value); }
    void addToTotal(const QString &name, double value) { m_totals[name] += value; }
    void resetTotals() { m_totals.clear(); }

    // Messages for the user that do not stop the report (e.g. an unreadable logo); each
    // distinct message is kept once.
    void warn(const QString &message);
    const QStringList &messages() const { return m_messages; }
    void clearMessages() { m_messages.clear(); }

private:
    std::array<std::unique_ptr<Band>, BandKindCount> m_bands;
    std::shared_ptr<ReportDataSource> m_data;
    RowFilter m_filter;
    std::vector<std::function<void(Report &)>> m_beforePrint;
    QHash<QString, double> m_totals;
    QStringList m_messages;
};

// The date reports print: today, or the date in ZELK_REPORT_DATE (YYYY-MM-DD) when that is
// set, so that saved reports can be compared in tests.
QDate reportPrintDate();

// The system's short date format used on reports: dd-MM-yyyy.
QString shortDate(const QDate &date);

} // namespace zelk
