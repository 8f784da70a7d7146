// Safety copies: a copy holds exactly the tables and settings of the moment it was made,
// the newest 20 are kept, a copy that cannot be made refuses the action and leaves
// nothing behind, and putting one back gives the administration back whole, with the
// running program's tables reread.
#include "boekingen.h"
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "jaarafsluiting.h"
#include "ledenimport.h"
#include "schoneleimaken.h"
#include "smalldisk.h"
#include "store/velden.h"
#include "tabeldump.h"
#include "veiligheidskopie.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

using namespace zelk;

namespace {
const QDate day(2026, 5, 1);

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(ontbreekt)");
}
} // namespace

class TestVeiligheidskopie : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    QString copies() const { return veiligheidskopie::map(data->werkmap()); }
    QStringList names()
    {
        QStringList list;
        for (const veiligheidskopie::Kopie &k : veiligheidskopie::lijst(data->werkmap()))
            list << k.naam;
        return list;
    }
    void someBookkeeping()
    {
        declar::boekpost(*data, 23, 1, QStringLiteral("Beginbalans"), day, 1250);
        boekingen::uitgaven(*data, 24, 13, {QStringLiteral("Advertentie"), day, 40});
        boekingen::inkomsten(*data, 7, 25, {QStringLiteral("Contributie Jansen"), day, 12.5});
        Table &m = data->ledentabel;
        m.append();
        m.setValue(veld::leden::Naam, QStringLiteral("Jansen"));
        m.setValue(QStringLiteral("Mrt"), true);
        m.post();
        data->setVerenigingsnaam(QStringLiteral("HSV Het Dobbertje"));
        data->settings.konfigur.setNederlandseBedragen(true);
        data->writeKonfigur();
    }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void aCopyHoldsTheTablesAndSettingsOfItsMoment()
    {
        someBookkeeping();
        const QStringList before = test::dump(data->werkmap());
        const veiligheidskopie::Kopie kopie = veiligheidskopie::maak(data->database1(), veiligheidskopie::ledenInlezen);
        QCOMPARE(QFileInfo(kopie.pad).absolutePath(), copies());
        QCOMPARE(copies(), data->testHome().path() + QStringLiteral("/veiligheidskopieen/zelk"));
        QCOMPARE(kopie.naam, kopie.moment.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) + QStringLiteral(" leden inlezen"));
        QVERIFY(qAbs(kopie.moment.secsTo(QDateTime::currentDateTime())) < 60);
        QCOMPARE(test::dump(kopie.pad), before);
        // Nothing half made is left beside it.
        QCOMPARE(QDir(copies()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{kopie.naam});
        const auto listed = veiligheidskopie::lijst(data->werkmap());
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed[0].handeling, QStringLiteral("leden inlezen"));
        QCOMPARE(listed[0].moment, kopie.moment);
    }

    void theNewestTwentyAreKept()
    {
        QStringList made;
        for (int i = 0; i < veiligheidskopie::bewaard + 1; ++i)
            made << veiligheidskopie::maak(data->database1(), i % 2 ? veiligheidskopie::schoneLei : veiligheidskopie::jaarafsluiting).naam;
        // Made within a second or two, still distinct and in order.
        QCOMPARE(QSet<QString>(made.begin(), made.end()).size(), made.size());
        QCOMPARE(names(), made.mid(1));
        QCOMPARE(QDir(copies()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), veiligheidskopie::bewaard);
    }

    void whatAStoppedProgramLeftIsCleared()
    {
        veiligheidskopie::maak(data->database1(), veiligheidskopie::jaarafsluiting);
        // A copy being built, one being removed, and an administration being put back.
        for (const QString &folder : {copies() + QStringLiteral("/.bezig-2026-01-01 10-00-00 schone lei"),
                                      copies() + QStringLiteral("/.weg-2025-01-01 10-00-00 jaarafsluiting"),
                                      data->testHome().path() + QStringLiteral("/.terugzetten-zelk")}) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(writeFile(folder + QStringLiteral("/journaal.db"), "half"));
        }
        QCOMPARE(names().size(), 1); // never listed as a copy
        veiligheidskopie::maak(data->database1(), veiligheidskopie::schoneLei);
        QCOMPARE(QDir(copies()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), names());
        QVERIFY(!QFileInfo::exists(data->testHome().path() + QStringLiteral("/.terugzetten-zelk")));
        QCOMPARE(names().size(), 2);
    }

    void putBackGivesTheAdministrationBackWhole()
    {
        someBookkeeping();
        const QString letter = data->werkmap() + QStringLiteral("/herinnering.rtf");
        QVERIFY(writeFile(letter, "{\\rtf1 eerste brief}"));
        const QStringList before = test::dump(data->werkmap());
        const veiligheidskopie::Kopie kopie = jaarafsluiten(*data, QDate(2026, 12, 31));
        schoneLei(*data);
        Table &m = data->ledentabel;
        m.append();
        m.setValue(veld::leden::Naam, QStringLiteral("Zwart"));
        m.post();
        data->settings.konfigur.setNederlandseBedragen(false);
        data->writeKonfigur();
        data->setVerenigingsnaam(QStringLiteral("Andere naam"));
        QVERIFY(writeFile(letter, "{\\rtf1 tweede brief}")); // not part of a copy: stays as it is
        const QStringList changed = test::dump(data->werkmap());

        const veiligheidskopie::Kopie vorige = veiligheidskopie::zetTerug(*data, kopie.naam);
        QCOMPARE(test::dump(data->werkmap()), before);
        QCOMPARE(readFile(letter), QByteArray("{\\rtf1 tweede brief}"));
        QVERIFY(QFileInfo::exists(data->werkmap() + QStringLiteral("/lidbedraglogo.jpg")));
        // The state it replaced is itself a copy, so putting back can be undone.
        QCOMPARE(vorige.handeling, QStringLiteral("terugzetten"));
        QCOMPARE(test::dump(vorige.pad), changed);
        QCOMPARE(names().last(), vorige.naam);
        // Nothing is left beside the administration.
        QCOMPARE(QDir(data->testHome().path()).entryList({QStringLiteral(".terugzetten*")}, QDir::AllEntries | QDir::Hidden),
                 QStringList());

        // The running program's tables and settings show the restored administration.
        QCOMPARE(data->journaaltabel.recordCount(), 3);
        QCOMPARE(data->betalentabel.recordCount(), 1);
        QCOMPARE(data->ledentabel.recordCount(), 1);
        QCOMPARE(data->rekeningtabel.valueAt(0, veld::rekeningen::Saldo).toDouble(), 1250.0);
        QVERIFY(data->settings.konfigur.nederlandseBedragen());
        QCOMPARE(data->settings.verenigingsnaam, QStringLiteral("HSV Het Dobbertje"));
        // And it books on from there.
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie"), day, 10);
        QCOMPARE(data->lastJournalNumber(), 4);

        // Back to the state before putting back.
        veiligheidskopie::zetTerug(*data, vorige.naam);
        QCOMPARE(test::tableRows(data->werkmap()), test::tableRows(vorige.pad));
    }

    void aDamagedOrUnknownCopyChangesNothing()
    {
        someBookkeeping();
        const veiligheidskopie::Kopie kopie = veiligheidskopie::maak(data->database1(), veiligheidskopie::schoneLei);
        schoneLei(*data);
        const QStringList current = test::dump(data->werkmap());
        const QStringList listed = names();
        QVERIFY_THROWS_EXCEPTION(Error, veiligheidskopie::zetTerug(*data, QStringLiteral("2020-01-01 00-00-00 onbekend")));
        QVERIFY_THROWS_EXCEPTION(Error, veiligheidskopie::zetTerug(*data, QStringLiteral("../zelk")));
        QVERIFY(writeFile(kopie.pad + QStringLiteral("/journaal.db"), QByteArray(4096, 'x')));
        try {
            veiligheidskopie::zetTerug(*data, kopie.naam);
            QFAIL("a damaged copy was put back");
        } catch (const Error &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("De veiligheidskopie %1 is niet compleet of beschadigd").arg(kopie.naam)),
                     qPrintable(e.message()));
        }
        QFile::remove(kopie.pad + QStringLiteral("/hulp.db"));
        QVERIFY_THROWS_EXCEPTION(Error, veiligheidskopie::zetTerug(*data, kopie.naam));
        QCOMPARE(test::dump(data->werkmap()), current);
        QCOMPARE(names(), listed); // no safety copy for an action that did not happen
        QVERIFY(data->journaaltabel.isOpen());
    }

    // The copies folder on a disk that is full: every action that needs a copy is refused
    // before it changes anything, and no half copy stays behind.
    void aFullDiskRefusesTheAction()
    {
        someBookkeeping();
        QVERIFY(QDir().mkpath(copies()));
        test::SmallDisk disk(copies(), "1m");
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        QVERIFY(disk.fill());
        const QStringList before = test::dump(data->werkmap());
        const auto refused = [&](const std::function<void()> &action) {
            try {
                action();
            } catch (const Error &e) {
                return e.message().startsWith(QStringLiteral("Er kon geen veiligheidskopie van de administratie worden gemaakt in "))
                    && e.message().endsWith(QStringLiteral("niet uitgevoerd; er is niets gewijzigd."));
            }
            return false;
        };
        QVERIFY(refused([&] { jaarafsluiten(*data, QDate(2026, 12, 31)); }));
        QVERIFY(refused([&] { schoneLei(*data); }));
        QVERIFY(refused([&] { ledenimport::importBytes(data->ledentabel, data->database1(), "Naam;Plaats\nPietersen;Delft\n"); }));
        QCOMPARE(test::dump(data->werkmap()), before);
        QCOMPARE(data->ledentabel.recordCount(), 1);
        QCOMPARE(QDir(copies()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(QDir(copies()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{".vulsel"});
        disk.free();
        schoneLei(*data); // with room again it works
        QCOMPARE(names().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestVeiligheidskopie)
#include "test_veiligheidskopie.moc"
