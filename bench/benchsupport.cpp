#include "benchsupport.h"

#include "databases.h"
#include "declar.h"
#include "rekeningschema.h"
#include "store/connection.h"
#include "store/velden.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace zelk::bench {

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

void print(const QString &what, double ms, double processor, double megabytes, const QString &extra)
{
    std::printf("%-52s %8.1f ms (processor %8.1f ms) %7.1f MB peak %s\n", qPrintable(what), ms, processor, megabytes, qPrintable(extra));
    std::fflush(stdout);
}

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

} // namespace zelk::bench
