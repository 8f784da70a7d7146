// Measures the program's long reports on a large administration: the journal list
// (printcontrijour) and the dues overview (printcontribut) as the catalogue builds them.
// For the journal: its first page as the preview shows it, its last page, and the whole
// report saved as text, CSV, HTML and PDF; for the dues overview: its first page and the
// whole report saved as PDF. Each figure comes from a process of its own, so the peak
// memory printed with it (getrusage ru_maxrss) is that of this step alone; processor time
// is printed beside the time on the clock, which a busy machine inflates. Every step
// includes reading the table it lists, as opening the preview does.
// Usage: bench_report [JOURNAL_ROWS] [MEMBERS] [FOLDER]
//   (default 100,000 journal rows and 10,000 members; FOLDER is the ZELK_HOME to use and
//   keep, a temporary one otherwise; a FOLDER seeded before is reused as it is)
#include "benchsupport.h"
#include "databases.h"
#include "declar.h"
#include "rekeningschema.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "report/reportpainter.h"
#include "reports/reportcatalogus.h"
#include "store/connection.h"
#include "store/velden.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

using namespace zelk;
using namespace zelk::bench;

namespace {

QString sizeOf(const QString &path)
{
    return QStringLiteral("(%1 kB)").arg(QFileInfo(path).size() / 1024);
}

// One measurement, in this (child) process: "first UNIT", "last UNIT" or "FORMAT UNIT".
int measure(const QString &what, const QString &unit, const QString &folder, int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const ReportEntry *entry = reportByUnit(unit);
    if (!entry)
        return 2;
    QElapsedTimer timer;
    timer.start();
    const double processor = ownProcessorMs();
    DataModule1 data;
    data.openForUse();
    ReportDocument document(entry->build(data));
    const QString label = unit + u' ' + what;
    if (what == u"first" || what == u"last") {
        // What the preview does before it shows a page: lay it out and paint it at 96 dpi.
        int index = 0;
        if (what == u"last")
            index = document.pageCount() - 1;
        renderReportPage(document, document.page(index), 96 / 25.4);
        print(QStringLiteral("%1 preview page").arg(label), timer.nsecsElapsed() / 1e6, ownProcessorMs() - processor, ownPeakMegabytes(),
              QStringLiteral("(page %1)").arg(index + 1));
        return 0;
    }
    const auto format = exportFormatFromName(what);
    if (!format)
        return 2;
    const QString path = folder + u'/' + unit + u'.' + exportSuffix(*format);
    exportReport(document, *format, path);
    const double ms = timer.nsecsElapsed() / 1e6;
    print(QStringLiteral("%1 export").arg(label), ms, ownProcessorMs() - processor, ownPeakMegabytes(),
          QStringLiteral("(%1 pages) %2").arg(document.pageCount()).arg(sizeOf(path)));
    QFile::remove(path);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 4 && QLatin1String(argv[1]) == QLatin1String("--measure"))
        return measure(QString::fromLatin1(argv[2]), QString::fromLatin1(argv[3]), QString::fromLocal8Bit(argv[4]), argc, argv);

    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int members = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10000;
    QTemporaryDir temporary;
    const QString home = argc > 3 ? QDir(QString::fromLocal8Bit(argv[3])).absolutePath() : temporary.path();
    QDir().mkpath(home);
    qputenv("ZELK_HOME", QFile::encodeName(home));
    qputenv("ZELK_REPORT_DATE", "2026-12-31");
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        seed(rows, members);
    }
    std::printf("%d journal rows, %d members in %s\n", rows, members, qPrintable(home));
    std::fflush(stdout);
    const QString self = QFileInfo(QFile::decodeName(argv[0])).absoluteFilePath();
    const QString journal = QStringLiteral("printcontrijour");
    const QString dues = QStringLiteral("printcontribut");
    for (const auto &[what, unit] : std::vector<std::pair<QString, QString>>{{QStringLiteral("first"), journal},
                                                                             {QStringLiteral("last"), journal},
                                                                             {QStringLiteral("txt"), journal},
                                                                             {QStringLiteral("csv"), journal},
                                                                             {QStringLiteral("html"), journal},
                                                                             {QStringLiteral("pdf"), journal},
                                                                             {QStringLiteral("first"), dues},
                                                                             {QStringLiteral("pdf"), dues}})
        run({}, self, {QStringLiteral("--measure"), what, unit, home});
    return 0;
}
