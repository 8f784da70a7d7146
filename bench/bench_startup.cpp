// Prints what starting costs with a large administration: the data module opened as the
// main menu opens it (and the last journal number it shows), the desktop program up to its
// main menu, the per-account overview built from the journal, and zelk-cli `accounts`, a booking and `journal` (whole processes, from start
// to exit). Each figure comes from a process of its own, so the peak memory printed with it
// (getrusage ru_maxrss) is that of this step alone; processor time is printed beside the
// time on the clock, which a busy machine inflates.
// Usage: bench_startup [JOURNAL_ROWS] [MEMBERS] [FOLDER]
//   (default 100,000 journal rows and 10,000 members; FOLDER is the ZELK_HOME to use and
//   keep, a temporary one otherwise; a FOLDER seeded before is reused as it is)
#include "benchsupport.h"
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
#include <vector>

using namespace zelk;
using namespace zelk::bench;

namespace {

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
