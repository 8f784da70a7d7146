// Prints what starting costs with a large administration: the data module opened as the
// main menu opens it (and the last journal number it shows), the desktop program up to its
// main menu, the per-account overview built from the journal, and zelk-cli `accounts`, a booking and `journal` (whole processes, from start
// to exit). Each figure comes from a process of its own, so the peak memory printed with it
// (getrusage ru_maxrss) is that of this step alone; processor time is printed beside the
// time on the clock, which a busy machine inflates.
// Usage: bench_startup [JOURNAL_ROWS] [MEMBERS] [FOLDER]
//   (default 100,000 journal rows and 10,000 members; FOLDER is the ZELK_HOME to use and
//   keep, a temporary one otherwise; a FOLDER seeded before is reused as it is)
#include "core/application.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "rekeningmutaties.h"
#include "rekeningschema.h"
#include "store/velden.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
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

double ownPeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return peakMegabytes(usage);
}

// Processor time of this process so far, in milliseconds.
double ownProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double processorMs(const rusage &usage)
{
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Time on the clock, processor time (which other programs on a busy machine do not
// inflate) and peak memory.
void print(const QString &what, double ms, double processor, double megabytes)
{
    std::printf("%-52s %8.1f ms (processor %7.1f ms) %7.1f MB peak\n", qPrintable(what), ms, processor, megabytes);
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

void seedMembers(DataModule1 &data, int count)
{
    Table &t = data.ledentabel;
    Transaction transaction(data.database1());
    for (int i = 0; i < count; ++i) {
        t.append();
        // Not in name order, as members come in.
        t.setValue(veld::leden::Naam, QStringLiteral("Lid %1").arg((i * 7919) % count, 6, 10, QChar(u'0')));
        t.setValue(veld::leden::Straat, QStringLiteral("Dorpsstraat %1").arg(i % 200));
        t.setValue(veld::leden::Plaats, QStringLiteral("Delft"));
        t.setValue(veld::leden::GebDatum, QDate(1950, 1, 1).addDays(i % 20000));
        t.post();
    }
    transaction.commit();
}

// Seeds what the folder lacks of `rows` bookings and `members` members.
void seed(int rows, int members)
{
    DataModule1 data;
    data.openForUse();
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

// One measurement, in this (child) process.
int measure(const QString &what, int argc, char **argv)
{
    QElapsedTimer timer;
    if (what == QLatin1String("menu")) {
        QCoreApplication app(argc, argv);
        timer.start();
        const double processor = ownProcessorMs();
        DataModule1 data;
        data.openForUse(); // what the main menu opens and reads each time it shows
        const qint64 last = data.lastJournalNumber();
        print(QStringLiteral("start-up to the main menu, engine (last JrNr %1)").arg(last), timer.nsecsElapsed() / 1e6,
              ownProcessorMs() - processor, ownPeakMegabytes());
        return 0;
    }
    if (what == QLatin1String("desktop")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        timer.start();
        const double processor = ownProcessorMs();
        Application app(argc, argv);
        Program program(false);
        program.mainMenu()->show();
        QCoreApplication::processEvents();
        print(QStringLiteral("desktop program up to its main menu (offscreen)"), timer.nsecsElapsed() / 1e6, ownProcessorMs() - processor,
              ownPeakMegabytes());
        return 0;
    }
    if (what == QLatin1String("rekening")) {
        // "Opbouw vanuit journaal" for a bank account, which most bookings touch; the data
        // module is open as the main menu left it, with no journal row read.
        QCoreApplication app(argc, argv);
        DataModule1 data;
        data.openForUse();
        timer.start();
        const double processor = ownProcessorMs();
        const rekeningmutaties::Opbouw opbouw = rekeningmutaties::opbouwen(data, 1);
        print(QStringLiteral("per-account build, bank account (%1 rows)").arg(opbouw.regels), timer.nsecsElapsed() / 1e6,
              ownProcessorMs() - processor, ownPeakMegabytes());
        // What the screen's grid adds: reading the list that was built.
        timer.start();
        const double reading = ownProcessorMs();
        const int shown = data.hulpT.recordCount();
        print(QStringLiteral("reading the built list (%1 rows) as the grid does").arg(shown), timer.nsecsElapsed() / 1e6,
              ownProcessorMs() - reading, ownPeakMegabytes());
        // Again, now that hulp.db holds the list: emptying it is part of every later build.
        timer.start();
        const double again = ownProcessorMs();
        rekeningmutaties::opbouwen(data, 1);
        print(QStringLiteral("the same build again, replacing the list"), timer.nsecsElapsed() / 1e6, ownProcessorMs() - again,
              ownPeakMegabytes());
        return 0;
    }
    return 2;
}

// Runs `program` with `args` to completion. With a `label`, its output is thrown away and
// its wall time and peak memory are printed; without, it prints its own figure.
void run(const QString &label, const QString &program, const QStringList &args)
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString &a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!label.isEmpty())
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::printf("%s: cannot start %s\n", qPrintable(label), argv[0]);
        return;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double ms = timer.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%s: ended with status %d\n", qPrintable(label.isEmpty() ? args.join(u' ') : label), status);
    if (!label.isEmpty())
        print(label, ms, processorMs(usage), peakMegabytes(usage));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && QLatin1String(argv[1]) == QLatin1String("--measure"))
        return measure(QString::fromLatin1(argv[2]), argc, argv);

    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int members = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10000;
    QTemporaryDir temporary;
    const QString home = argc > 3 ? QDir(QString::fromLocal8Bit(argv[3])).absolutePath() : temporary.path();
    QDir().mkpath(home);
    qputenv("ZELK_HOME", QFile::encodeName(home));
    const QString self = QFileInfo(QFile::decodeName(argv[0])).absoluteFilePath();
    const QString bin = QFileInfo(self).absoluteDir().absoluteFilePath(QStringLiteral("../zelk-cli"));
    const QString cli = qEnvironmentVariableIsSet("ZELK_CLI") ? qEnvironmentVariable("ZELK_CLI") : bin;
    {
        QCoreApplication app(argc, argv);
        seed(rows, members);
    }
    std::printf("%d journal rows, %d members in %s\n", rows, members, qPrintable(home));
    std::fflush(stdout);
    run({}, self, {QStringLiteral("--measure"), QStringLiteral("menu")});
    run({}, self, {QStringLiteral("--measure"), QStringLiteral("desktop")});
    run({}, self, {QStringLiteral("--measure"), QStringLiteral("rekening")});
    run(QStringLiteral("zelk-cli accounts"), cli, {QStringLiteral("accounts")});
    run(QStringLiteral("zelk-cli income (one booking)"), cli,
        {QStringLiteral("income"), QStringLiteral("7"), QStringLiteral("1"), QStringLiteral("1.00"), QStringLiteral("Bench")});
    run(QStringLiteral("zelk-cli journal (reads every journal row)"), cli, {QStringLiteral("journal")});
    return 0;
}
