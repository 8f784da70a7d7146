#include "previewlauncher.h"

#include "previewwindow.h"
#include "toolkit/reportbusy.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace zelk {

bool showReportPreview(QWidget *caller, const QString &reportName, const std::function<std::shared_ptr<Report>()> &prepare,
                       const PreviewOptions &options)
{
    ReportBusyGuard guard(reportName);
    if (!guard)
        return false;

    std::shared_ptr<ReportDocument> document;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        document = std::make_shared<ReportDocument>(prepare());
        document->page(0);
    } catch (const std::exception &error) {
        QApplication::restoreOverrideCursor();
        QMessageBox::critical(caller, QStringLiteral("Fout"), QString::fromStdString(error.what()));
        return false;
    }
    QApplication::restoreOverrideCursor();

    for (const QString &message : document->report().messages())
        QMessageBox::warning(caller, QStringLiteral("Afbeelding"), message);

    PreviewWindow window(document, caller);
    if (options.zoomPercent > 0)
        window.setZoomPercent(options.zoomPercent);
    if (options.whileShown)
        QTimer::singleShot(0, &window, [&window, &options] { options.whileShown(window); });
    window.exec();
    return true;
}

} // namespace zelk
