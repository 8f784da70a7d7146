// Prints how long the member register takes with many members: one keystroke in the
// filter panel (the grid, the count and the table all follow), clearing it again, one
// keystroke in the find panel, opening the member list and dues reports, and exporting
// and importing the members as CSV.
// Usage: bench_members [MEMBERS] (10,000 by default).
#include "databases.h"
#include "ledenimport.h"
#include "report/reportdocument.h"
#include "reports/printcontribut.h"
#include "reports/printleden.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/findpanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelk;

namespace {
void report(const QString &what, qint64 us)
{
    std::printf("%-52s %10.1f ms\n", qPrintable(what), us / 1000.0);
}

void addMembers(DataModule1 &data, int count)
{
    static const char *towns[] = {"Delft", "Gouda", "Leiden", "Zwolle", "Amersfoort", "Haarlem", "Alkmaar", "Deventer", "Tiel", "Assen"};
    Table &t = data.ledentabel;
    Transaction all(data.database1());
    for (int i = 0; i < count; ++i) {
        t.append();
        t.setValue(u"Naam", QStringLiteral("Lid %1").arg(i, 6, 10, QChar(u'0')));
        t.setValue(u"Straat", QStringLiteral("Dorpsstraat %1").arg(i % 200));
        t.setValue(u"Plaats", QString::fromLatin1(towns[i % 10]));
        t.setValue(u"Geb datum", QDate(1950, 1, 1).addDays(i % 20000));
        t.setValue(u"Mrt", i % 2 == 0);
        t.post();
    }
    all.commit();
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int members = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir home;
    qputenv("ZELK_HOME", home.path().toUtf8());
    DataModule1 data;
    data.openForUse();
    QElapsedTimer timer;
    timer.start();
    addMembers(data, members);
    report(QStringLiteral("adding %1 members in one transaction").arg(members), timer.nsecsElapsed() / 1000);

    Table &t = data.ledentabel;
    BoundGrid grid(t, fieldColumns(t, {"Naam", "Straat", "Pcode", "Plaats", "Email", "Bank-giro", "Geb datum", "Lidbedrag", "Soortlid"}));
    grid.resize(900, 400);
    grid.show();
    FieldFilterPanel filter(QStringLiteral("  FILTER    "), t, {{"Naam", Match::Contains}, {"Plaats", Match::Contains}});
    FindPanel find(QStringLiteral("  ZOEKEN  "), t, {{"Naam", Match::Contains}, {"Plaats", Match::StartsWith}});
    filter.setFiltering(true);
    QApplication::processEvents();

    QLineEdit *town = filter.box(QStringLiteral("Plaats"));
    timer.start();
    town->insert(QStringLiteral("d")); // as one typed character
    QApplication::processEvents();
    report(QStringLiteral("filter keystroke \"d\" on Plaats (%1 of %2 left)").arg(t.recordCount()).arg(members),
           timer.nsecsElapsed() / 1000);
    timer.start();
    town->insert(QStringLiteral("e"));
    QApplication::processEvents();
    report(QStringLiteral("filter keystroke \"e\" on Plaats (%1 left)").arg(t.recordCount()), timer.nsecsElapsed() / 1000);
    timer.start();
    filter.clearFilter();
    QApplication::processEvents();
    report(QStringLiteral("clearing the filter (%1 shown)").arg(t.recordCount()), timer.nsecsElapsed() / 1000);

    timer.start();
    find.box(QStringLiteral("Naam"))->insert(QStringLiteral("9"));
    QApplication::processEvents();
    report(QStringLiteral("find keystroke on Naam (row %1)").arg(t.currentRow()), timer.nsecsElapsed() / 1000);

    timer.start();
    {
        ReportDocument document(printleden(data).report());
        document.page(0); // what the preview waits for before it shows
        report(QStringLiteral("member list 1: first page of %1 members").arg(members), timer.nsecsElapsed() / 1000);
        timer.start();
        const int pages = document.pageCount();
        report(QStringLiteral("member list 1: all %1 pages").arg(pages), timer.nsecsElapsed() / 1000);
    }
    timer.start();
    {
        ReportDocument document(printcontribut(data).report());
        document.page(0);
        report(QStringLiteral("dues overview: first page"), timer.nsecsElapsed() / 1000);
        timer.start();
        const int pages = document.pageCount();
        report(QStringLiteral("dues overview: all %1 pages").arg(pages), timer.nsecsElapsed() / 1000);
    }

    const QString file = home.filePath(QStringLiteral("leden.csv"));
    timer.start();
    ledenimport::exportCsv(t, file);
    report(QStringLiteral("exporting %1 members to CSV").arg(members), timer.nsecsElapsed() / 1000);
    data.switchAdministration(1);
    timer.start();
    ledenimport::importCsv(data.ledentabel, data.database1(), file);
    report(QStringLiteral("importing %1 members from CSV").arg(members), timer.nsecsElapsed() / 1000);
    return 0;
}
