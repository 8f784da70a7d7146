// zelk-cli backup and restore as a script uses them, and a restore stopped at any moment:
// the administration is afterwards always either the old one or the restored one, whole.
#include "clirun.h"
#include "tabeldump.h"
#include "testhome.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

using namespace zelk;

namespace {
test::CliRun cli(const QStringList &arguments)
{
    return test::cli(arguments);
}

} // namespace

class TestCliBackup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void backupAndRestoreWithTheirRules()
    {
        test::TestHome home;
        QCOMPARE(cli({"seed", "--members", "20", "--bookings", "30", "--open-items", "4", "--seed", "7"}).exitCode, 0);
        const QString target = home.path() + QStringLiteral("/stick/backup");
        QVERIFY(QDir().mkpath(target));
        const test::CliRun backup = cli({"backup", target, "--tables", "leden,journaal.db"});
        QCOMPARE(backup.err, QString());
        QCOMPARE(backup.out, QStringLiteral("Gekopieerd: leden.DB\nGekopieerd: journaal.db\nBackup in %1: 2 tabel(len).\n").arg(target));
        QCOMPARE(QDir(target).entryList(QDir::Files), (QStringList{"journaal.db", "leden.DB", "zelk-backup.txt"}));
        const QStringList backedUp = test::mainRows(home.administration());

        QCOMPARE(cli({"book", "7", "1", "25.00", "Contributie maart"}).exitCode, 0);
        const test::CliRun restore = cli({"restore", target});
        QCOMPARE(restore.err, QString());
        QVERIFY2(restore.out.startsWith(QStringLiteral("Teruggezet: leden.DB\nTeruggezet: journaal.db\nVeiligheidskopie van daarvoor: ")),
                 qPrintable(restore.out));
        // The journal is back; the accounts, not part of this backup, keep the last booking.
        const QStringList now = test::mainRows(home.administration());
        QCOMPARE(now.filter(QRegularExpression("^(leden|journaal)")), backedUp.filter(QRegularExpression("^(leden|journaal)")));
        QVERIFY(now.filter(QRegularExpression("^rekeningen")) != backedUp.filter(QRegularExpression("^rekeningen")));

        // Wrong names, protected folders and the administration itself.
        QCOMPARE(cli({"backup", target, "--tables", "mailtjes"}).exitCode, 2);
        QCOMPARE(cli({"backup"}).exitCode, 2);
        const test::CliRun protectedFolder = cli({"backup", home.administration(2)});
        QCOMPARE(protectedFolder.exitCode, 1);
        QVERIFY2(
            protectedFolder.err.startsWith(QStringLiteral("Fout: In de map %1 kan geen backup worden gemaakt").arg(home.administration(2))),
            qPrintable(protectedFolder.err));
        QCOMPARE(cli({"backup", home.administration()}).out,
                 QStringLiteral("Niets gekopieerd: %1 is de map van de administratie zelf.\n").arg(home.administration()));
        const test::CliRun fromItself = cli({"restore", home.administration()});
        QCOMPARE(fromItself.exitCode, 1);
        QVERIFY(fromItself.err.contains(QStringLiteral("is de administratie zelf")));
        const test::CliRun missing = cli({"restore", target, "--tables", "rekeningen"});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.startsWith(QStringLiteral("Fout: Het bestand rekeningen.db ontbreekt in de map %1").arg(target)),
                 qPrintable(missing.err));
        // Restoring some tables only puts the journal out of step with the balances: the
        // restore screen warns for it, and the check sees it.
        const test::CliRun check = cli({"check"});
        QCOMPARE(check.exitCode, 0);
        QVERIFY2(check.out.startsWith(QStringLiteral("Waarschuwing: Het saldo van rekening 1 (Bank 1) is ")), qPrintable(check.out));
    }

    void aRestoreStoppedAtAnyMomentLeavesOneWholeAdministration()
    {
        test::TestHome home;
        QCOMPARE(cli({"seed", "--members", "200", "--bookings", "400", "--open-items", "20", "--seed", "3"}).exitCode, 0);
        // Two backups of two different states; each trial restores the one that is not current.
        const QString first = home.path() + QStringLiteral("/eerste");
        const QString second = home.path() + QStringLiteral("/tweede");
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
        QCOMPARE(cli({"backup", first}).exitCode, 0);
        const QStringList firstRows = test::mainRows(first);
        for (int i = 0; i < 15; ++i)
            QCOMPARE(cli({"book", "7", "1", "12.50", QStringLiteral("Contributie %1").arg(i)}).exitCode, 0);
        QCOMPARE(cli({"book", "24", "12", "80", "Zaalhuur", "--open-item"}).exitCode, 0);
        QCOMPARE(cli({"backup", second}).exitCode, 0);
        const QStringList secondRows = test::mainRows(second);
        QVERIFY(firstRows != secondRows);
        QCOMPARE(test::mainRows(home.administration()), secondRows);

        // The stops are spread over the time an undisturbed restore takes.
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(cli({"restore", first}).exitCode, 0);
        const qint64 span = timer.elapsed();
        QCOMPARE(test::mainRows(home.administration()), firstRows);

        const quint32 seed = quint32(QDateTime::currentMSecsSinceEpoch());
        QRandomGenerator random(seed);
        int stopped = 0;
        bool atFirst = true;
        for (int trial = 0; trial < 50; ++trial) {
            QProcess restore;
            restore.start(qEnvironmentVariable("ZELK_CLI"), {"restore", atFirst ? second : first});
            QVERIFY(restore.waitForStarted());
            const int delay = random.bounded(int(span) + 1);
            if (!restore.waitForFinished(delay)) {
                restore.kill();
                restore.waitForFinished();
                ++stopped;
            }
            const QString which = QStringLiteral("trial %1, stopped after %2 ms (seed %3)").arg(trial).arg(delay).arg(seed);
            const test::CliRun check = cli({"check"});
            QVERIFY2(check.out == QStringLiteral("OK\n"), qPrintable(which + u' ' + check.out + check.err));
            const QStringList rows = test::mainRows(home.administration());
            QVERIFY2(rows == firstRows || rows == secondRows, qPrintable(which));
            atFirst = rows == firstRows;
        }
        qInfo("%d of 50 restores were stopped before they ended", stopped);
        // And after all that, a restore runs to its end.
        QCOMPARE(cli({"restore", atFirst ? second : first}).exitCode, 0);
        QCOMPARE(test::mainRows(home.administration()), atFirst ? secondRows : firstRows);
    }
};

QTEST_GUILESS_MAIN(TestCliBackup)
#include "test_cli_backup.moc"
