// The print preview as a user drives it: paging, zoom, Escape, saving, and a second
// request for a report that is already on show.
#include "preview/previewlauncher.h"
#include "preview/previewwindow.h"
#include "report/listreport.h"
#include "report/reportexport.h"
#include "report/reportpainter.h"
#include "toolkit/reportbusy.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace zelk;

namespace {

std::shared_ptr<Report> listReport(int rows)
{
    ListReportLayout list;
    list.title = titles::printrekeningen;
    list.columns = {{QStringLiteral("Rekeningnaam"), QStringLiteral("Naam"), 1, 100},
                    {QStringLiteral("Huidig Saldo"), QStringLiteral("Saldo"), 140, 50, ValueFormat::Number, true}};
    list.headingBackground = QColor(64, 64, 128);
    list.rowShades = {Qt::white, QColor(226, 226, 241)};
    auto data = std::make_shared<MemoryDataSource>(QStringList{"Naam", "Saldo"});
    for (int i = 1; i <= rows; ++i)
        data->addRow({QStringLiteral("Rekening %1").arg(i), i * 10.25});
    FrameSettings settings;
    settings.printLogo = false;
    settings.associationName = QStringLiteral("Schaakclub De Toren");
    return makeListReport(list, data, [settings] { return settings; });
}

template <typename T> T *child(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

// Whether the preview shows `page` of `document` (laid out on its own) as it is painted:
// the view's picture inside its grey border.
bool showsPage(QWidget &window, ReportDocument &document, int page, double pixelsPerMm)
{
    const QImage expected = renderReportPage(document, document.page(page), pixelsPerMm).convertToFormat(QImage::Format_RGB32);
    constexpr int Border = 8; // see pageview.cpp
    const QImage grabbed = child<QWidget>(window, "bladweergave")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return grabbed.copy(QRect(QPoint(Border, Border), expected.size())) == expected;
}

} // namespace

class TestPreviewWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("ZELK_REPORT_DATE", "2025-05-01"); }

    void navigation_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("page"); // 0-based
        QTest::newRow("opens on the first page") << QStringList{} << 0;
        QTest::newRow("next") << QStringList{"volgendBlad"} << 1;
        QTest::newRow("next stops at the last page") << QStringList{"volgendBlad", "volgendBlad", "volgendBlad"} << 2;
        QTest::newRow("last") << QStringList{"laatsteBlad"} << 2;
        QTest::newRow("last, previous") << QStringList{"laatsteBlad", "vorigBlad"} << 1;
        QTest::newRow("last, first") << QStringList{"laatsteBlad", "eersteBlad"} << 0;
        QTest::newRow("page down key") << QStringList{"PgDn", "PgDn"} << 2;
        QTest::newRow("page up key") << QStringList{"laatsteBlad", "PgUp"} << 1;
        QTest::newRow("typed page number") << QStringList{"type 2"} << 1;
    }
    void navigation()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, page);
        auto document = std::make_shared<ReportDocument>(listReport(120));
        PreviewWindow window(document);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(document->isComplete());
        QCOMPARE(child<QLabel>(window, "aantalBladen")->text(), QStringLiteral("van 3"));
        for (const QString &step : steps) {
            if (step == u"PgDn")
                QTest::keyClick(&window, Qt::Key_PageDown);
            else if (step == u"PgUp")
                QTest::keyClick(&window, Qt::Key_PageUp);
            else if (step.startsWith(u"type ")) {
                QSpinBox *number = child<QSpinBox>(window, "bladnummer");
                number->selectAll();
                QTest::keyClicks(number, step.mid(5));
                QTest::keyClick(number, Qt::Key_Return);
            } else
                QTest::mouseClick(child<QToolButton>(window, step.toLatin1().constData()), Qt::LeftButton);
        }
        QCOMPARE(window.currentPage(), page);
        QCOMPARE(child<QSpinBox>(window, "bladnummer")->value(), page + 1);
        QCOMPARE(child<QToolButton>(window, "eersteBlad")->isEnabled(), page > 0);
        QCOMPARE(child<QToolButton>(window, "volgendBlad")->isEnabled(), page < 2);
    }

    void opensBeforeTheWholeReportIsLaidOut()
    {
        auto document = std::make_shared<ReportDocument>(listReport(20000));
        PreviewWindow window(document);
        QVERIFY(document->pagesReady() < 5);
        QVERIFY(child<QLabel>(window, "aantalBladen")->text().endsWith(u'…'));
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(document->isComplete(), 60000);
        QCOMPARE(child<QLabel>(window, "aantalBladen")->text(), QStringLiteral("van %1").arg(document->pagesReady()));
    }

    // The last page of a long report, reached in steps while the window answers, is shown
    // as that page is painted on its own; so is the page before it, which has left the
    // document's cache by then and is laid out again.
    void lastPageOfALongReport()
    {
        auto document = std::make_shared<ReportDocument>(listReport(12000));
        PreviewWindow window(document);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ReportDocument alone(listReport(12000));
        const int pages = alone.pageCount();
        QVERIFY(pages > 3 * ReportDocument::CachedPages);

        QTest::mouseClick(child<QToolButton>(window, "laatsteBlad"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isBusy(), 60000);
        QCOMPARE(window.currentPage(), pages - 1);
        QCOMPARE(child<QSpinBox>(window, "bladnummer")->value(), pages);
        QCOMPARE(child<QLabel>(window, "aantalBladen")->text(), QStringLiteral("van %1").arg(pages));
        QVERIFY(!child<QToolButton>(window, "volgendBlad")->isEnabled());
        QVERIFY(showsPage(window, alone, pages - 1, window.pixelsPerMm()));

        // Far back and one page back from there: pages that were laid out again.
        for (int page : {pages / 2, pages / 2 - 1}) {
            QSpinBox *number = child<QSpinBox>(window, "bladnummer");
            number->selectAll();
            QTest::keyClicks(number, QString::number(page + 1));
            QTest::keyClick(number, Qt::Key_Return);
            QTRY_VERIFY_WITH_TIMEOUT(!window.isBusy(), 60000);
            QCOMPARE(window.currentPage(), page);
            QVERIFY(showsPage(window, alone, page, window.pixelsPerMm()));
        }
        QTest::keyClick(&window, Qt::Key_PageUp);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isBusy(), 60000);
        QCOMPARE(window.currentPage(), pages / 2 - 2);
        QVERIFY(showsPage(window, alone, pages / 2 - 2, window.pixelsPerMm()));
        QVERIFY(!showsPage(window, alone, pages / 2 - 1, window.pixelsPerMm())); // (the comparison can fail)
        QVERIFY(document->pagesKept() <= ReportDocument::CachedPages);
    }

    void zoom_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::newRow("whole page") << "Hele pagina";
        QTest::newRow("page width") << "Paginabreedte";
        QTest::newRow("100 %") << "100 %";
        QTest::newRow("200 %") << "200 %";
    }
    void zoom()
    {
        QFETCH(QString, choice);
        auto document = std::make_shared<ReportDocument>(listReport(10));
        PreviewWindow window(document);
        window.resize(800, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QComboBox *zoom = child<QComboBox>(window, "zoom");
        const int item = zoom->findText(choice);
        QVERIFY(item >= 0);
        zoom->setCurrentIndex(item);
        Q_EMIT zoom->activated(item);
        const QSize room = child<QScrollArea>(window, "bladen")->viewport()->size();
        const QWidget *page = window.findChild<QWidget *>(QStringLiteral("bladweergave"));
        if (choice == u"Hele pagina") {
            QVERIFY(page->width() <= room.width());
            QVERIFY(page->height() <= room.height());
            QVERIFY(page->height() >= room.height() - 2);
        } else if (choice == u"Paginabreedte") {
            QVERIFY(page->width() <= room.width());
            QVERIFY(page->width() > room.width() * 0.9);
        } else {
            const double percent = choice.chopped(2).toDouble();
            QCOMPARE(qRound(window.pixelsPerMm() * 1000), qRound(page->logicalDpiX() / 25.4 * percent / 100 * 1000));
        }
    }

    void zoomAskedForByAReport()
    {
        auto document = std::make_shared<ReportDocument>(listReport(1));
        PreviewWindow window(document);
        window.setZoomPercent(80);
        QCOMPARE(child<QComboBox>(window, "zoom")->currentText(), QStringLiteral("80 %"));
    }

    void escapeCloses()
    {
        auto document = std::make_shared<ReportDocument>(listReport(10));
        PreviewWindow window(document);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }

    void secondRequestIsIgnored()
    {
        int prepared = 0;
        bool second = true;
        bool busyWhileShown = false;
        PreviewOptions options;
        options.whileShown = [&](PreviewWindow &window) {
            busyWhileShown = ReportBusyGuard::isBusy(QStringLiteral("printrekeningen"));
            second = showReportPreview(&window, QStringLiteral("printrekeningen"), [&] {
                ++prepared;
                return listReport(1);
            });
            QTest::keyClick(&window, Qt::Key_Escape);
        };
        const bool first = showReportPreview(
            nullptr, QStringLiteral("printrekeningen"),
            [&] {
                ++prepared;
                return listReport(5);
            },
            options);
        QVERIFY(first);
        QVERIFY(busyWhileShown);
        QVERIFY(!second);
        QCOMPARE(prepared, 1);
        QVERIFY(!ReportBusyGuard::isBusy(QStringLiteral("printrekeningen")));

        // Another report may open while one is on show, and after closing the same one may.
        PreviewOptions closeAtOnce;
        closeAtOnce.whileShown = [](PreviewWindow &window) { window.reject(); };
        QVERIFY(showReportPreview(
            nullptr, QStringLiteral("printrekeningen"), [] { return listReport(1); }, closeAtOnce));
    }

    void saveWritesTheWholeReport_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("text") << int(ExportFormat::Text);
        QTest::newRow("csv") << int(ExportFormat::Csv);
    }
    void saveWritesTheWholeReport()
    {
        QFETCH(int, format);
        QTemporaryDir dir;
        auto document = std::make_shared<ReportDocument>(listReport(200));
        PreviewWindow window(document);
        const QString path = dir.filePath("rekeningen");
        QVERIFY(window.saveAs(path, ExportFormat(format)));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.contains("Rekening 200"));
        QVERIFY(saved.contains("Rekening 1"));
        QCOMPARE(saved.count("Rekeningoverzicht van"), format == int(ExportFormat::Text) ? 2 * document->pageCount() : 1);
    }

    // Not a check: leaves a picture of the window for a person to look at.
    void screenshot()
    {
        const QString folder = qEnvironmentVariable("ZELK_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("ZELK_SCREENSHOT_DIR not set");
        auto document = std::make_shared<ReportDocument>(listReport(80));
        PreviewWindow window(document);
        window.resize(900, 900);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(document->isComplete());
        window.grab().save(folder + QStringLiteral("/afdrukvoorbeeld.png"));
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_previewwindow.moc"
