// The year-end closing and the clean slate: what they carry, clear and keep, that each
// is one transaction (a failure part-way leaves every table as it was), and that each
// first makes a safety copy of what it is about to change.
#include "boekingen.h"
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "jaarafsluiting.h"
#include "schoneleimaken.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "tabeldump.h"
#include "veiligheidskopie.h"
#include "zelkerror.h"

#include <QTest>

using namespace zelk;

namespace {
const QDate closing(2026, 12, 31);
const QDate day(2026, 5, 1);
} // namespace

class TestJaarafsluiting : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    double balance(int position) { return data->rekeningtabel.valueAt(position - 1, veld::rekeningen::Saldo).toDouble(); }
    void book(int from, int to, double amount, const char *text = "boeking")
    {
        declar::boekpost(*data, from, to, QString::fromUtf8(text), day, amount);
    }
    // A balance written into the file by another program, bypassing the booking rules.
    void setBalance(int position, double amount)
    {
        Table &accounts = data->rekeningtabel;
        accounts.moveTo(position - 1);
        accounts.edit();
        accounts.setValue(veld::rekeningen::Saldo, amount);
        accounts.post();
    }
    QStringList journal()
    {
        QStringList rows;
        const Table &j = data->journaaltabel;
        for (int i = 0; i < j.recordCount(); ++i)
            rows << QStringLiteral("%1 %2 %3 %4>%5 %6")
                        .arg(j.valueAt(i, veld::journaal::JrNr).toDouble())
                        .arg(j.valueAt(i, veld::journaal::Datum).toDate().toString(Qt::ISODate),
                             j.valueAt(i, veld::journaal::Omschrijving).toString(), j.valueAt(i, veld::journaal::Vanrekening).toString(),
                             j.valueAt(i, veld::journaal::Naarrekening).toString())
                        .arg(j.valueAt(i, veld::journaal::Bedrag).toDouble(), 0, 'f', 2);
        return rows;
    }
    void addMember(const QString &name, const QStringList &marks)
    {
        Table &m = data->ledentabel;
        m.append();
        m.setValue(veld::leden::Naam, name);
        m.setValue(veld::leden::Plaats, QStringLiteral("Gouda"));
        for (const QString &mark : marks)
            m.setValue(mark, true);
        m.post();
    }
    QStringList marksOf(const QString &name)
    {
        Table &m = data->ledentabel;
        for (int i = 0; i < m.totalCount(); ++i) {
            if (m.valueAt(i, veld::leden::Naam).toString() != name)
                continue;
            QStringList set;
            for (const QString &mark : veld::leden::maanden())
                if (m.valueAt(i, mark).toBool())
                    set << mark;
            return set;
        }
        return {QStringLiteral("(geen lid)")};
    }
    // The example of the manual: Bank 1 1,250.00, Kas 1 80.00, payables -50.00 (with its
    // open item), receivables 30.00 (with its open item), income, costs and the deposit
    // differences not zero, 120 journal rows.
    void bookTheExampleYear()
    {
        Transaction year(data->database1()); // one commit: the setup is not what is tested
        declar::boekpost(*data, 23, 1, QStringLiteral("Beginbalans"), day, 1000);
        for (int i = 0; i < 57; ++i) {
            book(7, 1, 10, "Contributie");
            book(1, 12, 10, "Porto");
        }
        book(7, 1, 250, "Contributies");
        book(7, 4, 80, "Contant");
        book(6, 12, 5, "Kasverschil");
        boekingen::startbalansOpenPost(*data, 24, {QStringLiteral("Drukker"), day, 50});
        boekingen::startbalansOpenPost(*data, 25, {QStringLiteral("Subsidie"), day, 30});
        year.commit();
        QCOMPARE(data->journaaltabel.recordCount(), 120);
    }
    // Makes every row written to `table` fail inside SQLite, as a full disk would.
    void refuseWrites(const QString &table)
    {
        sql::exec(
            data->database1().handle(),
            QStringLiteral("CREATE TRIGGER \"%1\".weiger BEFORE INSERT ON \"%1\" BEGIN SELECT RAISE(ABORT, 'schijf vol'); END").arg(table));
    }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void theExampleYearIsClosed()
    {
        bookTheExampleYear();
        QVERIFY(balance(7) != 0 && balance(12) != 0 && balance(6) != 0);
        jaarafsluiten(*data, closing);
        QCOMPARE(
            journal(),
            (QStringList{"1 2026-12-31 beginbalans Eigen vermogen>Bank 1 1250.00", "2 2026-12-31 beginbalans Eigen vermogen>Kas 1 80.00",
                         "3 2026-12-31 beginbalans Eigen vermogen>Nog te betalen -50.00",
                         "4 2026-12-31 beginbalans Eigen vermogen>Nog te ontvangen 30.00"}));
        for (int position = 1; position <= 37; ++position) {
            const double expected = position == 1 ? 1250.0
                : position == 4                   ? 80.0
                : position == 24                  ? -50.0
                : position == 25                  ? 30.0
                : position == 23                  ? -1310.0
                                                  : 0.0;
            QVERIFY2(balance(position) == expected, qPrintable(QStringLiteral("positie %1: %2").arg(position).arg(balance(position))));
        }
        // The open items stay as they were.
        QCOMPARE(data->betalentabel.recordCount(), 1);
        QCOMPARE(data->betalentabel.valueAt(0, veld::openpost::Bedrag).toDouble(), 50.0);
        QCOMPARE(data->ontvangentabel.recordCount(), 1);
        QCOMPARE(data->ontvangentabel.valueAt(0, veld::openpost::Omschrijving).toString(), QStringLiteral("Subsidie"));
        // What the files hold is what the tables show.
        QCOMPARE(data->lastJournalNumber(), 4);
        const QStringList files = test::tableRows(data->werkmap());
        QCOMPARE(files.filter(QStringLiteral("journaal.db|")).size(), 4);
    }

    void aBalanceIsCarriedWhenItIsAtLeastOneCent_data()
    {
        QTest::addColumn<double>("saldo");
        QTest::addColumn<bool>("carried");
        QTest::newRow("0.005") << 0.005 << false;
        QTest::newRow("-0.005") << -0.005 << false;
        QTest::newRow("0.004") << 0.004 << false;
        QTest::newRow("0.01") << 0.01 << true;
        QTest::newRow("-0.01") << -0.01 << true;
        QTest::newRow("0.02") << 0.02 << true;
        QTest::newRow("-0.02") << -0.02 << true;
    }
    void aBalanceIsCarriedWhenItIsAtLeastOneCent()
    {
        QFETCH(double, saldo);
        QFETCH(bool, carried);
        setBalance(2, saldo);  // Bank 2
        setBalance(37, saldo); // Kas 4, the last of the chart
        jaarafsluiten(*data, closing);
        const double kept = carried ? saldo : 0.0;
        QCOMPARE(balance(2), kept);
        QCOMPARE(balance(37), kept);
        QCOMPARE(balance(23), -2 * kept);
        QCOMPARE(data->journaaltabel.recordCount(), carried ? 2 : 0);
        if (carried)
            QCOMPARE(journal().last(), QStringLiteral("2 2026-12-31 beginbalans Eigen vermogen>Kas 4 %1").arg(saldo, 0, 'f', 2));
    }

    void theDuesMarksMoveOnAYearEachClosing()
    {
        addMember(QStringLiteral("Jansen"), {QStringLiteral("Mrt"), QStringLiteral("Vmrt")});
        addMember(QStringLiteral("Pietersen"), {QStringLiteral("Ajan"), QStringLiteral("Dec"), QStringLiteral("Vjun")});
        addMember(QStringLiteral("Verborgen"), {QStringLiteral("Vokt")});
        // A screen's filter hides a member; the closing moves every member's marks.
        data->ledentabel.setFiltered(true);
        data->ledentabel.setCondition([](const Table::Values &row) { return row.value(0).toString() != QLatin1String("Verborgen"); });
        QCOMPARE(data->ledentabel.recordCount(), 2);
        const QStringList othersBefore = test::tableRows(data->werkmap()).filter(QStringLiteral("mailtjes.db|"));

        jaarafsluiten(*data, closing);
        QCOMPARE(data->ledentabel.recordCount(), 2); // the filter is still the screen's business
        data->ledentabel.setFiltered(false);
        QCOMPARE(marksOf(QStringLiteral("Jansen")), (QStringList{"Amrt", "Mrt"}));
        QCOMPARE(marksOf(QStringLiteral("Pietersen")), (QStringList{"Adec", "Jun"}));
        QCOMPARE(marksOf(QStringLiteral("Verborgen")), (QStringList{"Okt"}));
        QCOMPARE(data->ledentabel.valueAt(0, veld::leden::Plaats).toString(), QStringLiteral("Gouda"));

        // A second closing moves them once more and books the same carry-forward again.
        book(23, 1, 100);
        jaarafsluiten(*data, closing.addDays(1));
        QCOMPARE(marksOf(QStringLiteral("Jansen")), (QStringList{"Amrt"}));
        QCOMPARE(marksOf(QStringLiteral("Pietersen")), (QStringList{"Ajun"}));
        QCOMPARE(marksOf(QStringLiteral("Verborgen")), (QStringList{"Aokt"}));
        QCOMPARE(journal(), (QStringList{"1 2027-01-01 beginbalans Eigen vermogen>Bank 1 100.00"}));
        QCOMPARE(balance(23), -100.0);
        QCOMPARE(test::tableRows(data->werkmap()).filter(QStringLiteral("mailtjes.db|")), othersBefore);
    }

    void aFailurePartWayLeavesEveryTableAsItWas()
    {
        bookTheExampleYear();
        addMember(QStringLiteral("Jansen"), {QStringLiteral("Mrt"), QStringLiteral("Vmrt")});
        const QStringList before = test::tableRows(data->werkmap());
        // The journal is emptied, the marks moved and the balances zeroed before the
        // first carry-forward row is refused.
        refuseWrites(QStringLiteral("journaal"));
        QVERIFY_THROWS_EXCEPTION(Error, jaarafsluiten(*data, closing));
        QCOMPARE(test::tableRows(data->werkmap()), before);
        // The shared tables show the files again.
        QCOMPARE(data->journaaltabel.recordCount(), 120);
        QCOMPARE(balance(1), 1250.0);
        QCOMPARE(balance(7), -900.0);
        QCOMPARE(marksOf(QStringLiteral("Jansen")), (QStringList{"Mrt", "Vmrt"}));
    }

    void cleanSlateEmptiesTheBookkeepingAndKeepsMembersAndNames()
    {
        addMember(QStringLiteral("Jansen"), {QStringLiteral("Mrt"), QStringLiteral("Vmrt")});
        {
            Table &accounts = data->rekeningtabel;
            accounts.moveTo(0);
            accounts.edit();
            accounts.setValue(veld::rekeningen::Naam, QStringLiteral("ING zakelijk"));
            accounts.post();
        }
        for (int i = 1; i <= 4; ++i)
            boekingen::uitgaven(*data, 24, 12 + i, {QStringLiteral("Factuur %1").arg(i), day, 10.0 * i});
        for (int i = 1; i <= 3; ++i)
            boekingen::inkomsten(*data, 7, 25, {QStringLiteral("Contributie %1").arg(i), day, 12.5});
        book(7, 1, 99.99);
        // Only unpaid items shown: the clean slate removes the hidden ones too.
        data->betalentabel.setFiltered(true);
        data->betalentabel.setCondition([](const Table::Values &row) { return row.value(2).toDouble() > 25; });
        QCOMPARE(data->betalentabel.recordCount(), 2);
        const QStringList rowsBefore = test::tableRows(data->werkmap());

        schoneLei(*data);
        data->betalentabel.setFiltered(false);
        QVERIFY(data->betalentabel.isEmpty());
        QVERIFY(data->ontvangentabel.isEmpty());
        QVERIFY(data->journaaltabel.isEmpty());
        QCOMPARE(data->lastJournalNumber(), 0);
        QCOMPARE(data->rekeningtabel.recordCount(), 37);
        for (int position = 1; position <= 37; ++position)
            QCOMPARE(balance(position), 0.0);
        QCOMPARE(data->rekeningtabel.valueAt(0, veld::rekeningen::Naam).toString(), QStringLiteral("ING zakelijk"));
        QCOMPARE(marksOf(QStringLiteral("Jansen")), (QStringList{"Mrt", "Vmrt"}));
        const QStringList rowsAfter = test::tableRows(data->werkmap());
        for (const char *unchanged : {"leden.DB|", "mailtjes.db|"})
            QCOMPARE(rowsAfter.filter(QLatin1String(unchanged)), rowsBefore.filter(QLatin1String(unchanged)));
        // The next booking gets number 1.
        book(7, 1, 5);
        QCOMPARE(data->lastJournalNumber(), 1);
    }

    void cleanSlateIsOneTransaction()
    {
        for (int i = 1; i <= 4; ++i)
            boekingen::uitgaven(*data, 24, 13, {QStringLiteral("Factuur %1").arg(i), day, 10});
        boekingen::inkomsten(*data, 7, 25, {QStringLiteral("Contributie"), day, 12.5});
        const QStringList before = test::tableRows(data->werkmap());
        // The last step, emptying the receivables, is refused.
        sql::exec(data->database1().handle(),
                  QStringLiteral("CREATE TRIGGER teontvangen.weiger BEFORE DELETE ON teontvangen BEGIN SELECT RAISE(ABORT, 'nee'); END"));
        QVERIFY_THROWS_EXCEPTION(Error, schoneLei(*data));
        QCOMPARE(test::tableRows(data->werkmap()), before);
        QCOMPARE(data->betalentabel.recordCount(), 4);
        QCOMPARE(data->journaaltabel.recordCount(), 5);
    }

    void eachMakesASafetyCopyOfWhatItChanges()
    {
        bookTheExampleYear();
        addMember(QStringLiteral("Jansen"), {QStringLiteral("Mrt")});
        const QStringList beforeClosing = test::dump(data->werkmap());
        jaarafsluiten(*data, closing);
        const QStringList beforeSlate = test::dump(data->werkmap());
        schoneLei(*data);
        const QList<veiligheidskopie::Kopie> copies = veiligheidskopie::lijst(data->werkmap());
        QCOMPARE(copies.size(), 2);
        QCOMPARE(copies[0].handeling, QStringLiteral("jaarafsluiting"));
        QCOMPARE(copies[1].handeling, QStringLiteral("schone lei"));
        QVERIFY(copies[0].naam.endsWith(QStringLiteral(" jaarafsluiting")));
        QCOMPARE(test::dump(copies[0].pad), beforeClosing);
        QCOMPARE(test::dump(copies[1].pad), beforeSlate);
    }

    void anInvalidDateClosesNothing()
    {
        bookTheExampleYear();
        const QStringList before = test::tableRows(data->werkmap());
        QVERIFY_THROWS_EXCEPTION(Error, jaarafsluiten(*data, QDate()));
        QCOMPARE(test::tableRows(data->werkmap()), before);
        QVERIFY(veiligheidskopie::lijst(data->werkmap()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestJaarafsluiting)
#include "test_jaarafsluiting.moc"
