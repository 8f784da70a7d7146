// Measures the report engine on a journal-sized list: time to the first page (what the
// preview waits for), the whole layout, painting a page, and the exports.
// Usage: bench_report [ROWS] [FOLDER]   (default 100000 rows; files go to FOLDER or a temp folder)
#include "report/listreport.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "report/reportpainter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelk;

namespace {

std::shared_ptr<MemoryDataSource> journal(int rows)
{
    auto source = std::make_shared<MemoryDataSource>(
        QStringList{"JrNr", "Datum", "Omschrijving", "Vanrekening", "Naarrekening", "Bedrag"});
    source->reserve(rows);
    const QDate start(2024, 1, 1);
    for (int i = 1; i <= rows; ++i)
        source->addRow({double(i), start.addDays(i % 366), QStringLiteral("Contributie lid %1 maand %2").arg(i).arg(i % 12 + 1),
                        QStringLiteral("Contributies"), QStringLiteral("Bank 1"), 12.5 + (i % 100)});
    return source;
}

ListReportSpec journalSpec()
{
    ListReportSpec spec;
    spec.title = titles::printcontrijour;
    spec.fontSize = 8;
    spec.columns = {{QStringLiteral("Bkst"), QStringLiteral("JrNr"), 0, 12, ValueFormat::Text, true},
                    {QStringLiteral("Datum"), QStringLiteral("Datum"), 15, 20, ValueFormat::ShortDate},
                    {QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), 36, 60},
                    {QStringLiteral("Van rekening"), QStringLiteral("Vanrekening"), 97, 35},
                    {QStringLiteral("Naar rekening"), QStringLiteral("Naarrekening"), 133, 35},
                    {QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), 160, 30, ValueFormat::Number, true}};
    spec.totalField = QStringLiteral("Bedrag");
    spec.totalLabel = QStringLiteral("Totaaltelling van de getoonde mutaties");
    return spec;
}

QString makeLogo(const QString &folder)
{
    QImage logo(280, 120, QImage::Format_RGB32);
    logo.fill(QColor(240, 240, 255));
    QPainter painter(&logo);
    painter.setPen(QPen(QColor(78, 78, 156), 6));
    painter.drawRect(logo.rect().adjusted(3, 3, -3, -3));
    painter.setFont(QFont(QStringLiteral("Arial"), 28, QFont::Bold));
    painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("ZELK"));
    painter.end();
    const QString path = folder + QStringLiteral("/lidbedraglogo.jpg");
    logo.save(path, "JPG");
    return path;
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

    FrameSettings settings;
    settings.logoPath = makeLogo(folder);
    settings.associationName = QStringLiteral("Schaakclub De Toren");

    QElapsedTimer timer;
    timer.start();
    auto source = journal(rows);
    report("data rows in memory", timer.restart(), QStringLiteral("(%1 rows)").arg(rows));

    auto make = [&] { return makeListReport(journalSpec(), source, [settings] { return settings; }); };
    {
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
