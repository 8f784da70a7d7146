// Saving a laid-out report as plain text, CSV, HTML and PDF. The text, CSV and HTML of a
// fixed two-page report are compared with saved expected files (ZELK_UPDATE_GOLDEN=1
// rewrites them after a deliberate change).
#include "report/listreport.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;

namespace {

std::shared_ptr<Report> sampleReport()
{
    ListReportLayout list;
    list.title = titles::printtebetalen;
    list.rowHeight = 55; // tall rows, so that five of them need two pages
    list.columns = {{QStringLiteral("Datum"), QStringLiteral("Datum"), 0, 22, ValueFormat::ShortDate},
                    {QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), 25, 90},
                    {QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), 150, 40, ValueFormat::Number, true}};
    list.totalField = QStringLiteral("Bedrag");
    list.totalLabel = QStringLiteral("Totaaltelling van de getoonde posten");
    auto rows = std::make_shared<MemoryDataSource>(QStringList{"Datum", "Omschrijving", "Bedrag"});
    rows->addRow({QDate(2025, 1, 3), QStringLiteral("Zaalhuur januari"), 1250.0});
    rows->addRow({QDate(2025, 2, 14), QStringLiteral("Bekers, medailles en \"oorkondes\""), 89.95});
    rows->addRow({QDate(2025, 3, 1), QStringLiteral("Terugbetaling <borg> & kosten"), -40.0});
    rows->addRow({QDate(2025, 3, 9), QStringLiteral("Drukwerk"), 12.5});
    rows->addRow({QDate(2025, 4, 30), QStringLiteral("Bondsafdracht"), 310.0});
    FrameSettings settings;
    settings.printLogo = false;
    settings.associationName = QStringLiteral("Schaakclub De Toren");
    return makeListReport(list, rows, [settings] { return settings; });
}

QByteArray exported(void (*writer)(ReportDocument &, QIODevice &))
{
    ReportDocument document(sampleReport());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writer(document, buffer);
    return bytes;
}

QByteArray golden(const QString &name, const QByteArray &actual)
{
    const QString path = qEnvironmentVariable("ZELK_TESTDATA") + QStringLiteral("/report/") + name;
    QFile file(path);
    if (qEnvironmentVariableIsSet("ZELK_UPDATE_GOLDEN")) {
        file.open(QIODevice::WriteOnly);
        file.write(actual);
        return actual;
    }
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("missing expected file ") + path.toUtf8();
    return file.readAll();
}

} // namespace

class TestReportExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("ZELK_REPORT_DATE", "2025-05-01"); }

    void sampleHasTwoPages()
    {
        ReportDocument document(sampleReport());
        QCOMPARE(document.pageCount(), 2);
    }

    void plainText()
    {
        const QByteArray text = exported(&writeText);
        QCOMPARE(text, golden(QStringLiteral("lijst.txt"), text));
        QCOMPARE(text.count('\f'), 1); // one page break between the two pages
    }

    void commaSeparated()
    {
        const QByteArray csv = exported(&writeCsv);
        QCOMPARE(csv, golden(QStringLiteral("lijst.csv"), csv));
        QCOMPARE(csv.count("Overzicht nog te betalen posten van :"), 1); // headings once, footers never
        QVERIFY(!csv.contains("Blad :"));
    }

    void html()
    {
        const QByteArray html = exported(&writeHtml);
        QCOMPARE(html, golden(QStringLiteral("lijst.html"), html));
        QVERIFY(html.contains("Terugbetaling &lt;borg&gt; &amp; kosten"));
        QCOMPARE(html.count("class=\"page\""), 2);
    }

    void pdfHasEveryPage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("lijst.pdf");
        ReportDocument document(sampleReport());
        exportReport(document, ExportFormat::Pdf, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        const auto pages = QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
        QCOMPARE(pages, 2);
    }

    void unwritableFileIsAnError()
    {
        QTemporaryDir dir;
        ReportDocument document(sampleReport());
        QVERIFY_THROWS_EXCEPTION(Error, exportReport(document, ExportFormat::Text, dir.filePath("geen/map/lijst.txt")));
    }

    // The plain text cuts a value that the page cuts to the characters of its column, so that
    // the next column stays in line; a value the page shows whole stays whole. CSV keeps all.
    void plainTextCutsWhatThePageCuts()
    {
        ListReportLayout list;
        list.title = titles::printleden;
        list.columns
            = {{QStringLiteral("Naam"), QStringLiteral("Naam"), 0, 30}, {QStringLiteral("Plaats"), QStringLiteral("Plaats"), 32, 40}};
        // Narrow letters: the page shows far more of it than the text's characters hold.
        const QString cut = QStringLiteral("Jansen-Tijl, Jil Liefje Ilse Trijntje Lijfti Titia");
        const QString narrow = QString(30, u'i'); // shown whole on the page, though 30 characters
        auto rows = std::make_shared<MemoryDataSource>(QStringList{"Naam", "Plaats"});
        rows->addRow({QStringLiteral("Bakker, Els"), QStringLiteral("Delft")});
        rows->addRow({cut, QStringLiteral("Gouda")});
        rows->addRow({narrow, QStringLiteral("Delfzijl")});
        ReportDocument document(makeListReport(list, rows, [] { return FrameSettings{false, false, false, {}, {}}; }));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        writeText(document, buffer);
        const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
        auto lineOf = [&lines](const QString &start) { return lines.filter(QRegularExpression(u'^' + start)).value(0); };
        const QString bakker = lineOf(QStringLiteral("Bakker")), jansen = lineOf(QStringLiteral("Jansen")), whole = lineOf(narrow);
        QCOMPARE(jansen.indexOf(QStringLiteral("Gouda")), bakker.indexOf(QStringLiteral("Delft")));
        QVERIFY2(jansen.contains(QChar(0x2026)) && !jansen.contains(cut), qPrintable(jansen));
        QVERIFY(whole.startsWith(narrow + u' '));
        buffer.close();
        bytes.clear();
        buffer.open(QIODevice::WriteOnly);
        writeCsv(document, buffer);
        QVERIFY(bytes.contains(u'"' + cut.toUtf8() + "\",Gouda"));
    }

    void csvQuoting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Drukwerk"
                               << "Drukwerk";
        QTest::newRow("comma") << "1,250.00"
                               << "\"1,250.00\"";
        QTest::newRow("quote") << "zeg \"ja\""
                               << "\"zeg \"\"ja\"\"\"";
        QTest::newRow("line break") << "a\nb"
                                    << "\"a\nb\"";
        QTest::newRow("empty") << ""
                               << "";
    }
    void csvQuoting()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(csvField(text), field);
    }

    void formatNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format"); // -1: not a format
        QTest::newRow("pdf") << "pdf" << int(ExportFormat::Pdf);
        QTest::newRow("TXT") << "TXT" << int(ExportFormat::Text);
        QTest::newRow("csv") << "csv" << int(ExportFormat::Csv);
        QTest::newRow("htm") << "htm" << int(ExportFormat::Html);
        QTest::newRow("qrp") << "qrp" << -1;
    }
    void formatNames()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        const auto parsed = exportFormatFromName(name);
        QCOMPARE(parsed ? int(*parsed) : -1, format);
    }
};

QTEST_MAIN(TestReportExport)
#include "test_reportexport.moc"
