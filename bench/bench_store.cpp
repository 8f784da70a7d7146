// Prints how long the table store takes with a large administration: booking 100,000
// journal rows in one action, one single booking in its own transaction (which waits for
// the disk), opening the tables again, reading the journal's rows (on first use),
// filtering the journal and refreshing it.
#include "databases.h"
#include "declar.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelk;

namespace {
void report(const char *what, qint64 ms)
{
    std::printf("%-48s %8lld ms\n", what, static_cast<long long>(ms));
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir home;
    qputenv("ZELK_HOME", home.path().toUtf8());
    QElapsedTimer timer;

    {
        DataModule1 data;
        data.openForUse();
        timer.start();
        Transaction all(data.database1());
        for (int i = 0; i < rows; ++i)
            declar::boekpost(data, 7 + i % 5, 1 + i % 3, QStringLiteral("Boeking %1").arg(i), QDate(2026, 1, 1).addDays(i % 365), 12.5);
        all.commit();
        report(qPrintable(QStringLiteral("%1 bookings in one transaction").arg(rows)), timer.elapsed());

        timer.start();
        declar::boekpost(data, 7, 1, QStringLiteral("Nog een"), QDate(2026, 6, 1), 1.0);
        report("one booking in its own transaction", timer.elapsed());
    }

    DataModule1 data;
    timer.start();
    data.openForUse();
    report("opening all tables", timer.elapsed());

    timer.start();
    const int journalRows = data.journaaltabel.recordCount(); // the first use reads the rows
    report(qPrintable(QStringLiteral("reading the journal's %1 rows").arg(journalRows)), timer.elapsed());

    timer.start();
    const int description = data.journaaltabel.fieldIndex(u"Omschrijving");
    data.journaaltabel.setFiltered(true);
    data.journaaltabel.setCondition([description](const Table::Values &v) { return v.value(description).toString().endsWith(u'7'); });
    report(qPrintable(QStringLiteral("filtering the journal (%1 rows pass)").arg(data.journaaltabel.recordCount())), timer.elapsed());

    timer.start();
    data.journaaltabel.refresh();
    report("refreshing the filtered journal", timer.elapsed());
    return 0;
}
