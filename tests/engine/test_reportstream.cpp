// Reports laid out page by page and not kept: the total a report prints is the sum of the
// rows it shows on all its pages, page numbers run on, a page asked for again (after it
// left the cache, in any order) is the page it was, only a bounded number of pages is
// kept, and an export onto a full disk fails with a message and leaves no half file.
#include "amountformat.h"
#include "filesave.h"
#include "report/listreport.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "smalldisk.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;
using zelk::test::SmallDisk;

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

// Rows with amounts of every size, some negative, in whole cents; the filter leaves out
// every seventh row, so the total is not simply that of the data.
std::shared_ptr<Report> journalReport(int rows)
{
    auto source = std::make_shared<MemoryDataSource>(QStringList{"JrNr", "Omschrijving", "Bedrag"});
    for (int i = 1; i <= rows; ++i) {
        const qint64 cents = (qint64(i) * 7919 % 250000) - (i % 11 == 0 ? 300000 : 0);
        source->addRow({double(i), QStringLiteral("Boeking %1").arg(i), cents / 100.0});
    }
    FrameSettings settings;
    settings.printLogo = false;
    settings.associationName = QStringLiteral("Schaakclub De Toren");
    return makeListReport(
        journalList(), source, [settings] { return settings; },
        [](const ReportDataSource &row) { return int(row.number(QStringLiteral("JrNr"))) % 7 != 0; });
}

// Cents of a number as the reports print it ("1.234,56", "-0,07", "-€ 12,00").
qint64 centsOf(QString text)
{
    const AmountFormat &format = AmountFormat::current();
    text.remove(QChar(0x20AC)).remove(u' ').remove(format.thousands);
    text.replace(format.decimal, u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        qFatal("not an amount: %s", qPrintable(text));
    return qRound64(value * 100);
}

QStringList texts(const ReportPage &page, BandKind band)
{
    QStringList out;
    for (const PageItem &item : page.items)
        if (item.kind == ItemKind::Text && item.band == band)
            out << item.text;
    return out;
}

// Everything a page shows, item by item, to compare pages laid out at different times.
QStringList describe(const ReportPage &page)
{
    QStringList out{QString::number(page.number)};
    for (const PageItem &item : page.items)
        out << QStringLiteral("%1 %2 %3,%4 %5x%6 %7 %8")
                   .arg(int(item.kind))
                   .arg(int(item.band))
                   .arg(item.x)
                   .arg(item.y)
                   .arg(item.w)
                   .arg(item.h)
                   .arg(item.text, item.shownText());
    return out;
}

QByteArray exported(ReportDocument &document, void (*write)(ReportDocument &, QIODevice &))
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(document, buffer);
    return bytes;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(geen bestand)");
}

} // namespace

