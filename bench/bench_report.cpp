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
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace zelk;

namespace {

double peakMegabytes(const rusage &usage)
{
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

double ownProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double ownPeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return peakMegabytes(usage);
}

void print(const QString &what, double ms, double processor, double megabytes, const QString &extra = {})
{
    std::printf("%-40s %8.1f ms (processor %8.1f ms) %7.1f MB peak %s\n", qPrintable(what), ms, processor, megabytes, qPrintable(extra));
    std::fflush(stdout);
}

// Books `rows` bookings, income and expenses in turn, in transactions of 50,000.
void seedJournal(DataModule1 &data, int rows)
{
    const auto &income = rekeningschema::inkomsten();
    const auto &costs = rekeningschema::kosten();
    const QDate start(2026, 1, 1);
    for (int done = 0; done < rows;) {
        Transaction transaction(data.database1());
        for (const int end = std::min(rows, done + 50000); done < end;) {
            const int i = ++done;
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
}

// Members with a few months of dues paid each, not in name order.
void seedMembers(DataModule1 &data, int count)
{
    Table &t = data.ledentabel;
    const QStringList months = veld::leden::maanden();
    Transaction transaction(data.database1());
    for (int i = 0; i < count; ++i) {
        t.append();
        t.setValue(veld::leden::Naam, QStringLiteral("Lid %1").arg((i * 7919) % count, 6, 10, QChar(u'0')));
        t.setValue(veld::leden::Straat, QStringLiteral("Dorpsstraat %1").arg(i % 200));
        t.setValue(veld::leden::Plaats, QStringLiteral("Delft"));
        t.setValue(veld::leden::GebDatum, QDate(1950, 1, 1).addDays(i % 20000));
        for (int m = 0; m < i % 12; ++m)
            t.setValue(months.at(m), true);
        t.post();
    }
    transaction.commit();
}

void seed(int rows, int members)
{
    DataModule1 data;
    data.openForUse();
    data.setVerenigingsnaam(QStringLiteral("Schaakclub De Toren"));
    const int journal = data.journaaltabel.totalCount();
    const int register_ = data.ledentabel.totalCount();
    QElapsedTimer timer;
    timer.start();
    const double processor = ownProcessorMs();
    if (register_ < members)
        seedMembers(data, members - register_);
    if (journal < rows)
        seedJournal(data, rows - journal);
    if (register_ < members || journal < rows)
        print(QStringLiteral("seeding %1 members, %2 bookings").arg(std::max(0, members - register_)).arg(std::max(0, rows - journal)),
              timer.nsecsElapsed() / 1e6, ownProcessorMs() - processor, ownPeakMegabytes());
}

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

void run(const QString &program, const QStringList &args)
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString &a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::printf("cannot start %s\n", argv[0]);
        return;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%s: ended with status %d\n", qPrintable(args.join(u' ')), status);
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
        run(self, {QStringLiteral("--measure"), what, unit, home});
    return 0;
}
