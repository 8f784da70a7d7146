// The overview filters over a real journal and open-items table: text criteria anywhere in
// the field ignoring case, ranges with both bounds inclusive, a to-value alone meaning "at
// most", values that are no number or date ignored with a reason, and all criteria together.
#include "databases.h"
#include "declar.h"
#include "filtercriteria.h"
#include "freshdata.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QTest>

using namespace zelk;

class TestFilterCriteria : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    // The journal numbers the criteria let through.
    QList<int> passing(const FilterCriteria &criteria)
    {
        Table &journal = data->journaaltabel;
        journal.setCondition(criteria.condition(journal.schema()));
        journal.setFiltered(true);
        QList<int> numbers;
        for (int i = 0; i < journal.recordCount(); ++i)
            numbers << int(journal.valueAt(i, veld::journaal::JrNr).toDouble());
        journal.setFiltered(false);
        journal.clearCondition();
        return numbers;
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<test::FreshData>();
        // JrNr 1-5: dates 1, 10, 20 and 31 January and 1 February.
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie januari"), QDate(2026, 1, 1), 25);
        declar::boekpost(*data, 1, 21, QStringLiteral("Zaalhuur"), QDate(2026, 1, 10), 100);
        declar::boekpost(*data, 8, 4, QStringLiteral("Gift van de BAKKER"), QDate(2026, 1, 20), 12.5);
        declar::boekpost(*data, 1, 4, QStringLiteral("Kasopname"), QDate(2026, 1, 31), 50);
        declar::boekpost(*data, 7, 2, QStringLiteral("Contributie februari"), QDate(2026, 2, 1), 25);
    }
    void cleanup() { data.reset(); }

    void journalCriteria_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("from"); // the text of a text criterion
        QTest::addColumn<QString>("to");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("nothing typed") << "Omschrijving"
                                       << ""
                                       << "" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("text from the middle, other case") << "Omschrijving"
                                                          << "BUTIE"
                                                          << "" << QList<int>{1, 5};
        QTest::newRow("text with blanks around it") << "Omschrijving"
                                                    << "  bakker "
                                                    << "" << QList<int>{3};
        QTest::newRow("text nowhere") << "Omschrijving"
                                      << "huur van de kantine"
                                      << "" << QList<int>{};
        QTest::newRow("account name") << "Vanrekening"
                                      << "bank 1"
                                      << "" << QList<int>{2, 4};
        QTest::newRow("to-account name") << "Naarrekening"
                                         << "kas"
                                         << "" << QList<int>{3, 4};
        QTest::newRow("numbers, both bounds inclusive") << "Boekstuk"
                                                        << "2"
                                                        << "4" << QList<int>{2, 3, 4};
        QTest::newRow("numbers, from alone") << "Boekstuk"
                                             << "4"
                                             << "" << QList<int>{4, 5};
        QTest::newRow("numbers, to alone means at most") << "Boekstuk"
                                                         << ""
                                                         << "2" << QList<int>{1, 2};
        QTest::newRow("numbers, one number") << "Boekstuk"
                                             << "3"
                                             << "3" << QList<int>{3};
        QTest::newRow("numbers, from above to") << "Boekstuk"
                                                << "4"
                                                << "2" << QList<int>{};
        QTest::newRow("dates, both bounds inclusive") << "Datum"
                                                      << "10-01-2026"
                                                      << "31-01-2026" << QList<int>{2, 3, 4};
        QTest::newRow("dates, to alone means at most") << "Datum"
                                                       << ""
                                                       << "10-1-2026" << QList<int>{1, 2};
        QTest::newRow("dates, from alone, year first") << "Datum"
                                                       << "2026-01-31"
                                                       << "" << QList<int>{4, 5};
        QTest::newRow("dates, slashes") << "Datum"
                                        << "20/01/2026"
                                        << "20/01/2026" << QList<int>{3};
        QTest::newRow("a half-typed date does not restrict") << "Datum"
                                                             << "31-01-20"
                                                             << "" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("a wrong to-value does not restrict the from-value") << "Boekstuk"
                                                                           << "5"
                                                                           << "x" << QList<int>{5};
    }
    void journalCriteria()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QList<int>, expected);
        FilterCriteria criteria(journaalCriteria());
        const int index = criteria.indexOf(criterion);
        QVERIFY(index >= 0);
        if (criteria.criteria()[index].isRange())
            criteria.setRange(index, from, to);
        else
            criteria.setText(index, from);
        QCOMPARE(passing(criteria), expected);
        QCOMPARE(criteria.isBlank(), from.isEmpty() && to.isEmpty());
    }

    void everyFilledInCriterionMustHold()
    {
        FilterCriteria criteria(journaalCriteria());
        criteria.setRange(criteria.indexOf(QStringLiteral("Datum")), QStringLiteral("01-01-2026"), QStringLiteral("31-01-2026"));
        criteria.setText(criteria.indexOf(QStringLiteral("Vanrekening")), QStringLiteral("Bank"));
        criteria.setRange(criteria.indexOf(QStringLiteral("JrNr")), QString(), QStringLiteral("3"));
        QCOMPARE(passing(criteria), QList<int>{2});
        criteria.clear();
        QVERIFY(criteria.isBlank());
        QVERIFY(!criteria.condition(data->journaaltabel.schema()));
    }

    void amountsCompareToTheCent()
    {
        for (const double amount : {9.99, 10.0, 10.01, 250.0})
            declar::nieuwtebetalen(*data, QStringLiteral("Factuur"), QDate(2026, 3, 1), amount);
        FilterCriteria criteria(openPostCriteria());
        const int bedrag = criteria.indexOf(QStringLiteral("Bedrag"));
        criteria.setRange(bedrag, QStringLiteral("10"), QStringLiteral("10.01"));
        Table &items = data->betalentabel;
        items.setCondition(criteria.condition(items.schema()));
        items.setFiltered(true);
        QCOMPARE(items.recordCount(), 2);
        QCOMPARE(items.valueAt(0, veld::openpost::Bedrag).toDouble(), 10.0);
        QCOMPARE(items.valueAt(1, veld::openpost::Bedrag).toDouble(), 10.01);
        // Under the Dutch amount setting the comma is the decimal separator.
        FilterCriteria dutch(openPostCriteria(), AmountFormat{u'.', u','});
        dutch.setRange(bedrag, QString(), QStringLiteral("9,99"));
        items.setCondition(dutch.condition(items.schema()));
        QCOMPARE(items.recordCount(), 1);
        items.setFiltered(false);
    }

    void aValueThatCannotBeReadIsNamed()
    {
        FilterCriteria criteria(journaalCriteria());
        const int datum = criteria.indexOf(QStringLiteral("datum"));
        criteria.setRange(datum, QStringLiteral("32-01-2026"), QStringLiteral("31-01-2026"));
        QVERIFY(criteria.fromInvalid(datum));
        QVERIFY(!criteria.toInvalid(datum));
        QCOMPARE(criteria.problem(datum),
                 QStringLiteral("Datum: \"32-01-2026\" is geen datum; geef een datum als dag-maand-jaar, bijvoorbeeld 31-12-2025. "
                                "Zolang dat zo is, telt deze waarde niet mee."));
        const int boekstuk = criteria.indexOf(QStringLiteral("Boekstuk"));
        criteria.setRange(boekstuk, QStringLiteral("1e999"), QString());
        QVERIFY(criteria.fromInvalid(boekstuk));
        QVERIFY(criteria.problem(criteria.indexOf(QStringLiteral("Omschrijving"))).isEmpty());
        QCOMPARE(criteria.indexOf(QStringLiteral("Bedrag")), -1);
    }

    void aCriterionOnAFieldTheTableLacksIsRefused()
    {
        FilterCriteria criteria(journaalCriteria());
        criteria.setText(criteria.indexOf(QStringLiteral("Vanrekening")), QStringLiteral("Bank"));
        QVERIFY_THROWS_EXCEPTION(Error, criteria.condition(data->betalentabel.schema()));
    }
};

QTEST_GUILESS_MAIN(TestFilterCriteria)
#include "test_filtercriteria.moc"
