// Prints what adding one member costs as the register grows: members are added one by one
// to the read register (as on the member screen), in no particular name order (as they
// come in), all in one transaction so that the disk does not hide the table's own work.
// The cost per member is printed for every block, as time on the clock and as processor
// time (which other programs on a busy machine do not inflate), with the peak memory
// (getrusage ru_maxrss) so far. With --grid the member grid of the member screen is bound
// to the table and shown, as while typing members in.
// Usage: bench_memberinserts [MEMBERS] [BLOCK] [--grid]   (default 40,000 in blocks of 5,000)
#include "databases.h"
#include "store/velden.h"
#include "toolkit/boundgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/resource.h>

using namespace zelk;

namespace {
double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Processor time of this process in microseconds: unlike the clock on the wall, it does
// not count the time other programs had the processor.
double cpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// The i-th of `count` names: every name once, in an order unrelated to name order, with
// upper and lower case and accents mixed as a real register has them.
QString nameOf(int i, int count)
{
    static const QStringList prefixes = {"Bakker", "de Boer", "Çelik", "van Dijk", "Émile", "jansen", "Öztürk", "Visser"};
    const int n = static_cast<int>((static_cast<qint64>(i) * 7919) % count);
    return QStringLiteral("%1 %2").arg(prefixes[n % prefixes.size()]).arg(n, 6, 10, QChar(u'0'));
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool withGrid = args.removeAll(QStringLiteral("--grid")) > 0;
    const int members = args.size() > 0 ? args[0].toInt() : 40000;
    const int block = args.size() > 1 ? args[1].toInt() : 5000;
    QTemporaryDir home;
    qputenv("ZELK_HOME", home.path().toUtf8());
    DataModule1 data;
    data.openForUse();
    Table &t = data.ledentabel;
    std::unique_ptr<BoundGrid> grid;
    if (withGrid) {
        grid = std::make_unique<BoundGrid>(t, fieldColumns(t, {"Naam", "Straat", "Plaats", "Geb datum"}));
        grid->resize(900, 400);
        grid->show();
        QApplication::processEvents();
    }
    t.first(); // the rows are read, as the member screen has them
    std::printf("adding %d members one by one%s\n", members, withGrid ? " with the member grid shown" : "");
    Transaction transaction(data.database1());
    QElapsedTimer timer;
    for (int from = 0; from < members; from += block) {
        const int to = std::min(members, from + block);
        timer.start();
        const double cpuStart = cpuMicroseconds();
        for (int i = from; i < to; ++i) {
            t.append();
            t.setValue(veld::leden::Naam, nameOf(i, members));
            t.setValue(veld::leden::Straat, QStringLiteral("Dorpsstraat %1").arg(i % 200));
            t.setValue(veld::leden::Plaats, QStringLiteral("Delft"));
            t.setValue(veld::leden::GebDatum, QDate(1950, 1, 1).addDays(i % 20000));
            t.post();
            if (withGrid)
                QApplication::processEvents();
        }
        const double cpu = (cpuMicroseconds() - cpuStart) / (to - from);
        const double wall = timer.nsecsElapsed() / 1000.0 / (to - from);
        std::printf("members %6d to %6d: %7.1f us per member (processor %7.1f us) %7.1f MB peak\n", from, to, wall, cpu, peakMegabytes());
        std::fflush(stdout);
    }
    transaction.commit();
    return 0;
}
