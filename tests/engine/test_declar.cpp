// The posting routines: balances and journal always agree, open items settle within a
// cent, amounts typed as text are read under the amount format, and a booking that fails
// halfway leaves nothing behind.
#include "amountformat.h"
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "store/sqlite.h"
#include "zelkerror.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace zelk;

class TestDeclar : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    const QDate day{2026, 4, 1};

    double balance(int position) { return data->rekeningtabel.valueAt(position - 1, u"Saldo").toDouble(); }
    QString journalText(QStringView field) { return data->journaaltabel.text(field); }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void aBookingMovesTheAmountAndAppendsOneJournalRow()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie maart"), day, 25.0);
        QCOMPARE(balance(7), -25.0);
        QCOMPARE(balance(1), 25.0);
        QCOMPARE(data->journaaltabel.recordCount(), 1);
        QCOMPARE(data->journaaltabel.integer(u"JrNr"), 1); // first booking on an empty journal
        QCOMPARE(journalText(u"Vanrekening"), QStringLiteral("Contributies"));
        QCOMPARE(journalText(u"Naarrekening"), QStringLiteral("Bank 1"));
        declar::boekpost(*data, 1, 21, QString(40, u'z'), day, 10.0);
        QCOMPARE(data->rekeningtabel.currentRow(), 20); // left on the to-account
        QCOMPARE(data->journaaltabel.integer(u"JrNr"), 2);
        QCOMPARE(journalText(u"Omschrijving"), QString(40, u'z'));
    }

    void fromEqualsToAndNegativeAmounts()
    {
        declar::boekpost(*data, 4, 4, QStringLiteral("rondje"), day, 12.0);
        QCOMPARE(balance(4), 0.0);
        QCOMPARE(journalText(u"Vanrekening"), journalText(u"Naarrekening"));
        declar::boekpost(*data, 1, 12, QStringLiteral("correctie"), day, -8.5);
        QCOMPARE(balance(1), 8.5);
        QCOMPARE(balance(12), -8.5);
        QCOMPARE(data->journaaltabel.number(u"Bedrag"), -8.5);
    }

    void positionsOutsideTheChartAddressTheFirstAndLastAccount()
    {
        declar::boekpost(*data, 0, 99, QStringLiteral("grens"), day, 1.0);
        QCOMPARE(balance(1), -1.0);
        QCOMPARE(balance(37), 1.0);
    }

    void settling_data()
    {
        QTest::addColumn<double>("paid");
        QTest::addColumn<int>("itemsLeft");
        QTest::addColumn<double>("rest");
        QTest::newRow("exact") << 10.0 << 0 << 0.0;
        QTest::newRow("within a cent") << 10.004 << 0 << 0.0;
        QTest::newRow("two cents short") << 9.98 << 1 << 0.02;
        QTest::newRow("one cent short") << 9.99 << 1 << 0.01;
        QTest::newRow("one cent too much") << 10.01 << 1 << -0.01;
        QTest::newRow("partly") << 4.0 << 1 << 6.0;
        QTest::newRow("too much") << 12.0 << 1 << -2.0;
    }
    void settling()
    {
        QFETCH(double, paid);
        QFETCH(int, itemsLeft);
        QFETCH(double, rest);
        declar::nieuwtebetalen(*data, QStringLiteral("Factuur drukker"), day, 10.0);
        declar::nieuwteontvangen(*data, QStringLiteral("Subsidie gemeente"), day, 10.0);
        data->betalentabel.first();
        declar::aflossentebetalen(*data, paid);
        data->ontvangentabel.first();
        declar::aflossenteontvangen(*data, paid);
        for (Table *items : {&data->betalentabel, &data->ontvangentabel}) {
            QCOMPARE(items->recordCount(), itemsLeft);
            if (itemsLeft)
                QCOMPARE(items->number(u"Bedrag"), rest); // exactly: whole cents are stored
        }
    }

    void aBigItemKeepsItsOneCentRestToo()
    {
        declar::nieuwtebetalen(*data, QStringLiteral("Zaalhuur"), day, 100.0);
        data->betalentabel.first();
        declar::aflossentebetalen(*data, 99.99);
        QCOMPARE(data->betalentabel.recordCount(), 1);
        QCOMPARE(data->betalentabel.number(u"Bedrag"), 0.01);
    }

    void balancesHoldWholeCents()
    {
        for (int i = 0; i < 3; ++i)
            declar::boekpost(*data, 7, 1, QStringLiteral("dubbeltje"), day, 0.10);
        declar::boekpost(*data, 1, 12, QStringLiteral("drie dubbeltjes"), day, 0.30);
        QCOMPARE(balance(1), 0.0);
        QVERIFY(!std::signbit(balance(1)));
        QCOMPARE(AmountFormat::current().display(balance(1)), QStringLiteral("0.00"));
        QVERIFY(!AmountFormat::isNegative(balance(1)));
        // A fraction of a cent is rounded when taken: the amount booked is the amount shown.
        declar::boekpost(*data, 7, 2, QStringLiteral("afgerond"), day, 1.125);
        QCOMPARE(data->journaaltabel.number(u"Bedrag"), 1.13);
        QCOMPARE(balance(2), 1.13);
    }

    void amountsThatCannotBeBookedAreRefused_data()
    {
        QTest::addColumn<double>("amount");
        QTest::newRow("nan") << std::nan("");
        QTest::newRow("inf") << std::numeric_limits<double>::infinity();
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
        QTest::newRow("1e17") << 1e17;
        QTest::newRow("ten digits") << 10'000'000'000.0;
        QTest::newRow("minus ten digits") << -10'000'000'000.0;
    }
    void amountsThatCannotBeBookedAreRefused()
    {
        QFETCH(double, amount);
        declar::boekpost(*data, 7, 1, QStringLiteral("eerste"), day, 100.0);
        declar::nieuwtebetalen(*data, QStringLiteral("open"), day, 5.0);
        data->betalentabel.first();
        QVERIFY_THROWS_EXCEPTION(Error, declar::boekpost(*data, 7, 1, QStringLiteral("fout"), day, amount));
        QVERIFY_THROWS_EXCEPTION(Error, declar::nieuwteontvangen(*data, QStringLiteral("fout"), day, amount));
        QVERIFY_THROWS_EXCEPTION(Error, declar::aflossentebetalen(*data, amount));
        QCOMPARE(balance(1), 100.0);
        QCOMPARE(balance(7), -100.0);
        QCOMPARE(data->journaaltabel.recordCount(), 1);
        QCOMPARE(data->ontvangentabel.recordCount(), 0);
        QCOMPARE(data->betalentabel.number(u"Bedrag"), 5.0);
        // Up to the largest balance that can be shown it still books; a cent more is refused.
        declar::boekpost(*data, 7, 1, QStringLiteral("groot"), day, 9'999'999'899.99);
        QCOMPARE(balance(1), 9'999'999'999.99);
        QVERIFY_THROWS_EXCEPTION(Error, declar::boekpost(*data, 12, 1, QStringLiteral("te groot"), day, 0.01));
        QCOMPARE(balance(1), 9'999'999'999.99);
        QCOMPARE(balance(12), 0.0);
    }

    void settlingWithoutACurrentItemIsRefused() { QVERIFY_THROWS_EXCEPTION(Error, declar::aflossentebetalen(*data, 5.0)); }

    void settlingTheMiddleItemMakesTheNextCurrent()
    {
        for (const char *d : {"a", "b", "c"})
            declar::nieuwtebetalen(*data, QString::fromLatin1(d), day, 5.0);
        data->betalentabel.moveTo(1);
        declar::aflossentebetalen(*data, 5.0);
        QCOMPARE(data->betalentabel.text(u"Omschrijving"), QStringLiteral("c"));
    }

    void amountsTypedAsText_data()
    {
        QTest::addColumn<bool>("dutch");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("amount");
        QTest::newRow("blanks around and inside") << false << " 1 234.50 " << 1234.5;
        QTest::newRow("only blanks") << false << "   " << 0.0;
        QTest::newRow("exponent") << false << "1e3" << 1000.0;
        QTest::newRow("negative") << false << "-3.25" << -3.25;
        QTest::newRow("dutch") << true << "12,50" << 12.5;
        QTest::newRow("not a number") << false << "twaalf" << 0.0;
    }
    void amountsTypedAsText()
    {
        QFETCH(bool, dutch);
        QFETCH(QString, text);
        QFETCH(double, amount);
        AmountFormat::applyDutch(dutch);
        const double read = declar::tekstnaarbedrag(text);
        AmountFormat::applyDutch(false);
        QCOMPARE(read, amount);
    }

    void aBookingThatFailsHalfwayLeavesNothing()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("eerste"), day, 25.0);
        declar::nieuwteontvangen(*data, QStringLiteral("open"), day, 3.0);
        // The journal refuses new rows: the failure comes after both balances were posted.
        sql::exec(data->database1().handle(),
                  QStringLiteral("CREATE TRIGGER \"journaal\".weiger BEFORE INSERT ON journaal "
                                 "BEGIN SELECT RAISE(ABORT, 'schijf weigert'); END"));
        try {
            Transaction action(data->database1());
            declar::boekpost(*data, 8, 2, QStringLiteral("tweede"), day, 40.0);
            declar::nieuwteontvangen(*data, QStringLiteral("nog een"), day, 40.0);
            action.commit();
            QFAIL("the booking went through");
        } catch (const Error &e) {
            QVERIFY2(e.message().contains(QStringLiteral("schijf weigert")), qPrintable(e.message()));
        }
        QCOMPARE(balance(8), 0.0);
        QCOMPARE(balance(2), 0.0);
        QCOMPARE(balance(1), 25.0);
        QCOMPARE(data->journaaltabel.recordCount(), 1);
        QCOMPARE(data->ontvangentabel.recordCount(), 1);
        // And the files agree with what the program shows.
        data->disconnectDatabase();
        data->openForUse();
        QCOMPARE(balance(8), 0.0);
        QCOMPARE(data->journaaltabel.recordCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDeclar)
#include "test_declar.moc"
