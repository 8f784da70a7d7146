// Correcting a booking's description: only the description changes, never an amount, an
// account or a balance; more than 40 characters and a row another program removed are
// refused with nothing changed.
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "journaalomschrijving.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QTest>

using namespace zelk;
using namespace veld::journaal;

class TestJournaalomschrijving : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    QList<double> balances()
    {
        QList<double> all;
        for (int i = 0; i < data->rekeningtabel.recordCount(); ++i)
            all << data->rekeningtabel.valueAt(i, veld::rekeningen::Saldo).toDouble();
        return all;
    }
    QString description(int row) { return data->journaaltabel.valueAt(row, Omschrijving).toString(); }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<test::FreshData>();
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie"), QDate(2026, 1, 5), 25);
        declar::boekpost(*data, 1, 21, QStringLiteral("Zaalhuur"), QDate(2026, 1, 6), 80);
    }
    void cleanup() { data.reset(); }

    void onlyTheDescriptionChanges()
    {
        const QList<double> before = balances();
        Table &journal = data->journaaltabel;
        const Table::Values second = journal.rowValues(1);
        journaalomschrijving::aanpassen(*data, journal.rowidAt(0), QStringLiteral("Contributie januari"));
        QCOMPARE(description(0), QStringLiteral("Contributie januari"));
        QCOMPARE(journal.currentRow(), 0);
        QCOMPARE(journal.valueAt(0, Bedrag).toDouble(), 25.0);
        QCOMPARE(journal.valueAt(0, Vanrekening).toString(), QStringLiteral("Contributies"));
        QCOMPARE(journal.valueAt(0, Datum).toDate(), QDate(2026, 1, 5));
        QCOMPARE(journal.rowValues(1), second);
        QCOMPARE(balances(), before);
        // Stored, as another program reads it.
        DataModule1 other;
        other.openForUse();
        QCOMPARE(other.journaaltabel.valueAt(0, Omschrijving).toString(), QStringLiteral("Contributie januari"));
        QCOMPARE(other.journaaltabel.recordCount(), 2);
    }

    void fortyCharactersAtMost_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("stored");
        QTest::newRow("empty") << 0 << true;
        QTest::newRow("40") << 40 << true;
        QTest::newRow("41") << 41 << false;
        QTest::newRow("100") << 100 << false;
    }
    void fortyCharactersAtMost()
    {
        QFETCH(int, length);
        QFETCH(bool, stored);
        const QString text(length, u'x');
        const qint64 row = data->journaaltabel.rowidAt(1);
        if (stored) {
            journaalomschrijving::aanpassen(*data, row, text);
            QCOMPARE(description(1), text);
        } else {
            QVERIFY_THROWS_EXCEPTION(Error, journaalomschrijving::aanpassen(*data, row, text));
            QCOMPARE(description(1), QStringLiteral("Zaalhuur"));
        }
    }

    void aRowAnotherProgramRemovedIsRefused()
    {
        const qint64 row = data->journaaltabel.rowidAt(1);
        {
            sql::DatabaseHandle db = sql::openFile(data->werkmap() + QStringLiteral("/journaal.db"), false);
            sql::exec(db.get(), QStringLiteral("DELETE FROM journaal WHERE rowid = %1").arg(row));
        }
        try {
            journaalomschrijving::aanpassen(*data, row, QStringLiteral("Zaalhuur maart"));
            QFAIL("a removed row was changed");
        } catch (const Error &e) {
            QVERIFY(e.message().contains(QStringLiteral("niet aangepast")));
        }
        QCOMPARE(data->journaaltabel.recordCount(), 1);
        QCOMPARE(description(0), QStringLiteral("Contributie"));
    }
};

QTEST_GUILESS_MAIN(TestJournaalomschrijving)
#include "test_journaalomschrijving.moc"
