// The booking actions: each writes its booking and its open item together or not at all,
// refuses accounts its screen does not offer, and builds on what another program wrote
// to the files meanwhile, never on rows held in memory.
#include "boekingen.h"
#include "controle.h"
#include "databases.h"
#include "freshdata.h"
#include "store/sqlite.h"
#include "testhome.h"
#include "writerlock.h"
#include "zelkerror.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>

using namespace zelk;
using boekingen::Boeking;
using boekingen::OpenPost;

class TestBoekingen : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    const QDate day{2026, 5, 1};

    double balance(int position) { return data->rekeningtabel.valueAt(position - 1, u"Saldo").toDouble(); }
    Boeking b(const char *text, double amount) { return {QString::fromUtf8(text), day, amount}; }
    QList<double> journalNumbers()
    {
        QList<double> numbers;
        for (int i = 0; i < data->journaaltabel.recordCount(); ++i)
            numbers << data->journaaltabel.valueAt(i, u"JrNr").toDouble();
        return numbers;
    }
    // Makes the next row written to `table` fail inside SQLite, as a full disk would.
    void refuseWrites(const QString &table)
    {
        sql::exec(
            data->database1().handle(),
            QStringLiteral("CREATE TRIGGER \"%1\".weiger BEFORE INSERT ON \"%1\" BEGIN SELECT RAISE(ABORT, 'schijf vol'); END").arg(table));
    }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void bookingsToAndFromTheOpenItemAccountsRecordTheirItem()
    {
        boekingen::inkomsten(*data, 8, 25, b("Donatie toegezegd", 25));
        boekingen::uitgaven(*data, 24, 13, b("Advertentie", 40));
        boekingen::kruispost(*data, 1, 4, b("Kasopname", 10));
        QCOMPARE(data->ontvangentabel.recordCount(), 1);
        QCOMPARE(data->betalentabel.recordCount(), 1);
        QCOMPARE(data->betalentabel.number(u"Bedrag"), 40.0);
        QCOMPARE(balance(25), 25.0);
        QCOMPARE(balance(24), -40.0);
        // The raw booking keeps them in step too.
        boekingen::overboeken(*data, 24, 21, b("Zaalhuur", 60));
        QCOMPARE(data->betalentabel.recordCount(), 2);
        QCOMPARE(journalNumbers(), (QList<double>{1, 2, 3, 4}));
    }

    void accountsAScreenDoesNotOfferAreRefused()
    {
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::inkomsten(*data, 12, 1, b("kosten als inkomst", 5)));
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::uitgaven(*data, 1, 7, b("inkomst als kosten", 5)));
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::kruispost(*data, 1, 24, b("naar te betalen", 5)));
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::startbalansGeld(*data, 12, b("kosten", 5)));
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::startbalansOpenPost(*data, 1, b("bank", 5)));
        QCOMPARE(data->journaaltabel.recordCount(), 0);
    }

    void openingBalance()
    {
        boekingen::startbalansGeld(*data, 1, b("Bank 1 per 1 januari", 1500));
        boekingen::startbalansOpenPost(*data, 24, b("Factuur drukker", 80));
        boekingen::startbalansOpenPost(*data, 25, b("Subsidie", 300));
        QCOMPARE(balance(1), 1500.0);
        QCOMPARE(balance(24), -80.0);
        QCOMPARE(balance(25), 300.0);
        QCOMPARE(balance(23), -1500.0 + 80.0 - 300.0);
        QCOMPARE(data->betalentabel.recordCount(), 1);
        QCOMPARE(data->ontvangentabel.recordCount(), 1);
    }

    void aFailingOpenItemUndoesItsBooking()
    {
        boekingen::inkomsten(*data, 7, 1, b("Contributie", 25));
        refuseWrites(QStringLiteral("teontvangen"));
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::inkomsten(*data, 8, 25, b("Donatie", 50)));
        QCOMPARE(balance(8), 0.0);
        QCOMPARE(balance(25), 0.0);
        QCOMPARE(journalNumbers(), QList<double>{1});
        refuseWrites(QStringLiteral("tebetalen"));
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::startbalansOpenPost(*data, 24, b("Factuur", 10)));
        QCOMPARE(balance(24), 0.0);
        QCOMPARE(balance(23), 0.0);
    }

    void settlingNamesTheItemByItsIdentity()
    {
        for (const char *text : {"Advertentie", "Koffie"})
            boekingen::uitgaven(*data, 24, 13, b(text, 30.62));
        const qint64 koffie = data->betalentabel.rowidAt(1);
        data->betalentabel.first(); // the cursor elsewhere does not matter
        boekingen::aflossen(*data, OpenPost::TeBetalen, koffie, 1, b("Koffie betaald", 10));
        QCOMPARE(data->betalentabel.valueAt(0, u"Bedrag").toDouble(), 30.62);
        QCOMPARE(data->betalentabel.valueAt(1, u"Bedrag").toDouble(), 20.62);
        QCOMPARE(balance(1), -10.0);
        QCOMPARE(balance(24), -51.24);
        // Receivables: from the receivables account into the chosen account.
        boekingen::inkomsten(*data, 7, 25, b("Contributie", 12));
        boekingen::aflossen(*data, OpenPost::TeOntvangen, data->ontvangentabel.rowidAt(0), 4, b("Contant", 12));
        QVERIFY(data->ontvangentabel.isEmpty());
        QCOMPARE(balance(4), 12.0);
        QCOMPARE(balance(25), 0.0);
    }

    // A second program on the same administration: its own connection and table objects,
    // as zelk-cli beside the desktop program (which the writer lock now prevents; files
    // changed by hand or by a restore are read the same way).
    void aBookingBuildsOnWhatAnotherProgramWrote()
    {
        boekingen::inkomsten(*data, 7, 1, b("Contributie", 50));
        {
            DataModule1 other;
            other.openForUse();
            boekingen::inkomsten(other, 8, 1, b("Donatie", 60));
        }
        {
            // And a change made in the file itself, behind every program's back.
            sql::DatabaseHandle db = sql::openFile(data->werkmap() + QStringLiteral("/rekeningen.db"), false);
            sql::exec(db.get(), QStringLiteral("UPDATE rekeningen SET Saldo = Saldo + 5 WHERE Nummer = 2"));
            sql::exec(db.get(), QStringLiteral("UPDATE rekeningen SET Saldo = Saldo - 5 WHERE Nummer = 6"));
        }
        QCOMPARE(balance(1), 50.0); // what this program read before
        boekingen::kruispost(*data, 1, 4, b("Kasopname", 20));
        QCOMPARE(balance(1), 90.0);
        QCOMPARE(balance(8), -60.0);
        QCOMPARE(balance(2), 5.0);
        QCOMPARE(balance(6), -5.0);
        QCOMPARE(journalNumbers(), (QList<double>{1, 2, 3}));
    }

    void settlingAnItemAnotherProgramSettledIsRefused()
    {
        boekingen::uitgaven(*data, 24, 13, b("Advertentie", 30));
        const qint64 item = data->betalentabel.rowidAt(0);
        DataModule1 other;
        other.openForUse();
        boekingen::aflossen(other, OpenPost::TeBetalen, other.betalentabel.rowidAt(0), 1, b("betaald", 30));
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::aflossen(*data, OpenPost::TeBetalen, item, 1, b("nog eens", 30)));
        QCOMPARE(balance(1), -30.0); // paid once
        QCOMPARE(journalNumbers(), (QList<double>{1, 2}));
        QVERIFY(data->betalentabel.isEmpty());
    }

    // A program just started has read no journal row; a booking asks the file for the
    // count, inside its transaction, so the numbers and balances are those of the files.
    void aBookingOnAnUnreadJournalNumbersFromTheFile()
    {
        for (int i = 0; i < 5; ++i)
            boekingen::inkomsten(*data, 7, 1, b("Contributie", 10));
        DataModule1 started;
        started.openForUse();
        QCOMPARE(started.lastJournalNumber(), 5);
        QVERIFY(!started.journaaltabel.isLoaded());
        // Another program books meanwhile; this one counts those bookings too.
        boekingen::inkomsten(*data, 8, 1, b("Donatie", 2.5));
        boekingen::inkomsten(*data, 8, 1, b("Donatie", 2.5));
        boekingen::uitgaven(started, 1, 13, b("Zaalhuur", 25));
        QVERIFY(!started.journaaltabel.isLoaded());
        QCOMPARE(started.lastJournalNumber(), 8);
        QCOMPARE(started.rekeningtabel.valueAt(0, u"Saldo").toDouble(), 50.0 + 5.0 - 25.0);
        QCOMPARE(started.rekeningtabel.valueAt(12, u"Saldo").toDouble(), 25.0);
        // Read later, the journal has every row in order, the new one last and current.
        Table &journal = started.journaaltabel;
        QCOMPARE(journal.recordCount(), 8);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(journal.valueAt(i, u"JrNr").toDouble(), i + 1.0);
        QCOMPARE(journal.text(u"Omschrijving"), QStringLiteral("Zaalhuur"));
        QCOMPARE(journal.number(u"Bedrag"), 25.0);
        QCOMPARE(journal.text(u"Vanrekening"), started.rekeningtabel.valueAt(0, u"Naam").toString());
        for (const controle::Bevinding &found : controle::controleer(started))
            QVERIFY2(found.soort != controle::Bevinding::Soort::Fout, qPrintable(found.tekst));
        // And the first program counts the booking at its next write.
        boekingen::kruispost(*data, 1, 4, b("Kasopname", 5));
        QCOMPARE(journalNumbers(), (QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }

    void aFailedBookingOnAnUnreadJournalLeavesNoGap()
    {
        boekingen::inkomsten(*data, 7, 1, b("Contributie", 10));
        boekingen::inkomsten(*data, 7, 1, b("Contributie", 10));
        DataModule1 started;
        started.openForUse();
        QCOMPARE(started.lastJournalNumber(), 2);
        refuseWrites(QStringLiteral("teontvangen"));
        // The journal row is written, then the open item fails and both are undone.
        QVERIFY_THROWS_EXCEPTION(Error, boekingen::inkomsten(started, 8, 25, b("Donatie", 50)));
        QVERIFY(!started.journaaltabel.isLoaded());
        QCOMPARE(started.lastJournalNumber(), 2);
        boekingen::inkomsten(started, 7, 1, b("Contributie", 10));
        QCOMPARE(started.lastJournalNumber(), 3);
        QCOMPARE(started.journaaltabel.recordCount(), 3);
        QCOMPARE(started.journaaltabel.valueAt(2, u"JrNr").toDouble(), 3.0);
        QCOMPARE(started.rekeningtabel.valueAt(7, u"Saldo").toDouble(), 0.0);
        QCOMPARE(started.rekeningtabel.valueAt(0, u"Saldo").toDouble(), 30.0);
    }

    void aSecondWriterIsRefusedAndAStaleLockTakenOver()
    {
        // This process holds the lock (the data module is a writer); another process's
        // holder is simulated by a lock file naming a process that has ended.
        QVERIFY(WriterLock::heldHere());
        data.reset();
        QVERIFY(!WriterLock::heldHere());
        test::TestHome home;
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        QFile lock(home.path() + QStringLiteral("/zelk.lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(pid) + "\nzelk-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        auto taken = WriterLock::acquire();
        QVERIFY(taken);
        taken.reset();
        // A program stopped between making the lock file and writing its name leaves it
        // empty; that must not block every later writer.
        QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.close();
        QVERIFY(WriterLock::acquire());
    }
};

QTEST_GUILESS_MAIN(TestBoekingen)
#include "test_boekingen.moc"
