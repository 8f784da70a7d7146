// One writer at a time: while a program writes, a second writer is refused and says who
// holds the administrations, readers keep working, and writers started together never
// lose or double a booking. Amounts that cannot be booked are refused before anything opens.
#include "clirun.h"
#include "databases.h"
#include "freshdata.h"
#include "store/sqlite.h"
#include "testhome.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTest>

using namespace zelk;

namespace {
test::CliRun cli(const QStringList &arguments)
{
    return test::cli(arguments);
}
} // namespace

class TestCliWriters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aSecondWriterIsRefusedWhileReadersWork()
    {
        test::TestHome home;
        auto program = std::make_unique<DataModule1>(); // holds the writer lock, as zelk does
        program->openForUse();
        const test::CliRun refused = cli({"book", "7", "1", "25", "Contributie"});
        QVERIFY2(refused.finished, qPrintable(refused.err));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("worden al bijgewerkt door")), qPrintable(refused.err));
        QVERIFY2(refused.err.contains(QStringLiteral("proces %1").arg(QCoreApplication::applicationPid())), qPrintable(refused.err));
        for (const QStringList &reading : {QStringList{"accounts"}, QStringList{"journal"}, QStringList{"check"},
                                           QStringList{"open-items", "payables"}, QStringList{"admin"}}) {
            const test::CliRun read = cli(reading);
            QVERIFY2(read.exitCode == 0, qPrintable(reading.join(u' ') + u'\n' + read.err));
        }
        const QString report = home.path() + QStringLiteral("/balans.txt");
        QCOMPARE(cli({"report", "balans", "-o", report, "--format", "txt"}).exitCode, 0);
        QVERIFY(QFile::exists(report));
        for (const QStringList &writing : {QStringList{"income", "7", "1", "5", "x"}, QStringList{"admin", "2"},
                                           QStringList{"seed", "--bookings", "3"}, QStringList{"init"}})
            QCOMPARE(cli(writing).exitCode, 1);
        program->journaaltabel.refresh();
        QCOMPARE(program->journaaltabel.recordCount(), 0); // nothing was written
        program.reset();
        QCOMPARE(cli({"book", "7", "1", "25", "Contributie"}).out, QStringLiteral("1\n"));
    }

    void aSecondDesktopProgramSaysWhoWritesAndStops()
    {
        auto program = std::make_unique<test::FreshData>();
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        second.setProcessEnvironment(env);
        second.start(qEnvironmentVariable("ZELK_APP"));
        QVERIFY(second.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += second.readAllStandardError()).contains("worden al bijgewerkt door"), 30000);
        QVERIFY(said.contains(QByteArray("proces ") + QByteArray::number(QCoreApplication::applicationPid())));
        second.kill(); // it waits in its message box
        second.waitForFinished();
        program->journaaltabel.refresh();
        QCOMPARE(program->journaaltabel.recordCount(), 0);
    }

    void writersStartedTogetherNeverLoseABooking()
    {
        test::TestHome home;
        QCOMPARE(cli({"init"}).exitCode, 0);
        constexpr int writers = 24;
        std::vector<std::unique_ptr<QProcess>> running;
        for (int i = 0; i < writers; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(qEnvironmentVariable("ZELK_CLI"), {"book", "7", "1", "1.10", QStringLiteral("boeking %1").arg(i)});
            running.push_back(std::move(p));
        }
        int booked = 0;
        for (auto &p : running) {
            QVERIFY(p->waitForFinished(60000));
            QVERIFY2(p->exitCode() == 0 || p->readAllStandardError().contains("worden al bijgewerkt"), "neither booked nor refused");
            booked += p->exitCode() == 0;
        }
        QVERIFY(booked >= 1);
        const QStringList journal = cli({"journal"}).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(journal.size(), booked);
        QSet<QString> numbers;
        for (const QString &row : journal)
            numbers.insert(row.section(u'\t', 0, 0));
        QCOMPARE(numbers.size(), booked);
        const QString bank = cli({"accounts"}).out.split(u'\n').at(0).section(u'\t', 3);
        QCOMPARE(bank, QString::number(booked * 1.10, 'f', 2));
        QCOMPARE(cli({"check"}).out, QStringLiteral("OK\n"));
    }

    void amountsThatCannotBeBookedAreRefusedWithAMessage_data()
    {
        QTest::addColumn<QString>("amount");
        for (const char *amount : {"nan", "inf", "-inf", "1e17", "1e400", "10000000000", "0x10"})
            QTest::newRow(amount) << QString::fromLatin1(amount);
    }
    void amountsThatCannotBeBookedAreRefusedWithAMessage()
    {
        QFETCH(QString, amount);
        test::TestHome home;
        QCOMPARE(cli({"book", "7", "1", "100", "eerst"}).exitCode, 0);
        for (const QStringList &args : {QStringList{"book", "7", "1", amount, "x"}, QStringList{"income", "7", "1", amount, "x"},
                                        QStringList{"opening-balance", "1", amount, "x"}}) {
            const test::CliRun run = cli(args);
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains(QStringLiteral("bedrag")), qPrintable(run.err));
        }
        QCOMPARE(cli({"journal"}).out.count(u'\n'), 1);
        QVERIFY(cli({"accounts"}).out.startsWith(QStringLiteral("1\t1\tBank 1\t100.00\n")));
    }

    void eachScreensActionHasItsCommand()
    {
        test::TestHome home;
        QCOMPARE(cli({"opening-balance", "1", "500", "Beginsaldo"}).out, QStringLiteral("1\n"));
        QCOMPARE(cli({"opening-balance", "24", "80", "Factuur drukker"}).out, QStringLiteral("2\n"));
        QCOMPARE(cli({"expense", "24", "21", "60", "Zaalhuur"}).out, QStringLiteral("3\n"));
        QCOMPARE(cli({"income", "8", "25", "45", "Donatie"}).out, QStringLiteral("4\n"));
        QCOMPARE(cli({"transfer", "1", "4", "20", "Kasopname"}).out, QStringLiteral("5\n"));
        QCOMPARE(cli({"open-items", "payables"}).out.count(u'\n'), 2);
        QCOMPARE(cli({"open-items", "receivables"}).out.count(u'\n'), 1);
        // The raw booking from the payables account records its payable too.
        QCOMPARE(cli({"book", "24", "21", "10", "Zaalhuur erbij"}).exitCode, 0);
        QCOMPARE(cli({"open-items", "payables"}).out.count(u'\n'), 3);
        const test::CliRun wrong = cli({"income", "12", "1", "5", "kosten als inkomst"});
        QCOMPARE(wrong.exitCode, 1);
        QVERIFY2(wrong.err.contains(QStringLiteral("kan hier niet als van-rekening dienen")), qPrintable(wrong.err));
        QCOMPARE(cli({"check"}).out, QStringLiteral("OK\n"));
    }

    void checkFindsWhatTheBooksCannotHold()
    {
        test::TestHome home;
        cli({"book", "7", "1", "25", "a"});
        cli({"book", "7", "2", "10", "b"});
        cli({"book", "7", "4", "5", "c"});
        {
            auto journal = sql::openFile(home.administration(0) + QStringLiteral("/journaal.db"), false);
            sql::exec(journal.get(), QStringLiteral("UPDATE journaal SET JrNr = 2 WHERE JrNr = 3"));
            sql::exec(journal.get(), QStringLiteral("UPDATE journaal SET Bedrag = 1e999 WHERE Omschrijving = 'b'"));
            auto accounts = sql::openFile(home.administration(0) + QStringLiteral("/rekeningen.db"), false);
            sql::exec(accounts.get(), QStringLiteral("UPDATE rekeningen SET Saldo = NULL WHERE Nummer = 3"));
            sql::exec(accounts.get(), QStringLiteral("UPDATE rekeningen SET Saldo = Saldo + 7 WHERE Nummer = 1"));
            sql::exec(accounts.get(), QStringLiteral("UPDATE rekeningen SET Saldo = Saldo - 7 WHERE Nummer = 12"));
            auto items = sql::openFile(home.administration(0) + QStringLiteral("/tebetalen.db"), false);
            sql::exec(items.get(), QStringLiteral("ALTER TABLE tebetalen ADD COLUMN Extra TEXT"));
        }
        const test::CliRun result = cli({"check"});
        QCOMPARE(result.exitCode, 1);
        for (const char *expected : {"Boekstuknummer 2 komt meer dan eens voor", "Journaalregel 2: het bedrag inf is ongeldig",
                                     "Rekening 3 (Bank 3): het bedrag ontbreekt",
                                     "Waarschuwing: Het saldo van rekening 1 (Bank 1) is 32.00, maar het journaal geeft 25.00",
                                     "Waarschuwing: Het saldo van rekening 12", "De kolommen van tebetalen.db wijken af"})
            QVERIFY2(result.out.contains(QString::fromUtf8(expected)), qPrintable(expected + (u'\n' + result.out)));
    }

    void aDamagedSettingsFileStillLetsTheBooksBeRead()
    {
        test::TestHome home;
        QCOMPARE(cli({"book", "7", "1", "25", "a"}).exitCode, 0);
        QFile settings(home.administration(0) + QStringLiteral("/instelling.dat"));
        QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write("kort");
        settings.close();
        const test::CliRun accounts = cli({"accounts"});
        QCOMPARE(accounts.exitCode, 0);
        QVERIFY(accounts.out.startsWith(QStringLiteral("1\t1\tBank 1\t25.00\n")));
        QVERIFY2(accounts.err.startsWith(QStringLiteral("Waarschuwing: ")), qPrintable(accounts.err));
        QCOMPARE(cli({"journal"}).exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(TestCliWriters)
#include "test_cli_writers.moc"
