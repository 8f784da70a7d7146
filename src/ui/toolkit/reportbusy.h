#pragma once
// Keeps a report from being started twice. A report button takes a guard for its report
// before preparing it and keeps it until the preview closes; while a guard for that
// report lives, another request for it is not acquired and is simply ignored.
#include <QString>

namespace zelk {

class ReportBusyGuard {
public:
    explicit ReportBusyGuard(const QString &report);
    ~ReportBusyGuard();
    ReportBusyGuard(const ReportBusyGuard &) = delete;
    ReportBusyGuard &operator=(const ReportBusyGuard &) = delete;

    bool acquired() const { return m_acquired; }
    explicit operator bool() const { return m_acquired; }

    static bool isBusy(const QString &report);

private:
    QString m_report;
    bool m_acquired = false;
};

} // namespace zelk
