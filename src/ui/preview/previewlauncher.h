#pragma once
// What every report button calls: prepares the report and shows it in the print preview,
// modal over the calling screen, unless that report is already being generated or shown
// (then the request is ignored without a word). Errors while preparing or laying out the
// first page are shown in a message box; messages the report leaves (an unreadable logo)
// are shown once.
#include "report/report.h"

#include <functional>
#include <memory>

class QWidget;

namespace zelk {

class PreviewWindow;

struct PreviewOptions {
    int zoomPercent = 0;                             // 0: fit the page width
    std::function<void(PreviewWindow &)> whileShown; // runs once the window is open (tests)
};

// Returns false when the request was ignored or failed, true after the preview closed.
bool showReportPreview(QWidget *caller, const QString &reportName, const std::function<std::shared_ptr<Report>()> &prepare,
                       const PreviewOptions &options = {});

} // namespace zelk
