#include "reportbusy.h"

#include <QSet>

namespace zelk {

namespace {
QSet<QString> &busyReports()
{
    static QSet<QString> reports; // the user-interface thread is the only one
    return reports;
}
} // namespace

ReportBusyGuard::ReportBusyGuard(const QString &report) : m_report(report)
{
    if (!busyReports().contains(report)) {
        busyReports().insert(report);
        m_acquired = true;
    }
}

ReportBusyGuard::~ReportBusyGuard()
{
    if (m_acquired)
        busyReports().remove(m_report);
}

bool ReportBusyGuard::isBusy(const QString &report)
{
    return busyReports().contains(report);
}

} // namespace zelk
