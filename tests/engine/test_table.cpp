// Cursor rules of the shared table objects, on real table files in a fresh administration.
#include "databases.h"
#include "freshdata.h"
#include "store/sqlite.h"
#include "zelkerror.h"

#include <functional>
#include <map>

#include <QSignalSpy>
#include <QTest>

using namespace zelk;

namespace {
void addOpenItem(Table &t, const QString &description, double amount)
{
    t.append();
    t.setValue(u"Datum", QDate(2026, 3, 1));
    t.setValue(u"Omschrijving", description);
    t.setValue(u"Bedrag", amount);
    t.post();
}

QStringList descriptions(Table &t)
{
    QStringList list;
    for (int i = 0; i < t.recordCount(); ++i)
        list << t.valueAt(i, u"Omschrijving").toString();
    return list;
}

void addMember(Table &t, const QString &name, const QString &town = {})
{
    t.append();
    t.setValue(u"Naam", name);
    t.setValue(u"Plaats", town);
    t.post();
}
} // namespace

class TestTable : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(test::FreshData::Open::All); }
    void cleanup() { data.reset(); }

    void unkeyedRowsKeepAppendOrderAndInsertGoesBeforeCurrent()
    {
        Table &t = data->betalentabel;
        addOpenItem(t, QStringLiteral("a"), 1);
        addOpenItem(t, QStringLiteral("c"), 3);
        t.first();
        t.next(); // on "c"
        t.insert();
        t.setValue(u"Omschrijving", QStringLiteral("b"));
        t.post();
        QCOMPARE(t.text(u"omschrijving"), QStringLiteral("b"));
        t.first();
        t.insert(); // before the first row
        t.setValue(u"Omschrijving", QStringLiteral("begin"));
        t.post();
        QCOMPARE(descriptions(t), (QStringList{"begin", "a", "b", "c"}));
        // The order survives reopening: it is stored, not just cached.
        t.close();
        t.open(data->database1());
        QCOMPARE(descriptions(t), (QStringList{"begin", "a", "b", "c"}));
    }

    void manyInsertsAtTheSamePlaceKeepTheirOrder()
    {
        Table &t = data->mailtjestabel;
        t.append();
        t.setValue(u"Mnaam", QStringLiteral("last"));
        t.post();
        t.append();
        t.setValue(u"Mnaam", QStringLiteral("end"));
        t.post();
        t.first();
        t.next();
        // Halving the gap runs out of precision long before 200 inserts.
        for (int i = 0; i < 200; ++i) {
            t.insert();
            t.setValue(u"Mnaam", QString::number(i));
            t.post();
        }
        t.refresh();
        QCOMPARE(t.recordCount(), 202);
        t.first();
        QCOMPARE(t.text(u"Mnaam"), QStringLiteral("last"));
        t.next();
        QCOMPARE(t.text(u"Mnaam"), QStringLiteral("199"));
        t.last();
        QCOMPARE(t.text(u"Mnaam"), QStringLiteral("end"));
    }

    void deleteMakesTheNextRowCurrent()
    {
        Table &t = data->ontvangentabel;
        for (const char *d : {"a", "b", "c"})
            addOpenItem(t, QString::fromLatin1(d), 1);
        t.first();
        t.next();
        t.remove();
        QCOMPARE(t.text(u"Omschrijving"), QStringLiteral("c"));
        t.remove(); // the last row: the new last row becomes current
        QCOMPARE(t.text(u"Omschrijving"), QStringLiteral("a"));
        t.remove();
        QVERIFY(t.isEmpty());
        QVERIFY(t.eof());
        QCOMPARE(t.currentRow(), -1);
        QCOMPARE(t.text(u"Omschrijving"), QString());
        QCOMPARE(t.number(u"Bedrag"), 0.0);
    }

    void deleteWhileInsertingDiscardsTheNewRow()
    {
        Table &t = data->betalentabel;
        addOpenItem(t, QStringLiteral("keep"), 1);
        t.append();
        t.setValue(u"Omschrijving", QStringLiteral("discard"));
        t.remove();
        QCOMPARE(descriptions(t), QStringList{"keep"});
        t.refresh();
        QCOMPARE(t.recordCount(), 1);
    }

    void editOnAnEmptyTableAppends()
    {
        Table &t = data->hulpT;
        QVERIFY(t.isEmpty());
        t.edit();
        QCOMPARE(t.state(), Table::State::Insert);
        t.setValue(u"JrNr", 7);
        t.post();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(t.integer(u"jrnr"), 7);
    }

    void movingOrRefreshingPostsThePendingRow()
    {
        Table &t = data->betalentabel;
        addOpenItem(t, QStringLiteral("a"), 1);
        addOpenItem(t, QStringLiteral("b"), 2);
        t.first();
        t.edit();
        t.setValue(u"Bedrag", 5.0);
        t.next();
        QCOMPARE(t.state(), Table::State::Browse);
        t.append();
        t.setValue(u"Omschrijving", QStringLiteral("new"));
        t.refresh();
        t.close();
        t.open(data->database1());
        QCOMPARE(descriptions(t), (QStringList{"a", "b", "new"}));
        t.first();
        QCOMPARE(t.number(u"Bedrag"), 5.0);
    }

    // What is stored, read through a connection of its own, so nothing of this table
    // object (not even closing it) can post a pending row first.
    QStringList storedItems()
    {
        sql::DatabaseHandle db = sql::openFile(data->werkmap() + QStringLiteral("/tebetalen.db"), false);
        sql::Statement select(db.get(), QStringLiteral("SELECT Omschrijving, Bedrag FROM tebetalen ORDER BY _volgorde"));
        QStringList rows;
        while (select.step())
            rows << select.column(0).toString() + u'=' + QString::number(select.columnDouble(1));
        return rows;
    }

    void everyMoveAndEveryNewRowPostsTheRowBeingEdited_data()
    {
        QTest::addColumn<QString>("step");
        for (const char *step : {"first", "last", "next", "prior", "moveTo", "append", "insert", "refresh"})
            QTest::newRow(step) << QString::fromLatin1(step);
    }
    void everyMoveAndEveryNewRowPostsTheRowBeingEdited()
    {
        QFETCH(QString, step);
        Table &t = data->betalentabel;
        for (const char *d : {"a", "b", "c"})
            addOpenItem(t, QString::fromLatin1(d), 1);
        const std::map<QString, std::function<void()>> steps{{"first", [&] { t.first(); }},    {"last", [&] { t.last(); }},
                                                             {"next", [&] { t.next(); }},      {"prior", [&] { t.prior(); }},
                                                             {"moveTo", [&] { t.moveTo(0); }}, {"append", [&] { t.append(); }},
                                                             {"insert", [&] { t.insert(); }},  {"refresh", [&] { t.refresh(); }}};
        // A changed row.
        t.moveTo(1);
        t.edit();
        t.setValue(u"Bedrag", 9.0);
        steps.at(step)();
        QCOMPARE(storedItems(), (QStringList{"a=1", "b=9", "c=1"}));
        t.cancel();
        // A new row.
        t.moveTo(1);
        t.append();
        t.setValue(u"Omschrijving", QStringLiteral("new"));
        t.setValue(u"Bedrag", 4.0);
        steps.at(step)();
        QVERIFY(storedItems().contains(QStringLiteral("new=4")));
        QCOMPARE(t.state() == Table::State::Insert, step == QLatin1String("append") || step == QLatin1String("insert"));
    }

    void aBoundControlNeverSeesTheCursorPastTheEnd()
    {
        Table &t = data->betalentabel;
        for (const char *d : {"a", "b", "c"})
            addOpenItem(t, QString::fromLatin1(d), 1);
        int heard = 0;
        auto readCurrent = [&] {
            ++heard;
            QVERIFY2(t.currentRow() < t.recordCount(), "cursor past the end");
            t.text(u"Omschrijving"); // what a bound edit box does
        };
        connect(&t, &Table::rowsReset, this, readCurrent);
        connect(&t, &Table::currentChanged, this, readCurrent);
        t.last();
        t.remove(); // the last row
        QCOMPARE(t.text(u"Omschrijving"), QStringLiteral("b"));
        t.setCondition([](const Table::Values &v) { return v.value(1).toString() == QLatin1String("a"); });
        t.setFiltered(true); // from the second of two rows to the only one passing
        t.setFiltered(false);
        t.first();
        t.remove();
        t.remove(); // the only row
        QVERIFY(t.isEmpty());
        addOpenItem(t, QStringLiteral("d"), 1);
        t.emptyTable();
        QVERIFY(heard > 6);
        disconnect(&t, nullptr, this, nullptr);
    }

    void rowsAnotherProgramChangedAreReadBeforeAWrite()
    {
        Table &t = data->betalentabel;
        addOpenItem(t, QStringLiteral("a"), 1);
        addOpenItem(t, QStringLiteral("b"), 2);
        QCOMPARE(descriptions(t), (QStringList{"a", "b"})); // the rows are read now
        // A second program on the same files: its own connection and table objects.
        DataModule1 other;
        other.openAll();
        other.betalentabel.first();
        other.betalentabel.remove(); // "a"
        addOpenItem(other.betalentabel, QStringLiteral("c"), 3);
        QCOMPARE(descriptions(t), (QStringList{"a", "b"})); // not read again yet
        t.first();
        // Deleting "a", which the other program deleted already, deletes nothing else.
        QVERIFY_THROWS_EXCEPTION(Error, t.remove());
        QCOMPARE(descriptions(t), (QStringList{"b", "c"}));
        QCOMPARE(storedItems(), (QStringList{"b=2", "c=3"}));
        // A row edited here that the other program deleted meanwhile is not written elsewhere.
        t.first();
        t.edit();
        t.setValue(u"Bedrag", 7.0);
        other.betalentabel.first();
        other.betalentabel.remove();
        Transaction write(data->database1()); // rereads
        QVERIFY_THROWS_EXCEPTION(Error, t.post());
        write.commit();
        QCOMPARE(storedItems(), QStringList{"c=3"});
    }

    void eofAfterNextPastTheEnd()
    {
        Table &t = data->betalentabel;
        t.first();
        QVERIFY(t.eof());
        addOpenItem(t, QStringLiteral("a"), 1);
        addOpenItem(t, QStringLiteral("b"), 1);
        t.first();
        QVERIFY(!t.eof());
        int seen = 0;
        while (!t.eof()) {
            ++seen;
            t.next();
        }
        QCOMPARE(seen, 2);
        QCOMPARE(t.text(u"Omschrijving"), QStringLiteral("b"));
    }

    void membersAreKeyedAndBrowsedByName()
    {
        Table &t = data->ledentabel;
        addMember(t, QStringLiteral("Visser"));
        addMember(t, QStringLiteral("de Boer"));
        addMember(t, QStringLiteral("Bakker"));
        QCOMPARE(t.text(u"NAAM"), QStringLiteral("Bakker"));
        QStringList names;
        for (t.first(); !t.eof(); t.next())
            names << t.text(u"naam");
        QCOMPARE(names, (QStringList{"Bakker", "de Boer", "Visser"}));
        // Renaming moves the member to its new place and keeps it current.
        t.first();
        t.edit();
        t.setValue(u"Naam", QStringLiteral("Zwart"));
        t.post();
        QCOMPARE(t.currentRow(), 2);
        QCOMPARE(t.text(u"Naam"), QStringLiteral("Zwart"));
    }

    void aDuplicateMemberNameIsRefusedAndNothingIsWritten()
    {
        Table &t = data->ledentabel;
        addMember(t, QStringLiteral("Jansen"), QStringLiteral("Delft"));
        t.append();
        t.setValue(u"Naam", QStringLiteral("Jansen"));
        t.setValue(u"Plaats", QStringLiteral("Gouda"));
        try {
            t.post();
            QFAIL("a second Jansen was stored");
        } catch (const Error &e) {
            QVERIFY2(e.message().contains(QStringLiteral("al een lid met de naam \"Jansen\"")), qPrintable(e.message()));
        }
        QCOMPARE(t.state(), Table::State::Insert); // the typed member is still there to correct
        QCOMPARE(t.text(u"Plaats"), QStringLiteral("Gouda"));
        t.setValue(u"Naam", QStringLiteral("Jansen J."));
        t.post();
        t.refresh();
        QCOMPARE(t.recordCount(), 2);
    }

    void fieldsConvertAndTextsLongerThanTheirFieldAreRefused()
    {
        Table &t = data->ledentabel;
        t.append();
        t.setValue(u"Naam", QString(40, u'x'));
        // Too long: refused with the field and its length named, and the field keeps its value.
        try {
            t.setValue(u"Naam", QString(50, u'y'));
            QFAIL("a name of 50 characters was accepted");
        } catch (const Error &e) {
            QCOMPARE(e.message(),
                     QStringLiteral("De tekst voor het veld Naam is 50 tekens lang; er passen er ten hoogste 40 in. "
                                    "Maak de tekst korter."));
        }
        QCOMPARE(t.text(u"naam"), QString(40, u'x'));
        QVERIFY_THROWS_EXCEPTION(Error, t.setValue(u"Pcode", QStringLiteral("1234 AB extra")));
        t.setValue(u"Pcode", QStringLiteral("1234 AB"));
        t.setValue(u"Geb datum", QStringLiteral("31-12-1980"));
        t.setValue(u"Mrt", true);
        QVERIFY_THROWS_EXCEPTION(Error, t.setValue(u"Geb datum", QStringLiteral("31-02-1980")));
        QVERIFY_THROWS_EXCEPTION(Error, t.setValue(u"Bestaatniet", 1));
        t.post();
        t.refresh();
        QCOMPARE(t.text(u"naam").size(), 40);
        QCOMPARE(t.text(u"pcode"), QStringLiteral("1234 AB"));
        QCOMPARE(t.date(u"geb datum"), QDate(1980, 12, 31));
        QCOMPARE(t.text(u"geb datum"), QStringLiteral("31-12-1980"));
        QVERIFY(t.boolean(u"mrt"));
        QVERIFY(!t.boolean(u"apr"));
        QVERIFY_THROWS_EXCEPTION(Error, t.setValue(u"Naam", QStringLiteral("y"))); // not editing
    }

    void filterRestrictsRowsAndCount()
    {
        Table &t = data->ledentabel;
        addMember(t, QStringLiteral("A"), QStringLiteral("Delft"));
        addMember(t, QStringLiteral("B"), QStringLiteral("Gouda"));
        addMember(t, QStringLiteral("C"), QStringLiteral("Delft"));
        const int plaats = t.fieldIndex(u"Plaats");
        t.setFiltered(true);
        t.setCondition([plaats](const Table::Values &v) { return v.value(plaats).toString() == QLatin1String("Delft"); });
        QCOMPARE(t.recordCount(), 2);
        // A row that stops matching leaves the view.
        t.first();
        t.edit();
        t.setValue(u"Plaats", QStringLiteral("Leiden"));
        t.post();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(t.text(u"Naam"), QStringLiteral("C"));
        t.setFiltered(false);
        QCOMPARE(t.recordCount(), 3);
    }

    void journalLookupsFollowCurrentAccountNames()
    {
        data->completeChart();
        Table &j = data->journaaltabel;
        j.append();
        j.setValue(u"Vanrekening", QStringLiteral("Contributies"));
        j.setValue(u"Naarrekening", QStringLiteral("Opgeheven rekening"));
        j.post();
        QCOMPARE(j.integer(u"van"), 7);
        QCOMPARE(j.integer(u"naar"), 0);
        QVERIFY(!j.value(u"naar").isValid());
    }

    void aTransactionIsAllOrNothingAcrossFiles()
    {
        data->completeChart();
        Table &accounts = data->rekeningtabel;
        addMember(data->ledentabel, QStringLiteral("Jansen"));
        try {
            Transaction transaction(data->database1());
            accounts.first();
            accounts.edit();
            accounts.setValue(u"Saldo", 99.0);
            accounts.post();
            addOpenItem(data->betalentabel, QStringLiteral("half"), 1);
            addMember(data->ledentabel, QStringLiteral("Jansen")); // fails: duplicate name
            transaction.commit();
            QFAIL("the duplicate was accepted");
        } catch (const Error &) {
        }
        data->ledentabel.cancel();
        // The cached rows went back, and so did the files.
        accounts.first();
        QCOMPARE(accounts.number(u"Saldo"), 0.0);
        QCOMPARE(data->betalentabel.recordCount(), 0);
        data->closeAll();
        data->disconnectDatabase();
        data->openAll();
        data->rekeningtabel.first();
        QCOMPARE(data->rekeningtabel.number(u"Saldo"), 0.0);
        QCOMPARE(data->betalentabel.recordCount(), 0);
        QCOMPARE(data->ledentabel.recordCount(), 1);
    }

    void signalsTellBoundControlsWhatChanged()
    {
        Table &t = data->betalentabel;
        QSignalSpy reset(&t, &Table::rowsReset);
        QSignalSpy current(&t, &Table::currentChanged);
        addOpenItem(t, QStringLiteral("a"), 1);
        QVERIFY(reset.count() >= 1);
        QVERIFY(current.count() >= 1);
        QSignalSpy changed(&t, &Table::rowChanged);
        t.edit();
        t.setValue(u"Bedrag", 3.0);
        t.post();
        QCOMPARE(changed.count(), 1);
    }

    // Opening reads no rows; every reader reads them first, so callers never see the
    // difference. Each reader is tried on a table opened afresh on three stored rows.
    void everyReaderReadsTheRowsFirst_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("rows");
        const QStringList abc{"a", "b", "c"};
        QTest::newRow("first") << "first"
                               << "a" << abc;
        QTest::newRow("last") << "last"
                              << "c" << abc;
        QTest::newRow("next") << "next"
                              << "b" << abc;
        QTest::newRow("moveTo") << "moveTo"
                                << "b" << abc;
        QTest::newRow("recordCount") << "recordCount"
                                     << "3" << abc;
        QTest::newRow("isEmpty") << "isEmpty"
                                 << "false" << abc;
        QTest::newRow("currentRow") << "currentRow"
                                    << "0" << abc;
        QTest::newRow("eof") << "eof"
                             << "false" << abc;
        QTest::newRow("text") << "text"
                              << "a" << abc;
        QTest::newRow("valueAt") << "valueAt"
                                 << "c" << abc;
        QTest::newRow("rowValues") << "rowValues"
                                   << "b" << abc;
        QTest::newRow("locate") << "locate"
                                << "c" << abc;
        QTest::newRow("filter") << "filter"
                                << "1 b" << abc;
        QTest::newRow("edit") << "edit"
                              << "a=5" << abc;
        QTest::newRow("insert") << "insert"
                                << "z" << QStringList{"z", "a", "b", "c"};
        QTest::newRow("remove") << "remove"
                                << "b" << QStringList{"b", "c"};
    }
    void everyReaderReadsTheRowsFirst()
    {
        QFETCH(QString, step);
        QFETCH(QString, expected);
        QFETCH(QStringList, rows);
        Table &t = data->betalentabel;
        for (const char *d : {"a", "b", "c"})
            addOpenItem(t, QString::fromLatin1(d), 1);
        t.last();
        const qint64 rowidOfC = t.currentRowid();
        t.close();
        t.open(data->database1());
        QVERIFY(!t.isLoaded());
        const std::map<QString, std::function<QString()>> steps{
            {"first",
             [&] {
                 t.first();
                 return t.text(u"Omschrijving");
             }},
            {"last",
             [&] {
                 t.last();
                 return t.text(u"Omschrijving");
             }},
            {"next",
             [&] {
                 t.next();
                 return t.text(u"Omschrijving");
             }},
            {"moveTo",
             [&] {
                 t.moveTo(1);
                 return t.text(u"Omschrijving");
             }},
            {"recordCount", [&] { return QString::number(t.recordCount()); }},
            {"isEmpty", [&] { return QString::fromLatin1(t.isEmpty() ? "true" : "false"); }},
            {"currentRow", [&] { return QString::number(t.currentRow()); }},
            {"eof", [&] { return QString::fromLatin1(t.eof() ? "true" : "false"); }},
            {"text", [&] { return t.text(u"Omschrijving"); }},
            {"valueAt", [&] { return t.valueAt(2, u"Omschrijving").toString(); }},
            {"rowValues", [&] { return t.rowValues(1).value(1).toString(); }},
            {"locate", [&] { return t.locate(rowidOfC) ? t.text(u"Omschrijving") : QString(); }},
            {"filter",
             [&] {
                 t.setCondition([](const Table::Values &v) { return v.value(1).toString() == QLatin1String("b"); });
                 t.setFiltered(true);
                 const QString seen = QString::number(t.recordCount()) + u' ' + t.text(u"Omschrijving");
                 t.setFiltered(false);
                 return seen;
             }},
            {"edit",
             [&] {
                 t.edit();
                 t.setValue(u"Bedrag", 5.0);
                 t.post();
                 return storedItems().value(0);
             }},
            {"insert",
             [&] {
                 t.insert(); // before the first row, the current one after opening
                 t.setValue(u"Omschrijving", QStringLiteral("z"));
                 t.post();
                 return t.text(u"Omschrijving");
             }},
            {"remove",
             [&] {
                 t.remove(); // the first row, current after opening
                 return t.text(u"Omschrijving");
             }},
        };
        QCOMPARE(steps.at(step)(), expected);
        QVERIFY(t.isLoaded());
        QCOMPARE(descriptions(t), rows);
    }

    void appendingToAnUnreadTableReadsNothingAndKeepsTheOrder()
    {
        Table &t = data->betalentabel;
        for (const char *d : {"a", "b", "c"})
            addOpenItem(t, QString::fromLatin1(d), 1);
        t.close();
        t.open(data->database1());
        addOpenItem(t, QStringLiteral("d"), 4);
        QVERIFY(!t.isLoaded());
        QCOMPARE(t.totalCount(), 4);
        QCOMPARE(t.lastValue(u"Omschrijving").toString(), QStringLiteral("d"));
        QCOMPARE(t.lastValue(u"Bedrag").toDouble(), 4.0);
        QVERIFY(!t.isLoaded());
        // Read now: every row, the appended one last and current, as after any append.
        QCOMPARE(t.text(u"Omschrijving"), QStringLiteral("d"));
        QCOMPARE(descriptions(t), (QStringList{"a", "b", "c", "d"}));
        t.first();
        t.insert();
        t.setValue(u"Omschrijving", QStringLiteral("begin"));
        t.post();
        t.close();
        t.open(data->database1());
        QCOMPARE(descriptions(t), (QStringList{"begin", "a", "b", "c", "d"}));
        QVERIFY_THROWS_EXCEPTION(Error, t.lastValue(u"Bestaatniet"));
    }

    void anEmptyUnreadTableSaysSoAndGetsItsFirstRow()
    {
        Table &t = data->hulpT;
        QCOMPARE(t.totalCount(), 0);
        QVERIFY(!t.lastValue(u"JrNr").isValid());
        t.append();
        t.setValue(u"JrNr", 1);
        t.post();
        QVERIFY(!t.isLoaded());
        QCOMPARE(t.lastValue(u"JrNr").toInt(), 1);
        QVERIFY(t.eof()); // as when it was opened empty
        t.first();
        QVERIFY(!t.eof());
        QCOMPARE(t.integer(u"JrNr"), 1);
    }

    void anUnreadTableCountsWhatAnotherProgramAddedAtTheNextWrite()
    {
        Table &t = data->betalentabel;
        addOpenItem(t, QStringLiteral("a"), 1);
        addOpenItem(t, QStringLiteral("b"), 2);
        QCOMPARE(t.totalCount(), 2);
        DataModule1 other;
        other.openAll();
        addOpenItem(other.betalentabel, QStringLiteral("c"), 3);
        addOpenItem(other.betalentabel, QStringLiteral("d"), 4);
        {
            Transaction write(data->database1()); // rereads what changed
            QCOMPARE(t.totalCount(), 4);
            addOpenItem(t, QStringLiteral("e"), 5);
            write.commit();
        }
        QVERIFY(!t.isLoaded());
        QCOMPARE(t.lastValue(u"Omschrijving").toString(), QStringLiteral("e"));
        QCOMPARE(descriptions(t), (QStringList{"a", "b", "c", "d", "e"}));
        QCOMPARE(storedItems(), (QStringList{"a=1", "b=2", "c=3", "d=4", "e=5"}));
    }

    void aRollbackForgetsWhatAnUnreadTableCounted()
    {
        Table &t = data->betalentabel;
        addOpenItem(t, QStringLiteral("a"), 1);
        addOpenItem(t, QStringLiteral("b"), 2);
        {
            Transaction undone(data->database1());
            addOpenItem(t, QStringLiteral("weg"), 9);
            QCOMPARE(t.totalCount(), 3);
            QCOMPARE(t.lastValue(u"Omschrijving").toString(), QStringLiteral("weg"));
        } // not committed
        QVERIFY(!t.isLoaded());
        QCOMPARE(t.totalCount(), 2);
        QCOMPARE(t.lastValue(u"Omschrijving").toString(), QStringLiteral("b"));
        addOpenItem(t, QStringLiteral("c"), 3);
        QCOMPARE(descriptions(t), (QStringList{"a", "b", "c"}));
        QCOMPARE(t.text(u"Omschrijving"), QStringLiteral("c"));
    }

    void aTableSomeoneListensToIsReadWhenItOpens()
    {
        Table &t = data->betalentabel;
        addOpenItem(t, QStringLiteral("a"), 1);
        addOpenItem(t, QStringLiteral("b"), 2);
        t.close();
        QStringList heard;
        connect(&t, &Table::rowsReset, this, [&] {
            if (t.isOpen())
                heard << t.text(u"Omschrijving") + u'/' + QString::number(t.recordCount());
        });
        t.open(data->database1());
        QVERIFY(t.isLoaded());
        QCOMPARE(heard, QStringList{"a/2"});
        addOpenItem(t, QStringLiteral("c"), 3);
        QCOMPARE(heard.last(), QStringLiteral("c/3"));
        disconnect(&t, nullptr, this, nullptr);
    }

    // Members come in by name, whatever order they are typed in: upper and lower case
    // sort together, a name differing only in case comes right beside it (capitals first),
    // accented letters after the plain alphabet, as the key order always had it.
    void memberInsertsKeepTheNameOrder()
    {
        Table &t = data->ledentabel;
        const QStringList typed{"Zwart", "bakker", "Émile", "De Boer", "alvarez", "Bakker", "emile", "Álvarez", "BAKKER", "de Boer"};
        const QStringList expected{"alvarez", "BAKKER", "Bakker", "bakker", "De Boer", "de Boer", "emile", "Zwart", "Álvarez", "Émile"};
        for (const QString &name : typed) {
            addMember(t, name, name.size() % 2 ? QStringLiteral("Delft") : QStringLiteral("Gouda"));
            QCOMPARE(t.text(u"Naam"), name); // the new member is current
        }
        QStringList names;
        for (int i = 0; i < t.recordCount(); ++i)
            names << t.valueAt(i, u"Naam").toString();
        QCOMPARE(names, expected);
        t.close();
        t.open(data->database1());
        names.clear();
        for (t.first(); !t.eof(); t.next())
            names << t.text(u"Naam");
        QCOMPARE(names, expected); // read back from the file, the same order
    }

    void manyMemberInsertsMatchTheOrderReadFromTheFile()
    {
        // Members in a scattered order, with a filter on: the order built insert by insert
        // must be the order the file gives when read, and the filter must count right.
        Table &t = data->ledentabel;
        const int plaats = t.fieldIndex(u"Plaats");
        t.setCondition([plaats](const Table::Values &v) { return v.value(plaats).toString() == QLatin1String("Delft"); });
        t.setFiltered(true);
        const QStringList prefixes{"Bakker", "bakker", "Çelik", "de Vries", "De Vries", "Öztürk", "Visser"};
        int delft = 0;
        Transaction together(data->database1()); // one write to the disk
        for (int i = 0; i < 700; ++i) {
            const int n = (i * 389) % 700;
            const QString name = prefixes[n % prefixes.size()] + QString::number(n / prefixes.size());
            const bool inDelft = n % 3 != 0;
            delft += inDelft ? 1 : 0;
            addMember(t, name, inDelft ? QStringLiteral("Delft") : QStringLiteral("Tiel"));
            if (inDelft)
                QCOMPARE(t.text(u"Naam"), name);
        }
        together.commit();
        QCOMPARE(t.recordCount(), delft);
        QCOMPARE(t.totalCount(), 700);
        // A renamed member moves to its place and stays current.
        t.first();
        t.edit();
        t.setValue(u"Naam", QStringLiteral("Mulder"));
        t.post();
        QCOMPARE(t.text(u"Naam"), QStringLiteral("Mulder"));
        QVERIFY(t.currentRow() > 0);
        QStringList built;
        for (int i = 0; i < t.recordCount(); ++i)
            built << t.valueAt(i, u"Naam").toString();
        t.setFiltered(false);
        QStringList allBuilt;
        for (int i = 0; i < t.recordCount(); ++i)
            allBuilt << t.valueAt(i, u"Naam").toString();
        t.close();
        t.open(data->database1());
        QStringList read;
        for (int i = 0; i < t.recordCount(); ++i)
            read << t.valueAt(i, u"Naam").toString();
        QCOMPARE(allBuilt, read);
        t.setFiltered(true);
        QStringList readShown;
        for (int i = 0; i < t.recordCount(); ++i)
            readShown << t.valueAt(i, u"Naam").toString();
        QCOMPARE(built, readShown);
    }

    void emptyAndCopy()
    {
        Table &t = data->hulpT;
        for (int i = 0; i < 3; ++i) {
            t.append();
            t.setValue(u"JrNr", i + 1);
            t.post();
        }
        const QString copy = data->testHome().path() + QStringLiteral("/hulp-copy.db");
        copyTableFile(data->database1(), schemas::hulp(), copy);
        t.emptyTable();
        QVERIFY(t.isEmpty());
        restoreTableFile(data->database1(), schemas::hulp(), copy);
        t.refresh();
        QCOMPARE(t.recordCount(), 3);
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "test_table.moc"
