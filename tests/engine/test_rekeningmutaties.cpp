// Building the mutations of one account into hulp.db: the from-account negated, the
// to-account as booked, a booking on the same account twice, matched by the account's name
// now; the list stays from one run to the next; when hulp.db is held by another program
// the build is refused and nothing changes.
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "rekeningmutaties.h"
#include "rekeningnamen.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QTest>

using namespace zelk;
using namespace veld::journaal;

namespace {
struct Mutatie {
    int jrnr;
    QString omschrijving;
    double bedrag;
    bool operator==(const Mutatie &) const = default;
};
} // namespace

Q_DECLARE_METATYPE(Mutatie)

namespace QTest {
template <> char *toString(const Mutatie &m)
{
    return qstrdup(QStringLiteral("(%1, %2, %3)").arg(m.jrnr).arg(m.omschrijving).arg(m.bedrag).toUtf8().constData());
}
} // namespace QTest

class TestRekeningmutaties : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    QList<Mutatie> hulp(DataModule1 &from)
    {
        QList<Mutatie> rows;
        Table &t = from.hulpT;
        for (int i = 0; i < t.recordCount(); ++i)
            rows.append({int(t.valueAt(i, JrNr).toDouble()), t.valueAt(i, Omschrijving).toString(), t.valueAt(i, Bedrag).toDouble()});
        return rows;
    }
    QList<Mutatie> hulp() { return hulp(*data); }
    void book(int from, int to, const char *text, double amount)
    {
        declar::boekpost(*data, from, to, QString::fromUtf8(text), QDate(2026, 2, 1), amount);
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<test::FreshData>();
        book(7, 1, "Contributie", 25);   // 1: from Contributies to Bank 1
        book(1, 21, "Zaalhuur", 80);     // 2: from Bank 1
        book(1, 4, "Kasopname", 30);     // 3: Bank 1 to Kas 1
        book(8, 2, "Gift", 12.5);        // 4: not Bank 1
        book(4, 4, "Kas naar kas", 7.5); // 5: Kas 1 on both sides
    }
    void cleanup() { data.reset(); }

    void fromNegatedToAsBooked()
    {
        const rekeningmutaties::Opbouw built = rekeningmutaties::opbouwen(*data, 1);
        QCOMPARE(hulp(), (QList<Mutatie>{{1, "Contributie", 25}, {2, "Zaalhuur", -80}, {3, "Kasopname", -30}}));
        QCOMPARE(built.naam, QStringLiteral("Bank 1"));
        QCOMPARE(built.saldo, QStringLiteral("-85.00"));
        QCOMPARE(built.regels, 3);
        QCOMPARE(rekeningmutaties::laatste(*data).naam, QStringLiteral("Bank 1"));
        QCOMPARE(rekeningmutaties::laatste(*data).saldo, QStringLiteral("-85.00"));
        QCOMPARE(data->hulpT.valueAt(0, Datum).toDate(), QDate(2026, 2, 1));

        rekeningmutaties::opbouwen(*data, 7); // the next build replaces the list
        QCOMPARE(hulp(), (QList<Mutatie>{{1, "Contributie", -25}}));
    }

    void aBookingOnTheSameAccountListsTwiceSummingToZero()
    {
        rekeningmutaties::opbouwen(*data, 4);
        const QList<Mutatie> rows = hulp();
        QCOMPARE(rows, (QList<Mutatie>{{3, "Kasopname", 30}, {5, "Kas naar kas", -7.5}, {5, "Kas naar kas", 7.5}}));
        QCOMPARE(rows[1].bedrag + rows[2].bedrag, 0.0);
        QCOMPARE(rekeningmutaties::laatste(*data).saldo, QStringLiteral("30.00"));
    }

    void bookingsMadeBeforeARenameDropOut()
    {
        rekeningnamen::bewaar(*data, {{1, QStringLiteral("Hoofdrekening")}});
        book(7, 1, "Contributie na de nieuwe naam", 10);
        const rekeningmutaties::Opbouw built = rekeningmutaties::opbouwen(*data, 1);
        QCOMPARE(hulp(), (QList<Mutatie>{{6, "Contributie na de nieuwe naam", 10}}));
        QCOMPARE(built.naam, QStringLiteral("Hoofdrekening"));
        QCOMPARE(built.saldo, QStringLiteral("-75.00")); // the balance no longer equals the list's total
    }

    // The journal's "van" and "naar" look a name up in the first account that carries it, so
    // of two accounts with one name the later one lists nothing, as the journal screen shows.
    void aSharedNameBelongsToTheFirstAccountWithIt()
    {
        rekeningnamen::bewaar(*data, {{1, QStringLiteral("Gedeeld")}, {2, QStringLiteral("Gedeeld")}});
        book(8, 2, "Gift op de tweede", 4);
        QCOMPARE(data->journaaltabel.valueAt(5, naar).toLongLong(), 1);
        rekeningmutaties::opbouwen(*data, 2);
        QVERIFY(data->hulpT.isEmpty());
        rekeningmutaties::opbouwen(*data, 1);
        QCOMPARE(hulp(), (QList<Mutatie>{{6, "Gift op de tweede", 4}}));
    }

    void anAccountWithoutBookingsLeavesTheListEmpty()
    {
        rekeningmutaties::opbouwen(*data, 1);
        const rekeningmutaties::Opbouw built = rekeningmutaties::opbouwen(*data, 30);
        QVERIFY(data->hulpT.isEmpty());
        QCOMPARE(built.regels, 0);
        QCOMPARE(built.saldo, QStringLiteral("0.00"));
        QCOMPARE(built.naam, data->rekeningtabel.valueAt(29, veld::rekeningen::Naam).toString());
        QVERIFY_THROWS_EXCEPTION(Error, rekeningmutaties::opbouwen(*data, 0));
        QVERIFY_THROWS_EXCEPTION(Error, rekeningmutaties::opbouwen(*data, 38));
    }

    void hiddenJournalRowsCountAndStayHidden()
    {
        Table &journal = data->journaaltabel;
        journal.setCondition([](const Table::Values &v) { return v.value(0).toDouble() == 4; });
        journal.setFiltered(true);
        rekeningmutaties::opbouwen(*data, 1);
        QCOMPARE(hulp().size(), 3);
        QVERIFY(journal.isFiltered());
        QCOMPARE(journal.recordCount(), 1);
    }

    void theListOutlivesTheRunTheTextsDoNot()
    {
        rekeningmutaties::opbouwen(*data, 1);
        DataModule1 next; // the next program run on the same administration
        next.openForUse();
        QCOMPARE(hulp(next), hulp());
        QCOMPARE(rekeningmutaties::laatste(next).naam, QStringLiteral("In deze sessie is niets opgebouwd"));
        QCOMPARE(rekeningmutaties::laatste(next).saldo, QStringLiteral("0.00"));
        QCOMPARE(rekeningmutaties::laatste(next).regels, 0);
    }

    void anotherAdministrationStartsWithTheFirstTexts()
    {
        rekeningmutaties::opbouwen(*data, 1);
        data->switchAdministration(1);
        QCOMPARE(rekeningmutaties::laatste(*data).naam, rekeningmutaties::nietsOpgebouwd);
        QVERIFY(data->hulpT.isEmpty());
    }

    void aListHeldByAnotherProgramIsLeftAlone()
    {
        rekeningmutaties::opbouwen(*data, 1);
        const QList<Mutatie> before = hulp();
        sql::DatabaseHandle other = sql::openFile(data->werkmap() + QStringLiteral("/hulp.db"), false);
        sql::exec(other.get(), QStringLiteral("BEGIN EXCLUSIVE"));
        try {
            rekeningmutaties::opbouwen(*data, 7);
            QFAIL("built while another program held hulp.db");
        } catch (const Error &e) {
            QVERIFY2(e.message().contains(QStringLiteral("in gebruik door een ander programma")), qPrintable(e.message()));
        }
        sql::exec(other.get(), QStringLiteral("ROLLBACK"));
        other.reset();
        QCOMPARE(hulp(), before);
        QCOMPARE(rekeningmutaties::laatste(*data).naam, QStringLiteral("Bank 1"));
        DataModule1 next;
        next.openForUse();
        QCOMPARE(hulp(next), before);
    }
};

QTEST_GUILESS_MAIN(TestRekeningmutaties)
#include "test_rekeningmutaties.moc"
