// The letter print over a real member table: one page per member of the selection in name
// order, each with that member's data merged into its own copy of the letter; a long letter
// running on to a second page of the same member, the next member on a page of its own; an
// empty selection giving one page with the logos and "Blad:" 1; the print copy written and
// read back with its placeholders, and the letter given never changed.
#include "databases.h"
#include "freshdata.h"
#include "report/reportdocument.h"
#include "report/richtext.h"
#include "reports/papportstand.h"
#include "reports/reportcatalogus.h"
#include "rtf/rtf.h"
#include "store/velden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTextCursor>

using namespace zelk;

namespace {
// The letter text on each page (the slices of the merged letters), page by page.
QStringList letterPages(ReportDocument &document)
{
    QStringList pages;
    for (int p = 0; p < document.pageCount(); ++p) {
        QString text;
        for (const PageItem &item : document.page(p).items)
            if (item.kind == ItemKind::RichText)
                text += document.store().richTexts.at(item.resource).document->toPlainText();
        pages << text;
    }
    return pages;
}

QStringList texts(ReportDocument &document, int page)
{
    QStringList found;
    for (const PageItem &item : document.page(page).items)
        if (item.kind == ItemKind::Text)
            found << (item.text.isEmpty() ? QString::number(document.page(page).number) : item.text);
    return found;
}

int pictures(ReportDocument &document, int page)
{
    int count = 0;
    for (const PageItem &item : document.page(page).items)
        count += item.kind == ItemKind::Picture;
    return count;
}
} // namespace

