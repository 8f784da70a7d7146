// zelk-cli close-year, clean-slate, snapshots and snapshot-restore, as a script would use
// them: each action leaves a safety copy, putting that copy back gives every row back,
// a full disk refuses the action, and a restore stopped at any moment leaves either the
// old or the restored administration.
#include "clirun.h"
#include "smalldisk.h"
#include "tabeldump.h"
#include "testhome.h"
#include "veiligheidskopie.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace zelk;

namespace {
struct Snapshot {
    QString name, action, moment;
};

QList<Snapshot> snapshots()
{
    const test::CliRun run = test::cli({"snapshots"});
    if (run.exitCode != 0)
        return {};
    QList<Snapshot> list;
    for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(u'\t');
        list << (parts.size() == 3 ? Snapshot{parts[0], parts[1], parts[2]} : Snapshot{line, {}, {}});
    }
    return list;
}

QStringList openItems(const QString &admin)
{
    const QStringList rows = test::tableRows(admin);
    return rows.filter(QStringLiteral("tebetalen.db|")) + rows.filter(QStringLiteral("teontvangen.db|"));
}

QStringList hiddenLeftovers(const QString &home)
{
    QStringList found = QDir(home).entryList({QStringLiteral(".terugzetten*")}, QDir::AllEntries | QDir::Hidden);
    const QString copies = home + QStringLiteral("/veiligheidskopieen/zelk");
    found += QDir(copies).entryList({QStringLiteral(".*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    return found;
}
} // namespace

class TestCliAfsluiten : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closeYearThenPutTheCopyBack()
    {
        test::TestHome home;
        QCOMPARE(test::cli({"seed", "--members", "40", "--bookings", "120", "--open-items", "4"}).exitCode, 0);
        const QString admin = home.administration(0);
        const QStringList before = test::dump(admin);
        const QStringList itemsBefore = openItems(admin);
        QVERIFY(!itemsBefore.isEmpty());

        const test::CliRun closed = test::cli({"close-year", "--date", "2026-12-31"});
        QCOMPARE(closed.exitCode, 0);
        QVERIFY2(closed.out.startsWith(QStringLiteral("Boekjaar afgesloten per 31-12-2026; laatste boekstuknummer ")),
                 qPrintable(closed.out));
        const QString journal = test::cli({"journal"}).out;
        QVERIFY(journal.startsWith(QStringLiteral("1\t2026-12-31\tbeginbalans\tEigen vermogen\t")));
        QCOMPARE(journal.count(QStringLiteral("\tbeginbalans\t")), journal.count(u'\n'));
        QCOMPARE(openItems(admin), itemsBefore); // the open items stay

        const QList<Snapshot> list = snapshots();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].action, QStringLiteral("jaarafsluiting"));
        QCOMPARE(list[0].name, QString(list[0].moment).replace(u':', u'-') + QStringLiteral(" jaarafsluiting"));
        QVERIFY(closed.out.contains(
            QStringLiteral("Veiligheidskopie van daarvoor: %1 (%2/veiligheidskopieen/zelk/%1)").arg(list[0].name, home.path())));
        const QStringList afterClosing = test::dump(admin);

        const test::CliRun restored = test::cli({"snapshot-restore", list[0].name});
        QCOMPARE(restored.exitCode, 0);
        QVERIFY(restored.out.startsWith(QStringLiteral("Veiligheidskopie %1 is teruggezet.\n").arg(list[0].name)));
        QCOMPARE(test::dump(admin), before);
        QCOMPARE(test::cli({"check"}).exitCode, 0);

        // Putting back made its own copy first, newest last.
        const QList<Snapshot> now = snapshots();
        QCOMPARE(now.size(), 2);
        QCOMPARE(now[0].name, list[0].name);
        QCOMPARE(now[1].action, QStringLiteral("terugzetten"));
        QCOMPARE(test::dump(home.path() + QStringLiteral("/veiligheidskopieen/zelk/") + now[1].name), afterClosing);
        QCOMPARE(hiddenLeftovers(home.path()), QStringList());
    }

    void cleanSlateThenPutTheCopyBack()
    {
        test::TestHome home;
        QCOMPARE(test::cli({"seed", "--members", "25", "--bookings", "60", "--open-items", "3"}).exitCode, 0);
        const QString admin = home.administration(0);
        const QStringList before = test::dump(admin);
        const QStringList members = test::tableRows(admin).filter(QStringLiteral("leden.DB|"));

        const test::CliRun slate = test::cli({"clean-slate", "--yes"});
        QCOMPARE(slate.exitCode, 0);
        QVERIFY(slate.out.contains(QStringLiteral("Journaal, saldi en openstaande posten zijn leeggemaakt")));
        QCOMPARE(test::cli({"journal"}).out, QString());
        QCOMPARE(test::cli({"open-items", "payables"}).out, QString());
        QCOMPARE(test::cli({"open-items", "receivables"}).out, QString());
        const QStringList accounts = test::cli({"accounts"}).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(accounts.size(), 37);
        for (const QString &line : accounts)
            QVERIFY2(line.endsWith(QStringLiteral("\t0.00")), qPrintable(line));
        QCOMPARE(test::tableRows(admin).filter(QStringLiteral("leden.DB|")), members);

        const QList<Snapshot> list = snapshots();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].action, QStringLiteral("schone lei"));
        QCOMPARE(test::cli({"snapshot-restore", list[0].name}).exitCode, 0);
        QCOMPARE(test::dump(admin), before);
    }

    void wrongArgumentsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("clean-slate without --yes") << QStringList{"clean-slate"} << 2 << "bevestig met --yes";
        QTest::newRow("close-year without date") << QStringList{"close-year"} << 2 << "close-year heeft de afsluitdatum nodig";
        QTest::newRow("close-year bad date") << QStringList{"close-year", "--date", "2026-13-01"} << 2 << "--date moet een datum zijn";
        QTest::newRow("snapshot-restore without name")
            << QStringList{"snapshot-restore"} << 2 << "heeft de naam van een veiligheidskopie nodig";
        QTest::newRow("snapshot-restore unknown") << QStringList{"snapshot-restore", "2020-01-01 00-00-00 jaarafsluiting"} << 1
                                                  << "Fout: Er is geen veiligheidskopie \"2020-01-01 00-00-00 jaarafsluiting\"";
        QTest::newRow("snapshots with argument") << QStringList{"snapshots", "alle"} << 2 << "snapshots heeft geen argumenten";
    }
    void wrongArgumentsChangeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        test::TestHome home;
        QCOMPARE(test::cli({"seed", "--members", "5", "--bookings", "10", "--open-items", "1"}).exitCode, 0);
        const QStringList before = test::dump(home.administration(0));
        const test::CliRun run = test::cli(args);
        QCOMPARE(run.exitCode, code);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(test::dump(home.administration(0)), before);
        QVERIFY(snapshots().isEmpty());
    }

    void aFullDiskRefusesTheAction()
    {
        test::TestHome home;
        QCOMPARE(test::cli({"seed", "--members", "10", "--bookings", "30", "--open-items", "2"}).exitCode, 0);
        const QString copies = home.path() + QStringLiteral("/veiligheidskopieen");
        QVERIFY(QDir().mkpath(copies));
        test::SmallDisk disk(copies, "1m");
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        QVERIFY(disk.fill());
        const QStringList before = test::dump(home.administration(0));
        const QString csv = home.path() + QStringLiteral("/nieuw.csv");
        {
            QFile file(csv);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Naam;Plaats\nNieuw Lid;Delft\n");
        }
        for (const QStringList &args : {QStringList{"close-year", "--date", "2026-12-31"}, QStringList{"clean-slate", "--yes"},
                                        QStringList{"members", "import", csv}}) {
            const test::CliRun run = test::cli(args);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.startsWith(QStringLiteral("Fout: Er kon geen veiligheidskopie van de administratie worden gemaakt in "))
                         && run.err.contains(QStringLiteral("niet uitgevoerd; er is niets gewijzigd.")),
                     qPrintable(run.err));
            QCOMPARE(test::dump(home.administration(0)), before);
        }
        QVERIFY(snapshots().isEmpty());
        // Nothing half made stays: at most the empty folder of the administration.
        QStringList left = QDir(copies).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeOne(QStringLiteral(".vulsel"));
        left.removeOne(QStringLiteral("zelk"));
        QCOMPARE(left, QStringList());
        QCOMPARE(QDir(copies + QStringLiteral("/zelk")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    // A restore stopped (killed) at ever later moments: the administration is always the
    // whole old one or the whole restored one, and the next command works on it.
    void aStoppedRestoreNeverLeavesAMix()
    {
        test::TestHome home;
        QCOMPARE(test::cli({"seed", "--members", "300", "--bookings", "2000", "--open-items", "5"}).exitCode, 0);
        const QString admin = home.administration(0);
        const QStringList open = test::dump(admin);
        QCOMPARE(test::cli({"close-year", "--date", "2026-12-31"}).exitCode, 0);
        const QStringList closed = test::dump(admin);
        QVERIFY(open != closed);
        // The newest copy that holds the other state.
        const auto copyOf = [&](const QStringList &state) {
            const QList<veiligheidskopie::Kopie> copies = veiligheidskopie::lijst(admin);
            for (auto it = copies.rbegin(); it != copies.rend(); ++it)
                if (test::dump(it->pad) == state)
                    return it->naam;
            return QString();
        };
        // How long one restore takes here, so that the stops fall all over it.
        QElapsedTimer whole;
        whole.start();
        QCOMPARE(test::cli({"snapshot-restore", copyOf(open)}).exitCode, 0);
        const int duration = static_cast<int>(whole.elapsed());
        QCOMPARE(test::dump(admin), open);
        int restored = 0, stopped = 0, changed = 0;
        constexpr int steps = 16;
        for (int step = 0; step <= steps; ++step) {
            const int delay = duration * step * 3 / (2 * steps); // up to half again as long
            const QStringList current = test::dump(admin);
            QVERIFY(current == open || current == closed);
            const QString name = copyOf(current == open ? closed : open);
            QVERIFY(!name.isEmpty());
            QProcess restore;
            restore.start(qEnvironmentVariable("ZELK_CLI"), {QStringLiteral("snapshot-restore"), name});
            QVERIFY(restore.waitForStarted());
            if (restore.waitForFinished(delay)) {
                ++restored;
            } else {
                restore.kill();
                QVERIFY(restore.waitForFinished(30000));
                ++stopped;
            }
            const QStringList after = test::dump(admin);
            QVERIFY2(after == open || after == closed, qPrintable(QStringLiteral("gemengd na %1 ms").arg(delay)));
            changed += after != current;
            QCOMPARE(test::cli({"check"}).exitCode, 0);
        }
        QVERIFY(stopped > 0);
        // A last restore that runs to its end clears what the stopped ones left.
        const QStringList current = test::dump(admin);
        QCOMPARE(test::cli({"snapshot-restore", copyOf(current == open ? closed : open)}).exitCode, 0);
        QVERIFY(test::dump(admin) != current);
        QCOMPARE(hiddenLeftovers(home.path()), QStringList());
        QVERIFY(snapshots().size() <= veiligheidskopie::bewaard);
        qInfo("one restore took %d ms; %d restores stopped, %d finished, %d changed the administration", duration, stopped, restored,
              changed);
    }
};

QTEST_GUILESS_MAIN(TestCliAfsluiten)
#include "test_cli_afsluiten.moc"
