// zelk-cli as a script would use it: administrations, bookings, the check, and seeding.
#include "clirun.h"
#include "store/sqlite.h"
#include "testhome.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

using namespace zelk;

namespace {
test::CliRun cli(const QStringList &arguments, const QString &home = {})
{
    return test::cli(arguments, {.home = home});
}
} // namespace

class TestCliAdmin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initNamesTheAssociationAndAdminSwitches()
    {
        test::TestHome home;
        const test::CliRun init = cli({"init", "--name", "Tennisclub De Lob"});
        QCOMPARE(init.exitCode, 0);
        QCOMPARE(init.out.trimmed(), home.administration(0));
        QFile name(home.administration(0) + QStringLiteral("/vereniging.txt"));
        QVERIFY(name.open(QIODevice::ReadOnly));
        QCOMPARE(name.readAll(), QByteArray("Tennisclub De Lob\n"));

        QCOMPARE(cli({"admin", "3"}).out, QStringLiteral("3\tZelk03\t%1\n").arg(home.administration(3)));
        QCOMPARE(cli({"admin"}).out, QStringLiteral("3\tZelk03\t%1\n").arg(home.administration(3)));
        QCOMPARE(cli({"admin", "7"}).exitCode, 2);
    }

    void initStoppedAtAnyMomentLeavesAnAdministrationThatOpens()
    {
        // The stops are spread over the time an undisturbed first start takes.
        qint64 span = 0;
        {
            test::TestHome home;
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(cli({"init", "--name", "Kaatsclub"}).exitCode, 0);
            span = timer.elapsed();
        }
        const quint32 seed = quint32(QDateTime::currentMSecsSinceEpoch());
        QRandomGenerator random(seed);
        int stopped = 0;
        for (int trial = 0; trial < 30; ++trial) {
            test::TestHome home;
            QProcess init;
            init.start(qEnvironmentVariable("ZELK_CLI"), {"init", "--name", "Kaatsclub"});
            QVERIFY(init.waitForStarted());
            const int delay = random.bounded(int(span) + 1);
            if (!init.waitForFinished(delay)) {
                init.kill();
                init.waitForFinished();
                ++stopped;
            }
            const QString which = QStringLiteral("trial %1, stopped after %2 ms (seed %3)").arg(trial).arg(delay).arg(seed);
            const test::CliRun accounts = cli({"accounts"});
            QVERIFY2(accounts.exitCode == 0, qPrintable(which + u' ' + accounts.err));
            QVERIFY2(accounts.out.count(u'\n') == 37, qPrintable(which + u' ' + accounts.out));
            QCOMPARE(cli({"check"}).out, QStringLiteral("OK\n"));
            // Nothing of the interrupted start is left beside the administration.
            QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     (QStringList{"zelk", "zelk.cfg"}));
        }
        qInfo("%d of 30 starts were stopped before they ended", stopped);
    }

    void anAliasToAMissingFolderIsReportedOnStderr()
    {
        test::TestHome home;
        QCOMPARE(cli({"init"}).exitCode, 0);
        QFile alias(home.path() + QStringLiteral("/zelk.cfg"));
        QVERIFY(alias.open(QIODevice::WriteOnly | QIODevice::Truncate));
        alias.write("PATH=zelk02\n");
        alias.close();
        const test::CliRun accounts = cli({"accounts"});
        QCOMPARE(accounts.exitCode, 0);
        QCOMPARE(accounts.out.count(u'\n'), 37);
        QVERIFY2(accounts.err.startsWith(QStringLiteral("Let op: De administratie %1, die het bestand").arg(home.administration(2))),
                 qPrintable(accounts.err));
        QCOMPARE(cli({"admin"}).out, QStringLiteral("0\tZelk (standaard)\t%1\n").arg(home.administration(0)));
        QVERIFY(!QFile::exists(home.administration(2)));
        // Choosing it makes it, and then it is used without a word.
        QCOMPARE(cli({"admin", "2"}).exitCode, 0);
        const test::CliRun again = cli({"accounts"});
        QCOMPARE(again.err, QString());
        QCOMPARE(cli({"admin"}).out, QStringLiteral("2\tZelk02\t%1\n").arg(home.administration(2)));
    }

    void bookingsShowInAccountsJournalAndOpenItems()
    {
        test::TestHome home;
        QCOMPARE(cli({"book", "7", "1", "25.00", "Contributie maart", "--date", "2026-03-05"}).out, QStringLiteral("1\n"));
        QCOMPARE(cli({"book", "11", "25", "40", "Subsidie gemeente", "--date", "2026-03-06", "--open-item"}).out, QStringLiteral("2\n"));
        const QStringList accounts = cli({"accounts"}).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(accounts.size(), 37);
        QCOMPARE(accounts.at(0), QStringLiteral("1\t1\tBank 1\t25.00"));
        QCOMPARE(accounts.at(6), QStringLiteral("7\t7\tContributies\t-25.00"));
        QCOMPARE(accounts.at(24), QStringLiteral("25\t25\tNog te ontvangen\t40.00"));
        QCOMPARE(cli({"journal"}).out,
                 QStringLiteral("1\t2026-03-05\tContributie maart\tContributies\tBank 1\t25.00\n"
                                "2\t2026-03-06\tSubsidie gemeente\tOverige inkomsten\tNog te ontvangen\t40.00\n"));
        QCOMPARE(cli({"open-items", "receivables"}).out, QStringLiteral("1\t2026-03-06\tSubsidie gemeente\t40.00\n"));
        QCOMPARE(cli({"settle", "receivables", "1", "2", "15", "Eerste termijn", "--date", "2026-04-01"}).out, QStringLiteral("3\n"));
        QCOMPARE(cli({"open-items", "receivables"}).out, QStringLiteral("1\t2026-03-06\tSubsidie gemeente\t25.00\n"));
        QCOMPARE(cli({"check"}).out, QStringLiteral("OK\n"));
    }

    void badArgumentsExitWithTwoAndSayWhy_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown command") << QStringList{"boek"} << "Onbekende opdracht";
        QTest::newRow("position") << QStringList{"book", "0", "1", "5", "x"} << "rekeningpositie";
        QTest::newRow("amount") << QStringList{"book", "7", "1", "tien", "x"} << "bedrag";
        QTest::newRow("date") << QStringList{"book", "7", "1", "5", "x", "--date", "5-3-2026"} << "--date";
        QTest::newRow("item") << QStringList{"settle", "payables", "1", "1", "5", "x"} << "geen openstaande post";
    }
    void badArgumentsExitWithTwoAndSayWhy()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        test::TestHome home;
        const test::CliRun result = cli(args);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(cli({"journal"}).out, QString()); // nothing was booked
    }

    void checkNamesEachViolation()
    {
        test::TestHome home;
        cli({"book", "7", "1", "25", "a"});
        cli({"book", "7", "1", "25", "b"});
        {
            auto db = sql::openFile(home.administration(0) + QStringLiteral("/journaal.db"), false);
            sql::exec(db.get(), QStringLiteral("UPDATE journaal SET JrNr = 5 WHERE JrNr = 2"));
            auto accounts = sql::openFile(home.administration(0) + QStringLiteral("/rekeningen.db"), false);
            sql::exec(accounts.get(), QStringLiteral("UPDATE rekeningen SET Saldo = 99 WHERE Nummer = 3"));
        }
        const test::CliRun result = cli({"check"});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.out.contains(QStringLiteral("Journaalregel 2 heeft boekstuknummer 5")), qPrintable(result.out));
        QVERIFY2(result.out.contains(QStringLiteral("saldi tellen op tot 99.00")), qPrintable(result.out));
    }

    void seedIsRepeatableAndKeepsTheBooksInBalance()
    {
        test::TestHome first;
        test::TestHome second;
        const QStringList args{"seed", "--members", "30", "--bookings", "200", "--open-items", "10", "--seed", "7"};
        QCOMPARE(cli(args, first.path()).exitCode, 0);
        QCOMPARE(cli(args, second.path()).exitCode, 0);
        const QString journal = cli({"journal"}, first.path()).out;
        QCOMPARE(journal.count(u'\n'), 210);
        QCOMPARE(cli({"journal"}, second.path()).out, journal);
        QCOMPARE(cli({"open-items", "payables"}, first.path()).out.count(u'\n'), 5);
        QCOMPARE(cli({"check"}, first.path()).out, QStringLiteral("OK\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliAdmin)
#include "test_cli_admin.moc"