class TestPapportstand : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    QTextDocument letter;

    void addMember(const QString &name, const QString &town, const QString &dues)
    {
        using namespace veld::leden;
        Table &t = data->ledentabel;
        t.append();
        t.setValue(Naam, name);
        t.setValue(Straat, QStringLiteral("Kerkstraat 1"));
        t.setValue(Plaats, town);
        t.setValue(Lidbedrag, dues);
        t.post();
    }
    void filterOnTown(const QString &town)
    {
        Table &t = data->ledentabel;
        const int field = t.fieldIndex(veld::leden::Plaats);
        t.setCondition([field, town](const Table::Values &v) { return v.value(field).toString().contains(town, Qt::CaseInsensitive); });
        t.setFiltered(true);
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<test::FreshData>();
        // Added out of name order; two of the five live elsewhere.
        addMember(QStringLiteral("Visser, Anna"), QStringLiteral("Delft"), QStringLiteral("12,50"));
        addMember(QStringLiteral("Bakker, Els"), QStringLiteral("Delft"), QStringLiteral("vrijgesteld"));
        addMember(QStringLiteral("de Wit, Kees"), QStringLiteral("Gouda"), QStringLiteral("25,00"));
        addMember(QStringLiteral("Jansen, Piet"), QStringLiteral("Delft"), QStringLiteral("30"));
        addMember(QStringLiteral("Mulder, Bram"), QStringLiteral("Leiden"), QStringLiteral("30"));
        letter.setPlainText(QStringLiteral("Beste <naam>,\nU woont in <PLAATS>. Uw contributie: <contributie>."));
    }
    void cleanup() { data.reset(); }

    void aLetterPerMemberOfTheSelectionInNameOrder()
    {
        filterOnTown(QStringLiteral("delft"));
        ReportDocument document(papportstand(*data, letter).report());
        QCOMPARE(document.pageCount(), 3);
        QCOMPARE(letterPages(document),
                 (QStringList{"Beste Bakker, Els,\nU woont in Delft. Uw contributie: vrijgesteld.",
                              "Beste Jansen, Piet,\nU woont in Delft. Uw contributie: 30.",
                              "Beste Visser, Anna,\nU woont in Delft. Uw contributie: 12,50."}));
        for (int p = 0; p < 3; ++p)
            QCOMPARE(texts(document, p), (QStringList{"Blad:", QString::number(p + 1)}));
        // The letter given keeps its placeholders.
        QCOMPARE(letter.toPlainText(), QStringLiteral("Beste <naam>,\nU woont in <PLAATS>. Uw contributie: <contributie>."));
    }

    void theLayoutOfAPage()
    {
        data->settings.printLogo = data->settings.logoLinks = data->settings.logoRechts = true;
        data->settings.logoPad = data->werkmapMetScheiding() + QStringLiteral("lidbedraglogo.jpg");
        QVERIFY(QFile::exists(data->settings.logoPad));
        ReportDocument document(papportstand(*data, letter).report());
        QCOMPARE(document.pageSetup().margin, 10.0);
        const ReportPage &page = document.page(0);
        QCOMPARE(pictures(document, 0), 2);
        for (const PageItem &item : page.items) {
            if (item.kind == ItemKind::Picture) {
                QVERIFY(qFuzzyCompare(item.y, 10.0f) && (qFuzzyCompare(item.x, 10.0f) || qFuzzyCompare(item.x, 126.7f)));
                // The whole logo, as large as its place allows with its proportions kept.
                const QSizeF natural = naturalSizeMm(document.store().pictures.at(item.resource));
                QVERIFY(natural.width() <= 37.7 + 0.01 && natural.height() <= 44.6 + 0.01);
                QVERIFY(natural.width() >= 37.6 || natural.height() >= 44.5);
                QCOMPARE(item.w, float(natural.width()));
                QCOMPARE(item.h, float(natural.height()));
            }
            if (item.kind == ItemKind::RichText) {
                QCOMPARE(item.y, float(10 + 42.0 + papportstand::LetterTop));
                QCOMPARE(item.x, 10.0f);
                QCOMPARE(item.w, 190.0f); // 190.8 mm, kept inside the right margin
            }
            if (item.kind == ItemKind::Text && item.text == u"Blad:")
                QVERIFY(qFuzzyCompare(item.x, 176.7f) && qFuzzyCompare(item.y, float(297 - 10 - 5.6)));
        }
    }

    void aLongLetterRunsOnAndTheNextMemberStartsOnANewPage()
    {
        // Lines enough for about 1.5 pages of letter (a page holds about 227 mm of it).
        QStringList lines;
        int count = 0;
        while (documentHeightMm(*layoutCopy(letter, papportstand::LetterWidth)) < 340) {
            lines << QStringLiteral("Regel %1 voor <naam>").arg(++count);
            letter.setPlainText(lines.join(u'\n'));
        }
        filterOnTown(QStringLiteral("delft"));
        ReportDocument document(papportstand(*data, letter).report());
        QCOMPARE(document.pageCount(), 6);
        const QStringList pages = letterPages(document);
        for (int member = 0; member < 3; ++member) {
            const QString name = QStringList{"Bakker, Els", "Jansen, Piet", "Visser, Anna"}.at(member);
            // Both pages of a member hold the member's whole merged copy, sliced: the first
            // page shows the start, the second the rest.
            QVERIFY(pages.at(2 * member).startsWith(QStringLiteral("Regel 1 voor ") + name));
            QVERIFY(pages.at(2 * member + 1).contains(QStringLiteral("Regel %1 voor ").arg(count) + name));
            int slices = 0;
            for (int p : {2 * member, 2 * member + 1})
                for (const PageItem &item : document.page(p).items)
                    if (item.kind == ItemKind::RichText) {
                        ++slices;
                        QCOMPARE(item.offset > 0, p == 2 * member + 1);
                    }
            QCOMPARE(slices, 2);
        }
    }

    void anEmptySelectionGivesOnePageWithLogosAndPageNumber()
    {
        data->settings.printLogo = data->settings.logoLinks = data->settings.logoRechts = true;
        data->settings.logoPad = data->werkmapMetScheiding() + QStringLiteral("lidbedraglogo.jpg");
        filterOnTown(QStringLiteral("Utrecht"));
        ReportDocument document(papportstand(*data, letter).report());
        QCOMPARE(document.pageCount(), 1);
        QCOMPARE(letterPages(document), QStringList{QString()});
        QCOMPARE(pictures(document, 0), 2);
        QCOMPARE(texts(document, 0), (QStringList{"Blad:", "1"}));
    }

    void oneMemberOrTheLetterAsItStands()
    {
        ReportDocument one(papportstand(*data, letter, QStringLiteral("de Wit, Kees")).report());
        QCOMPARE(letterPages(one), QStringList{"Beste de Wit, Kees,\nU woont in Gouda. Uw contributie: 25,00."});
        ReportDocument none(papportstand(*data, letter, QString()).report());
        QCOMPARE(letterPages(none), QStringList{letter.toPlainText()});
    }

    // The catalogue's letter print reads the print copy, written with the letter's
    // placeholders and formatting; without a print copy the letter is empty.
    void thePrintCopy()
    {
        const QString path = papportstand::printCopyPath(*data);
        QCOMPARE(path, data->werkmap() + QStringLiteral("/tempprint.hlp"));
        const ReportEntry *entry = reportByUnit(QStringLiteral("papportstand"));
        QVERIFY(entry && entry->memberFilter);
        QCOMPARE(entry->cliName, QStringLiteral("brieven"));
        {
            ReportDocument document(entry->build(*data));
            QCOMPARE(letterPages(document), QStringList(5, QString()));
        }
        QTextCursor cursor(&letter);
        cursor.movePosition(QTextCursor::End);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral(" <soortlid>"), bold);
        papportstand::writePrintCopy(*data, letter);
        QTextDocument copy;
        rtf::readFile(path, &copy);
        QCOMPARE(copy.toPlainText(), letter.toPlainText());
        filterOnTown(QStringLiteral("Gouda"));
        ReportDocument document(entry->build(*data));
        QCOMPARE(letterPages(document), QStringList{"Beste de Wit, Kees,\nU woont in Gouda. Uw contributie: 25,00. "});
    }

    // A folder in the print copy's place: the copy cannot be written, which is an error.
    void aPrintCopyThatCannotBeWrittenIsAnError()
    {
        QVERIFY(QDir().mkpath(papportstand::printCopyPath(*data)));
        QVERIFY_THROWS_EXCEPTION(Error, papportstand::writePrintCopy(*data, letter));
        QVERIFY(QFileInfo(papportstand::printCopyPath(*data)).isDir());
    }
};

QTEST_MAIN(TestPapportstand)
#include "test_papportstand.moc"
