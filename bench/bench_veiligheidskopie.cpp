// Prints what a safety copy costs on a large administration (MEMBERS members and ROWS
// journal rows): the copy alone, the year-end closing and the clean slate with their
// copy included, and putting a copy back. The copy should be small beside the action.
// Usage: bench_veiligheidskopie [MEMBERS] [ROWS]   (default 10000 members, 100000 rows)
#include "databases.h"
#include "declar.h"
#include "jaarafsluiting.h"
#include "rekeningschema.h"
#include "schoneleimaken.h"
#include "store/velden.h"
#include "veiligheidskopie.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelk;

namespace {
void report(const QString &what, qint64 ns, const QString &extra = {})
{
    std::printf("%-44s %9.1f ms  %s\n", qPrintable(what), ns / 1e6, qPrintable(extra));
    std::fflush(stdout);
}

qint64 folderBytes(const QString &path)
{
    qint64 total = 0;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        total += it.nextFileInfo().size();
    return total;
}

void seed(DataModule1 &data, int members, int rows)
{
    Transaction transaction(data.database1());
    Table &m = data.ledentabel;
    for (int i = 0; i < members; ++i) {
        m.append();
        m.setValue(veld::leden::Naam, QStringLiteral("Lid %1").arg(i, 6, 10, QChar(u'0')));
        m.setValue(veld::leden::Straat, QStringLiteral("Dorpsstraat %1").arg(i % 200));
        m.setValue(veld::leden::Plaats, QStringLiteral("Gouda"));
        for (const QString &month : veld::leden::maandenVan(1))
            m.setValue(month, i % 3 == 0);
        m.post();
    }
    const auto &income = rekeningschema::inkomsten();
    const auto &costs = rekeningschema::kosten();
    const QDate start(2026, 1, 1);
    for (int i = 1; i <= rows; ++i) {
        if (i % 3)
            declar::boekpost(data, income[std::size_t(i) % income.size()], 1 + i % 5, QStringLiteral("Contributie %1").arg(i),
                             start.addDays(i % 365), 12.5);
        else
            declar::boekpost(data, 1 + i % 5, costs[std::size_t(i) % costs.size()], QStringLiteral("Factuur %1").arg(i),
                             start.addDays(i % 365), 7.25);
    }
    transaction.commit();
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int members = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int rows = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100000;
    QTemporaryDir home;
    qputenv("ZELK_HOME", home.path().toUtf8());
    DataModule1 data;
    data.openForUse();
    QElapsedTimer timer;
    timer.start();
    seed(data, members, rows);
    report(QStringLiteral("seeding %1 members, %2 journal rows").arg(members).arg(rows), timer.nsecsElapsed());

    for (int run = 1; run <= 3; ++run) {
        timer.start();
        const veiligheidskopie::Kopie kopie = veiligheidskopie::maak(data.database1(), veiligheidskopie::jaarafsluiting);
        report(QStringLiteral("safety copy alone, run %1").arg(run), timer.nsecsElapsed(),
               QStringLiteral("%1 MB").arg(folderBytes(kopie.pad) / 1e6, 0, 'f', 1));
    }

    timer.start();
    jaarafsluiten(data, QDate(2026, 12, 31));
    const qint64 closing = timer.nsecsElapsed();
    report(QStringLiteral("year-end closing, copy included"), closing,
           QStringLiteral("journal now %1 rows").arg(data.journaaltabel.recordCount()));

    const QString before = veiligheidskopie::lijst(data.werkmap()).last().naam;
    timer.start();
    veiligheidskopie::zetTerug(data, before);
    report(QStringLiteral("putting the copy back (with its own copy)"), timer.nsecsElapsed(),
           QStringLiteral("journal again %1 rows").arg(data.journaaltabel.recordCount()));

    timer.start();
    schoneLei(data);
    report(QStringLiteral("clean slate, copy included"), timer.nsecsElapsed());
    return 0;
}
