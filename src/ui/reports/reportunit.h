#pragma once
// A report of the running program: created once at start-up, it registers itself as the
// action of its unit name, so that a main-menu button or a screen's print button opens
// it in the print preview (ignored while that report is already on show).
#include "preview/previewlauncher.h"
#include "toolkit/appcontext.h"

#include <QObject>

namespace zelk {

class ReportUnit : public QObject {
    Q_OBJECT
public:
    using Prepare = std::function<std::shared_ptr<Report>()>;

    ReportUnit(AppContext &context, const QString &unit, Prepare prepare, PreviewOptions options = {});

    // Prepares the report and shows it modal over `from`; false when ignored or failed.
    bool open(QWidget *from);

private:
    QString m_unit;
    Prepare m_prepare;
    PreviewOptions m_options;
};

// The report unit of a report in the catalogue (reports/reportcatalogus.h), for start-up to
// create; nullptr for a unit name that is not a report of this version.
QObject *createReportUnit(AppContext &context, const QString &unit);

} // namespace zelk
