// Laying reports out into pages: repeated frame and headings, page numbers, empty data,
// running totals, filters, hooks, shading, stretching rich text and lazy layout.
#include "amountformat.h"
#include "report/listreport.h"
#include "report/reportdocument.h"
#include "report/reportpainter.h"
#include "report/richtext.h"
#include "zelkerror.h"

#include <QFontMetricsF>
#include <QTest>
#include <QTextDocument>

using namespace zelk;

namespace {

ListReportLayout journalList()
{
    ListReportLayout list;
    list.title = titles::printcontrijour;
    list.columns = {{QStringLiteral("Bkst"), QStringLiteral("JrNr"), 0, 12},
                    {QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), 14, 80},
                    {QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), 140, 50, ValueFormat::Number, true}};
    list.totalField = QStringLiteral("Bedrag");
    list.totalLabel = QStringLiteral("Totaaltelling van de getoonde mutaties");
    return list;
}

std::shared_ptr<MemoryDataSource> journalRows(int count, double amount = 1.5)
{
    auto source = std::make_shared<MemoryDataSource>(QStringList{"JrNr", "Omschrijving", "Bedrag"});
    for (int i = 1; i <= count; ++i)
        source->addRow({double(i), QStringLiteral("Boeking %1").arg(i), amount});
    return source;
}

FrameSettings plainFrame()
{
    FrameSettings settings;
    settings.printLogo = false;
    settings.associationName = QStringLiteral("Schaakclub De Toren");
    return settings;
}

QStringList texts(const ReportPage &page, BandKind band)
{
    QStringList out;
    for (const PageItem &item : page.items)
        if (item.kind == ItemKind::Text && item.band == band)
            out << item.text;
    return out;
}

