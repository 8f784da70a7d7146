// Measures the report engine on a journal-sized list: an administration seeded with
// ROWS bookings through boekpost, then the time to the first page (what the preview
// waits for), the whole layout, painting a page, and the exports of the journal list.
// Usage: bench_report [ROWS] [FOLDER]   (default 100000 rows; files go to FOLDER or a temp folder)
#include "databases.h"
#include "declar.h"
#include "rekeningschema.h"
#include "report/listreport.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "report/reportpainter.h"
#include "reports/reportsettings.h"
#include "reports/tabledatasource.h"
#include "store/connection.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelk;

namespace {

// Books `rows` bookings, income and expenses in turn, as one transaction.
void seedJournal(DataModule1 &data, int rows)
{
    const auto &income = rekeningschema::inkomsten();
    const auto &costs = rekeningschema::kosten();
    const QDate start(2026, 1, 1);
    Transaction transaction(data.database1());
    for (int i = 1; i <= rows; ++i) {
        const QDate date = start.addDays(i % 365);
        if (i % 3)
            declar::boekpost(data, income[std::size_t(i) % income.size()], 1 + i % 5,
                             QStringLiteral("Contributie lid %1 maand %2").arg(i).arg(i % 12 + 1), date, 12.5 + i % 100);
        else
            declar::boekpost(data, 1 + i % 5, costs[std::size_t(i) % costs.size()], QStringLiteral("Factuur %1").arg(i), date,
                             7.25 + i % 300);
    }
    transaction.commit();
}

ListReportLayout journalList()
{
    ListReportLayout list;
    list.title = titles::printcontrijour;
    list.fontSize = 8;
    list.columns = {{QStringLiteral("Bkst"), QStringLiteral("JrNr"), 0, 12, ValueFormat::Text, true},
                    {QStringLiteral("Datum"), QStringLiteral("Datum"), 15, 20, ValueFormat::ShortDate},
                    {QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), 36, 60},
                    {QStringLiteral("Van rekening"), QStringLiteral("Vanrekening"), 97, 35},
                    {QStringLiteral("Naar rekening"), QStringLiteral("Naarrekening"), 133, 35},
                    {QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), 160, 30, ValueFormat::Number, true}};
    list.totalField = QStringLiteral("Bedrag");
    list.totalLabel = QStringLiteral("Totaaltelling van de getoonde mutaties");
    return list;
}

void report(const char *what, qint64 ms, const QString &extra = {})
{
    std::printf("%-28s %8lld ms %s\n", what, static_cast<long long>(ms), qPrintable(extra));
    std::fflush(stdout);
}

QString sizeOf(const QString &path)
{
    return QStringLiteral("(%1 kB)").arg(QFileInfo(path).size() / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir temp;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temp.path();
    QDir().mkpath(folder);

    qputenv("ZELK_HOME", QDir(folder).filePath(QStringLiteral("home")).toUtf8());
    QElapsedTimer timer;
    timer.start();
    DataModule1 data;
    data.openForUse();
    data.setVerenigingsnaam(QStringLiteral("Schaakclub De Toren"));
    if (data.journaaltabel.totalCount() < rows) {
        seedJournal(data, rows - data.journaaltabel.totalCount());
        report("administration seeded", timer.restart(), QStringLiteral("(%1 bookings)").arg(rows));
    }

    auto make = [&] { return makeListReport(journalList(), std::make_shared<TableDataSource>(data.journaaltabel), frameSettingsOf(data)); };
    {
        timer.restart();
        ReportDocument document(make());
        document.page(0);
        report("first page laid out", timer.restart());
        renderReportPage(document, document.page(0), 96 / 25.4);
        report("first page painted (96 dpi)", timer.restart());
        const int pages = document.pageCount();
        report("whole report laid out", timer.restart(), QStringLiteral("(%1 pages)").arg(pages));
    }
    for (ExportFormat format : {ExportFormat::Text, ExportFormat::Csv, ExportFormat::Html, ExportFormat::Pdf}) {
        timer.restart();
        ReportDocument document(make());
        const QString path = folder + QStringLiteral("/journaal.") + exportSuffix(format);
        exportReport(document, format, path);
        const QByteArray what = ("layout + export " + exportSuffix(format)).toLatin1();
        report(what.constData(), timer.restart(), sizeOf(path));
    }
    return 0;
}