class TestReportStream : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("ZELK_REPORT_DATE", "2026-03-05"); }

    // The summary's total is the sum of the amounts of the detail rows on all pages, page
    // numbers run 1, 2, 3, … without a gap, and the page count is the number of pages.
    // The row counts put the summary on a page of its own, or right below the last row.
    void totalIsTheSumOfAllPages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("a page and a bit") << 60;
        QTest::newRow("many pages") << 3000;
        for (int rows = 40; rows < 140; ++rows) { // somewhere here the summary moves to a page of its own
            ReportDocument probe(journalReport(rows));
            const int pages = probe.pageCount();
            const ReportPage &last = probe.page(pages - 1);
            if (texts(last, BandKind::Detail).isEmpty()) {
                QTest::newRow("summary alone on the last page") << rows;
                break;
            }
        }
    }
    void totalIsTheSumOfAllPages()
    {
        QFETCH(int, rows);
        ReportDocument document(journalReport(rows));
        qint64 shown = 0;
        int detailRows = 0, pages = 0;
        QStringList totals;
        document.forEachPage([&](const ReportPage &page) {
            ++pages;
            QCOMPARE(page.number, pages);
            QVERIFY(texts(page, BandKind::PageFooter).contains(QString::number(pages)));
            const QStringList details = texts(page, BandKind::Detail);
            QCOMPARE(details.size() % 3, 0);
            for (int i = 2; i < details.size(); i += 3) {
                shown += centsOf(details.at(i));
                ++detailRows;
            }
            totals << texts(page, BandKind::Summary);
        });
        QCOMPARE(document.pageCount(), pages);
        QVERIFY(document.isComplete());
        QCOMPARE(detailRows, rows - rows / 7);
        QCOMPARE(totals.size(), 2); // the label and the amount, once, on the last page
        QCOMPARE(totals.at(0), QStringLiteral("Totaaltelling van de getoonde mutaties"));
        QCOMPARE(centsOf(totals.at(1)), shown);

        // The plain text says the same, page for page.
        const QStringList textPages = QString::fromUtf8(exported(document, writeText)).split(QStringLiteral("\f\n"));
        QCOMPARE(textPages.size(), pages);
        QVERIFY(textPages.last().contains(AmountFormat::current().currency(shown / 100.0)));
    }

    // A page asked for again, after the layout went on or back, is the page it was: the
    // report is run again from its start and lands on the same page with the same total.
    void pagesAskedForAgainAreTheSame()
    {
        ReportDocument streamed(journalReport(9000));
        std::vector<QStringList> expected;
        streamed.forEachPage([&](const ReportPage &page) { expected.push_back(describe(page)); });
        const int pages = int(expected.size());
        QVERIFY(pages > 2 * ReportDocument::CachedPages);

        ReportDocument document(journalReport(9000));
        const int order[] = {0, pages - 1, 1, pages / 2, pages / 2 - 1, pages - 2, 0, pages / 3, pages - 1};
        for (int index : order) {
            QCOMPARE(describe(document.page(index)), expected.at(index));
            QVERIFY(document.pagesKept() <= ReportDocument::CachedPages);
        }
        // Paging back from the end, one page at a time.
        for (int index = pages - 1; index >= pages - 2 * ReportDocument::CachedPages; --index)
            QCOMPARE(describe(document.page(index)), expected.at(index));
        QCOMPARE(document.pageCount(), pages);
        QVERIFY(!document.hasPage(pages));
        QVERIFY_THROWS_EXCEPTION(Error, document.page(pages));

        // An export after all that still writes every page once, in order.
        const QString text = QString::fromUtf8(exported(document, writeText));
        QCOMPARE(text.count(u'\f'), pages - 1);
        QCOMPARE(text.count(QStringLiteral("Totaaltelling van de getoonde mutaties")), 1);
    }

    // Counting the pages, as a preview does in the background, keeps no more pages than
    // the cache holds; the pages kept are those near the one on show and the last ones.
    void countingKeepsFewPages()
    {
        ReportDocument document(journalReport(9000));
        document.page(0);
        while (document.layoutMore(7)) { }
        QVERIFY(document.pageCount() > 3 * ReportDocument::CachedPages);
        QVERIFY(document.pagesKept() <= ReportDocument::CachedPages);
        QVERIFY(document.isReady(0));
        QVERIFY(document.isReady(document.pageCount() - 1));
        QVERIFY(!document.isReady(document.pageCount() / 2));
    }

    // A report whose hook fails halfway fails again when a later page is asked for, and
    // the pages before it can still be shown.
    void anErrorHalfwayComesBack()
    {
        auto report = journalReport(2000);
        report->band(BandKind::Detail)->afterPrint = [](BandContext &c) {
            if (c.rowNumber == 1000)
                throw Error(QStringLiteral("Rij 1000 is onleesbaar."));
        };
        ReportDocument document(report);
        QVERIFY_THROWS_EXCEPTION(Error, document.pageCount());
        QVERIFY(!document.isComplete());
        QVERIFY(!document.page(1).items.empty());
        QVERIFY_THROWS_EXCEPTION(Error, document.page(document.pagesReady() + 5));
        QVERIFY(!document.page(0).items.empty());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journaal.txt"));
        QVERIFY_THROWS_EXCEPTION(Error, exportReport(document, ExportFormat::Text, path));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // An export stopped halfway (the preview's "Afbreken") leaves the previous file as it
    // was and nothing beside it; the same document saves whole afterwards.
    void stoppedExportLeavesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journaal.pdf"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("het vorige overzicht\n");
        }
        ReportDocument document(journalReport(3000));
        int seen = 0;
        document.setProgress([&](int pages) {
            seen = pages;
            if (pages == 3)
                throw Error(QStringLiteral("Het opslaan is afgebroken; er is niets opgeslagen."));
        });
        try {
            exportReport(document, ExportFormat::Pdf, path);
            QFAIL("a stopped export reported success");
        } catch (const Error &e) {
            QCOMPARE(e.message(), QStringLiteral("Het opslaan is afgebroken; er is niets opgeslagen."));
        }
        QCOMPARE(seen, 3);
        QCOMPARE(bytesOf(path), QByteArray("het vorige overzicht\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("journaal.pdf")});

        document.setProgress({});
        exportReport(document, ExportFormat::Pdf, path);
        QVERIFY(bytesOf(path).startsWith("%PDF-"));
        QVERIFY(seen == 3 && document.isComplete());
    }

    // A disk that fills up while a long report is written: the export stops with the
    // message for a full disk, the previous file stays as it was, nothing is left beside
    // it; a report that fits is saved on the same disk afterwards.
    void fullDisk_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("stopsEarly"); // HTML writes its pages to a temporary file first
        for (const char *format : {"pdf", "txt", "csv", "html"})
            QTest::newRow(format) << QString::fromLatin1(format) << (QByteArray(format) != "html");
    }
    void fullDisk()
    {
        QFETCH(QString, format);
        QFETCH(bool, stopsEarly);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("usb"));
        QVERIFY(QDir().mkpath(folder));
        SmallDisk disk(folder, "512k");
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        const QString path = folder + QStringLiteral("/journaal.") + format;
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("het vorige overzicht\n");
        }
        const ExportFormat exportFormat = *exportFormatFromName(format);
        ReportDocument document(journalReport(30000));
        try {
            exportReport(document, exportFormat, path);
            QFAIL("an export onto a full disk reported success");
        } catch (const Error &e) {
            QCOMPARE(e.message(), saveFailedMessage(path));
        }
        QCOMPARE(!document.isComplete(), stopsEarly); // it stopped when the disk was full
        QCOMPARE(bytesOf(path), QByteArray("het vorige overzicht\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()});

        ReportDocument small(journalReport(100));
        exportReport(small, exportFormat, path);
        QVERIFY(bytesOf(path).size() > 1000);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()});
    }
};

QTEST_MAIN(TestReportStream)
#include "test_reportstream.moc"