int countItems(const ReportPage &page, ItemKind kind, BandKind band)
{
    return int(std::count_if(page.items.begin(), page.items.end(), [&](const PageItem &i) { return i.kind == kind && i.band == band; }));
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("ZELK_REPORT_DATE", "2024-03-05"); }

    void framePerPage_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::newRow("one row") << 1 << 1;
        QTest::newRow("three pages") << 120 << 3;
        QTest::newRow("five pages") << 250 << 5;
    }
    void framePerPage()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        ReportDocument document(makeListReport(journalList(), journalRows(rows), [] { return plainFrame(); }));
        QCOMPARE(document.pageCount(), pages);
        int detailRows = 0;
        for (int i = 0; i < pages; ++i) {
            const ReportPage &page = document.page(i);
            QCOMPARE(page.number, i + 1);
            QCOMPARE(texts(page, BandKind::PageHeader), QStringList({"Overzicht journaal van", "Schaakclub De Toren"}));
            QCOMPARE(texts(page, BandKind::ColumnHeader), QStringList({"Bkst", "Omschrijving", "Bedrag"}));
            QCOMPARE(
                texts(page, BandKind::PageFooter),
                QStringList({"Overzicht journaal van", "Schaakclub De Toren", "Datum :", "05-03-2024", "Blad :", QString::number(i + 1)}));
            detailRows += countItems(page, ItemKind::Text, BandKind::Detail) / 3;
            // Everything stays inside the margins and above the footer.
            for (const PageItem &item : page.items) {
                QVERIFY(item.y >= 10 - 0.01);
                QVERIFY(item.y + item.h <= 287 + 0.01);
                if (item.band != BandKind::PageFooter)
                    QVERIFY(item.y + item.h <= 282 + 0.01);
            }
        }
        QCOMPARE(detailRows, rows);
        QCOMPARE(texts(document.page(pages - 1), BandKind::Summary).last(), AmountFormat::current().currency(1.5 * rows));
    }

    void emptyDataStillPrintsFrameAndZeroTotal()
    {
        ReportDocument document(makeListReport(journalList(), journalRows(0), [] { return plainFrame(); }));
        QCOMPARE(document.pageCount(), 1);
        const ReportPage &page = document.page(0);
        QCOMPARE(texts(page, BandKind::PageHeader).size(), 2);
        QCOMPARE(texts(page, BandKind::ColumnHeader).size(), 3);
        QCOMPARE(texts(page, BandKind::Detail), QStringList());
        QCOMPARE(texts(page, BandKind::Summary), QStringList({"Totaaltelling van de getoonde mutaties", "€ 0.00"}));
        QCOMPARE(texts(page, BandKind::PageFooter).last(), QStringLiteral("1"));
        QCOMPARE(countItems(page, ItemKind::Line, BandKind::Summary), 1);
    }

    void runningTotalCountsPrintedRows_data()
    {
        QTest::addColumn<int>("minimum");       // rows with JrNr below this are filtered out
        QTest::addColumn<int>("suppressEvery"); // the detail hook suppresses every n-th row (0: none)
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("printed");
        QTest::newRow("all") << 0 << 0 << "€ 25.00" << 10;
        QTest::newRow("filtered") << 7 << 0 << "€ 10.00" << 4;
        QTest::newRow("filter matches none") << 11 << 0 << "€ 0.00" << 0;
        QTest::newRow("hook suppresses") << 0 << 2 << "€ 12.50" << 5;
    }
    void runningTotalCountsPrintedRows()
    {
        QFETCH(int, minimum);
        QFETCH(int, suppressEvery);
        QFETCH(QString, total);
        QFETCH(int, printed);
        auto report = makeListReport(
            journalList(), journalRows(10, 2.5), [] { return plainFrame(); },
            [minimum](const ReportDataSource &row) { return row.number("jrnr") >= minimum; });
        if (suppressEvery)
            report->band(BandKind::Detail)->beforePrint
                = [suppressEvery](BandContext &c) { return int(c.row->number(QStringLiteral("JRNR"))) % suppressEvery != 0; };
        ReportDocument document(report);
        QCOMPARE(document.pageCount(), 1);
        QCOMPARE(texts(document.page(0), BandKind::Detail).size(), printed * 3);
        QCOMPARE(texts(document.page(0), BandKind::Summary).last(), total);
        // A second run of the same report starts the total from zero again.
        ReportDocument again(report);
        QCOMPARE(texts(again.page(0), BandKind::Summary).last(), total);
    }

    void fieldFormats_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("number") << QVariant(1234.5) << int(ValueFormat::Number) << "1,234.50";
        QTest::newRow("negative currency") << QVariant(-7.25) << int(ValueFormat::Currency) << "-€ 7.25";
        QTest::newRow("date") << QVariant(QDate(2024, 1, 9)) << int(ValueFormat::ShortDate) << "09-01-2024";
        QTest::newRow("date as text") << QVariant(QDate(2024, 1, 9)) << int(ValueFormat::Text) << "09-01-2024";
        QTest::newRow("whole number as text") << QVariant(12.0) << int(ValueFormat::Text) << "12";
        QTest::newRow("null") << QVariant() << int(ValueFormat::Number) << "";
    }
    void fieldFormats()
    {
        QFETCH(QVariant, value);
        QFETCH(int, format);
        QFETCH(QString, shown);
        auto source = std::make_shared<MemoryDataSource>(QStringList{"Waarde"});
        source->addRow({value});
        auto report = std::make_shared<Report>(QStringLiteral("proef"));
        report->addBand(BandKind::Detail, 5).addField("w", QRectF(0, 0, 40, 5), "waarde", ValueFormat(format));
        report->setData(source);
        ReportDocument document(report);
        QCOMPARE(texts(document.page(0), BandKind::Detail), shown.isEmpty() ? QStringList() : QStringList{shown});
    }

    void unknownFieldIsAnError()
    {
        // The journal list asks for "Omschrijving" and "Bedrag", which this source lacks.
        auto source = std::make_shared<MemoryDataSource>(QStringList{"JrNr"});
        source->addRow({1.0});
        ReportDocument document(makeListReport(journalList(), source, [] { return plainFrame(); }));
        QVERIFY_THROWS_EXCEPTION(Error, document.pageCount());
    }

    void rowsShadeAlternatelyFromWhiteEachRun()
    {
        ListReportLayout list = journalList();
        list.rowShades = {Qt::white, QColor(226, 226, 241)};
        auto report = makeListReport(list, journalRows(5), [] { return plainFrame(); });
        for (int run = 0; run < 2; ++run) {
            ReportDocument document(report);
            QList<QRgb> shades;
            for (const PageItem &item : document.page(0).items)
                if (item.kind == ItemKind::Box && item.band == BandKind::Detail)
                    shades << item.fill;
            const QRgb white = QColor(Qt::white).rgba(), lavender = QColor(226, 226, 241).rgba();
            QCOMPARE(shades, QList<QRgb>({white, lavender, white, lavender, white}));
        }
    }

    void detailOnceWithoutDataSource()
    {
        auto report = std::make_shared<Report>(QStringLiteral("balans"));
        ReportFrame::apply(*report, titles::printbalans, plainFrame());
        int calls = 0;
        Band &detail = report->addBand(BandKind::Detail, 200);
        detail.addLabel("kop", QRectF(0, 0, 50, 6), "INKOMSTEN");
        detail.beforePrint = [&calls](BandContext &c) {
            ++calls;
            return c.row == nullptr;
        };
        ReportDocument document(report);
        QCOMPARE(document.pageCount(), 1);
        QCOMPARE(calls, 1);
        QCOMPARE(texts(document.page(0), BandKind::Detail), QStringList{"INKOMSTEN"});
        QCOMPARE(texts(document.page(0), BandKind::PageFooter).first(), QStringLiteral("Balans"));
    }

    void landscapeUsesTheWiderPage()
    {
        ListReportLayout list = journalList();
        list.orientation = Orientation::Landscape;
        ReportDocument document(makeListReport(list, journalRows(60), [] { return plainFrame(); }));
        QCOMPARE(document.pageSetup().printableWidth(), 277.0);
        QCOMPARE(document.pageCount(), 2); // fewer rows fit on the lower page
        double rightmost = 0;
        for (const PageItem &item : document.page(0).items)
            rightmost = std::max(rightmost, double(item.x + item.w));
        QCOMPARE(rightmost, 287.0);
    }

    // A report made once at start-up prints the date of the day it runs.
    void printDateIsTakenAtEveryRun()
    {
        auto report = makeListReport(journalList(), journalRows(1), [] { return plainFrame(); });
        qputenv("ZELK_REPORT_DATE", "2024-12-31");
        ReportDocument first(report);
        QVERIFY(texts(first.page(0), BandKind::PageFooter).contains(QStringLiteral("31-12-2024")));
        qputenv("ZELK_REPORT_DATE", "2025-01-01");
        ReportDocument second(report);
        QVERIFY(texts(second.page(0), BandKind::PageFooter).contains(QStringLiteral("01-01-2025")));
        qputenv("ZELK_REPORT_DATE", "2024-03-05");
    }

    void layoutIsLazy()
    {
        ReportDocument document(makeListReport(journalList(), journalRows(1000), [] { return plainFrame(); }));
        QVERIFY(document.hasPage(0));
        QCOMPARE(document.pagesReady(), 1);
        QVERIFY(!document.isComplete());
        QVERIFY(document.layoutMore(2));
        QCOMPARE(document.pagesReady(), 3);
        const int all = document.pageCount();
        QVERIFY(document.isComplete());
        QVERIFY(!document.hasPage(all));
        QVERIFY_THROWS_EXCEPTION(Error, document.page(all));
    }

    // A long rich text stretches its band over pages, cut between lines, nothing lost.
    void richTextStretchesOverPages()
    {
        auto letter = std::make_shared<QTextDocument>();
        QString html;
        for (int i = 1; i <= 120; ++i)
            html += QStringLiteral("<p>Regel %1 van de brief aan de leden.</p>").arg(i);
        letter->setHtml(html);
        auto report = std::make_shared<Report>(QStringLiteral("brief"));
        ReportFrame::applyLetter(*report, [] { return plainFrame(); });
        report->addBand(BandKind::Detail, 215.6).addRichText("brief", QRectF(0, 2.6, 190.8, 10), letter);
        ReportDocument document(report);
        QVERIFY(document.pageCount() >= 2);
        double covered = 0;
        double lastEnd = 0;
        for (int i = 0; i < document.pageCount(); ++i)
            for (const PageItem &item : document.page(i).items)
                if (item.kind == ItemKind::RichText) {
                    QCOMPARE(item.offset, float(lastEnd));
                    covered += item.h;
                    lastEnd = item.offset + item.h;
                    QVERIFY(item.y + item.h <= 297 - 10 - 5.6 + 0.01);
                }
        const auto &text = *document.store().richTexts.front().document;
        QVERIFY(qAbs(covered - documentHeightMm(text)) < 0.01);
        // Every cut falls on a line boundary except the last end.
        const auto lines = documentLines(text);
        for (int i = 0; i + 1 < document.pageCount(); ++i)
            for (const PageItem &item : document.page(i).items)
                if (item.kind == ItemKind::RichText) {
                    const double cut = item.offset + item.h;
                    QVERIFY(std::any_of(lines.begin(), lines.end(),
                                        [cut](const RichTextLine &l) { return qAbs(l.top + l.height - cut) < 0.01; }));
                }
        QCOMPARE(texts(document.page(1), BandKind::PageFooter), QStringList({"Blad:", "2"}));
    }

    // One letter per member: the hook merges before the band, the band keeps that text
    // even after the hook after it restores the document.
    void perRowRichTextStartsEachMemberOnANewPage()
    {
        auto letter = std::make_shared<QTextDocument>();
        letter->setPlainText(QStringLiteral("Beste <naam>,"));
        auto members = std::make_shared<MemoryDataSource>(QStringList{"Naam"});
        for (const char *name : {"Ans", "Bram", "Cor"})
            members->addRow({QString::fromLatin1(name)});
        auto report = std::make_shared<Report>(QStringLiteral("papportstand"));
        ReportFrame::applyLetter(*report, [] { return plainFrame(); });
        Band &detail = report->addBand(BandKind::Detail, 215.6);
        detail.addRichText("brief", QRectF(0, 2.6, 190.8, 10), letter);
        detail.beforePrint = [letter](BandContext &c) {
            letter->setPlainText(QStringLiteral("Beste %1,").arg(c.row->text(QStringLiteral("naam"))));
            return true;
        };
        detail.afterPrint = [letter](BandContext &) { letter->setPlainText(QStringLiteral("Beste <naam>,")); };
        report->setData(members);
        ReportDocument document(report);
        QCOMPARE(document.pageCount(), 3);
        const QStringList expected{"Beste Ans,", "Beste Bram,", "Beste Cor,"};
        for (int i = 0; i < 3; ++i) {
            const PageItem *slice = nullptr;
            for (const PageItem &item : document.page(i).items)
                if (item.kind == ItemKind::RichText)
                    slice = &item;
            QVERIFY(slice);
            QCOMPARE(document.store().richTexts.at(slice->resource).document->toPlainText(), expected.at(i));
        }
        QCOMPARE(letter->toPlainText(), QStringLiteral("Beste <naam>,"));
    }

    // A text wider than its box is cut at the box's right edge with "…", measured in its own
    // font; one without a width has the room up to the right margin; no box reaches past
    // the margins. The item keeps the whole text for the exports.
    void textsAreCutAtTheirBox_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rightAligned");
        QTest::addColumn<double>("boxLeft"); // mm from the paper's left edge
        QTest::addColumn<double>("boxRight");
        QTest::addColumn<bool>("cut");
        const QString longName = QStringLiteral("Jansen-van der Bergh, Pieternella Wilhelmina");
        QTest::newRow("fits") << QRectF(20, 0, 40, 5) << "Bakker, Els" << false << 30.0 << 70.0 << false;
        QTest::newRow("too long") << QRectF(20, 0, 20, 5) << longName << false << 30.0 << 50.0 << true;
        QTest::newRow("too long, right-aligned") << QRectF(20, 0, 20, 5) << longName << true << 30.0 << 50.0 << true;
        QTest::newRow("without a width: up to the margin") << QRectF(150, 0, 0, 5) << longName << false << 160.0 << 200.0 << true;
        QTest::newRow("box past the right margin") << QRectF(170, 0, 40, 5) << longName << false << 180.0 << 200.0 << true;
        QTest::newRow("box left of the left margin") << QRectF(-5, 0, 20, 5) << "Bakker" << false << 10.0 << 25.0 << false;
        QTest::newRow("box beyond the right margin") << QRectF(195, 0, 10, 5) << "Bakker" << false << 200.0 << 200.0 << true;
    }
    void textsAreCutAtTheirBox()
    {
        QFETCH(QRectF, rect);
        QFETCH(QString, text);
        QFETCH(bool, rightAligned);
        QFETCH(double, boxLeft);
        QFETCH(double, boxRight);
        QFETCH(bool, cut);
        auto report = std::make_shared<Report>(QStringLiteral("proef"));
        const TextStyle style = rightAligned ? TextStyle().rightAligned() : TextStyle();
        report->addBand(BandKind::Detail, 5).addLabel("tekst", rect, text, style);
        ReportDocument document(report);
        const PageItem &item = document.page(0).items.at(0);
        QCOMPARE(item.text, text);
        QVERIFY2(qAbs(item.x - boxLeft) < 0.001, qPrintable(QString::number(item.x)));
        QVERIFY2(qAbs(item.x + item.w - boxRight) < 0.001, qPrintable(QString::number(item.x + item.w)));
        QCOMPARE(bool(item.flags & PageItem::Elided), cut);
        const QString shown = item.shownText();
        QVERIFY2(style.widthMm(shown) <= item.w + 0.001, qPrintable(shown));
        if (cut && !shown.isEmpty()) {
            QVERIFY(shown.endsWith(QChar(0x2026)));
            QVERIFY(text.startsWith(shown.chopped(1)));
            // Nothing longer would have fitted.
            QVERIFY(style.widthMm(text.left(shown.size()) + QChar(0x2026)) > item.w);
        }

        // The painted page shows the text inside its box only (a pixel's leeway).
        constexpr double pixelsPerMm = 8.0;
        const QImage image = renderReportPage(document, document.page(0), pixelsPerMm);
        int inkLeft = image.width(), inkRight = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                }
        QCOMPARE(inkRight >= 0, !shown.isEmpty());
        if (inkRight >= 0) {
            QVERIFY2(inkLeft >= boxLeft * pixelsPerMm - 1, qPrintable(QString::number(inkLeft / pixelsPerMm)));
            QVERIFY2(inkRight <= boxRight * pixelsPerMm + 1, qPrintable(QString::number(inkRight / pixelsPerMm)));
        }
    }

    void elideKeepsWholeCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("room"); // the room is the width of this text, and a hair
        QTest::addColumn<QString>("shown");
        const QString ellipsis(QChar(0x2026));
        QTest::newRow("fits") << "Delft"
                              << "Delft"
                              << "Delft";
        QTest::newRow("the blank at the cut goes") << "Jan de Vries"
                                                   << "Jan" + ellipsis << "Jan" + ellipsis;
        QTest::newRow("an accent stays with its letter") << "Re\u0301sume\u0301"
                                                         << "Re\u0301" + ellipsis << "Re\u0301" + ellipsis;
        QTest::newRow("room for the ellipsis only") << "Delft" << ellipsis << ellipsis;
        QTest::newRow("no room at all") << "Delft"
                                        << ""
                                        << "";
    }
    void elideKeepsWholeCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, room);
        QFETCH(QString, shown);
        const QFontMetricsF metrics(TextStyle().font(), measuringDevice());
        QCOMPARE(elideToWidth(metrics, text, metrics.horizontalAdvance(room) + 0.01), shown);
    }

    void emptyLetterSelectionStillGivesOnePage()
    {
        auto report = std::make_shared<Report>(QStringLiteral("papportstand"));
        ReportFrame::applyLetter(*report, [] { return plainFrame(); });
        report->addBand(BandKind::Detail, 215.6).addRichText("brief", QRectF(0, 2.6, 190.8, 10), std::make_shared<QTextDocument>());
        report->setData(std::make_shared<MemoryDataSource>(QStringList{"Naam"}));
        ReportDocument document(report);
        QCOMPARE(document.pageCount(), 1);
        QCOMPARE(texts(document.page(0), BandKind::PageFooter), QStringList({"Blad:", "1"}));
    }
};

QTEST_MAIN(TestReportLayout)
#include "test_reportlayout.moc"
