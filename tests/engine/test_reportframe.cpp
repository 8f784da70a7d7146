// The common report frame: logo places by the three switches, the logo at natural size,
// a missing or undecodable logo, the title line and the footer line.
#include "report/reportdocument.h"
#include "report/reportframe.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;

namespace {

QString writeLogo(const QString &folder, const QString &name, const char *format, QSize size = QSize(200, 100), int dotsPerInch = 96)
{
    QImage logo(size, QImage::Format_RGB32);
    logo.fill(QColor(20, 120, 40));
    logo.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    logo.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    const QString path = folder + u'/' + name;
    logo.save(path, format);
    return path;
}

std::shared_ptr<Report> framedReport(const FrameSettingsSource &settings, int detailRows = 1,
                                     const titles::ReportTitle &title = titles::printrekeningen)
{
    auto report = std::make_shared<Report>(title.unit);
    ReportFrame::apply(*report, title, settings);
    auto rows = std::make_shared<MemoryDataSource>(QStringList{"Naam"});
    for (int i = 0; i < detailRows; ++i)
        rows->addRow({QStringLiteral("Rekening %1").arg(i + 1)});
    report->addBand(BandKind::Detail, 5).addField("naam", QRectF(0, 0, 80, 5), "Naam");
    report->setData(rows);
    return report;
}

std::vector<PageItem> itemsOf(const ReportPage &page, ItemKind kind, BandKind band)
{
    std::vector<PageItem> out;
    for (const PageItem &item : page.items)
        if (item.kind == kind && item.band == band)
            out.push_back(item);
    return out;
}

const PageItem *textItem(const ReportPage &page, const QString &text)
{
    for (const PageItem &item : page.items)
        if (item.kind == ItemKind::Text && item.text == text)
            return &item;
    return nullptr;
}

} // namespace

class TestReportFrame : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_jpeg, m_bmp;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("ZELK_REPORT_DATE", "2025-11-30");
        QVERIFY(m_dir.isValid());
        m_jpeg = writeLogo(m_dir.path(), "lidbedraglogo.jpg", "JPG");
        m_bmp = writeLogo(m_dir.path(), "logo.bmp", "BMP");
    }

    void logoSwitches_data()
    {
        QTest::addColumn<bool>("printLogo");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("bitmap");
        QTest::addColumn<bool>("leftShown");
        QTest::addColumn<bool>("rightShown");
        QTest::newRow("print logo off") << false << true << true << false << false << false;
        QTest::newRow("default: left only") << true << true << false << false << true << false;
        QTest::newRow("both sides") << true << true << true << false << true << true;
        QTest::newRow("neither side") << true << false << false << false << false << false;
        QTest::newRow("right only, bitmap") << true << false << true << true << false << true;
    }
    void logoSwitches()
    {
        QFETCH(bool, printLogo);
        QFETCH(bool, left);
        QFETCH(bool, right);
        QFETCH(bool, bitmap);
        QFETCH(bool, leftShown);
        QFETCH(bool, rightShown);
        FrameSettings settings{printLogo, left, right, bitmap ? m_bmp : m_jpeg, QStringLiteral("De Toren")};
        ReportDocument document(framedReport([settings] { return settings; }, 120));
        QVERIFY(document.pageCount() >= 2);
        for (int i = 0; i < document.pageCount(); ++i) {
            const auto pictures = itemsOf(document.page(i), ItemKind::Picture, BandKind::PageHeader);
            const bool hasLeft = std::any_of(pictures.begin(), pictures.end(), [](const PageItem &p) { return p.x == 10.0f; });
            const bool hasRight = std::any_of(pictures.begin(), pictures.end(), [](const PageItem &p) { return p.x == 121.0f; });
            QCOMPARE(hasLeft, leftShown);
            QCOMPARE(hasRight, rightShown);
            QCOMPARE(int(pictures.size()), int(leftShown) + int(rightShown));
        }
        QCOMPARE(document.report().messages(), QStringList());
    }

    void logoAtNaturalSizeCutToItsPlace_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("dotsPerInch");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("small") << QSize(200, 100) << 96 << 200 * 25.4 / 96 << 100 * 25.4 / 96;
        QTest::newRow("larger than its place") << QSize(600, 300) << 96 << 79.0 << 34.0;
        QTest::newRow("its own resolution") << QSize(600, 260) << 200 << 600 * 25.4 / 200 << 260 * 25.4 / 200;
    }
    void logoAtNaturalSizeCutToItsPlace()
    {
        QFETCH(QSize, pixels);
        QFETCH(int, dotsPerInch);
        QFETCH(double, width);
        QFETCH(double, height);
        const QString path = writeLogo(m_dir.path(), QStringLiteral("maat%1.png").arg(pixels.width()), "PNG", pixels, dotsPerInch);
        FrameSettings settings{true, true, false, path, {}};
        ReportDocument document(framedReport([settings] { return settings; }));
        const auto pictures = itemsOf(document.page(0), ItemKind::Picture, BandKind::PageHeader);
        QCOMPARE(pictures.size(), std::size_t(1));
        QVERIFY2(qAbs(pictures[0].w - width) < 0.05, qPrintable(QString::number(pictures[0].w)));
        QVERIFY2(qAbs(pictures[0].h - height) < 0.05, qPrintable(QString::number(pictures[0].h)));
        QCOMPARE(pictures[0].y, 10.0f);
    }

    void missingLogoPrintsWithoutIt()
    {
        FrameSettings settings{true, true, true, m_dir.filePath("weg.jpg"), QStringLiteral("De Toren")};
        ReportDocument document(framedReport([settings] { return settings; }, 3));
        QCOMPARE(document.pageCount(), 1);
        QVERIFY(itemsOf(document.page(0), ItemKind::Picture, BandKind::PageHeader).empty());
        QCOMPARE(itemsOf(document.page(0), ItemKind::Text, BandKind::Detail).size(), std::size_t(3));
        QCOMPARE(document.report().messages(), QStringList());
    }

    void undecodableLogoWarnsOnceAndPrints()
    {
        const QString path = m_dir.filePath("kapot.jpg");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("dit is geen afbeelding");
        file.close();
        FrameSettings settings{true, true, true, path, QStringLiteral("De Toren")};
        auto report = framedReport([settings] { return settings; }, 150);
        ReportDocument document(report);
        QVERIFY(document.pageCount() >= 3);
        for (int i = 0; i < document.pageCount(); ++i)
            QVERIFY(itemsOf(document.page(i), ItemKind::Picture, BandKind::PageHeader).empty());
        QCOMPARE(report->messages().size(), 1);
        QVERIFY(report->messages().first().contains(QStringLiteral("kapot.jpg")));
        // The next run of the report tells it once again, not twice.
        ReportDocument again(report);
        again.pageCount();
        QCOMPARE(report->messages().size(), 1);
    }

    void titleAndFooterLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("with name") << QStringLiteral("Vereniging Het Anker");
        QTest::newRow("empty name") << QString();
    }
    void titleAndFooterLines()
    {
        QFETCH(QString, name);
        FrameSettings settings{false, true, false, {}, name};
        ReportDocument document(framedReport([settings] { return settings; }, 1, titles::printbalans));
        const ReportPage &page = document.page(0);
        const PageItem *title = textItem(page, QStringLiteral("Financieel overzicht van :"));
        QVERIFY(title);
        QCOMPARE(title->y, 49.0f); // 39 mm below the top of the header
        QCOMPARE(document.store().styles.at(title->style).pointSize, 11.0);
        QStringList footer;
        for (const auto &item : itemsOf(page, ItemKind::Text, BandKind::PageFooter)) {
            footer << item.text;
            QCOMPARE(document.store().styles.at(item.style).pointSize, 10.0);
        }
        QStringList expected{"Balans"};
        if (!name.isEmpty())
            expected << name;
        expected << "Datum :"
                 << "30-11-2025"
                 << "Blad :"
                 << "1";
        QCOMPARE(footer, expected);
        const auto header = itemsOf(page, ItemKind::Text, BandKind::PageHeader);
        QCOMPARE(int(header.size()), name.isEmpty() ? 1 : 2);
        if (!name.isEmpty()) {
            const PageItem *after = textItem(page, name);
            QCOMPARE(after->y, title->y);
            // The name follows the title without touching it.
            const double titleEnd = title->x + TextStyle().withSize(11).widthMm(title->text);
            QVERIFY(after->x > titleEnd);
            QVERIFY(after->x < titleEnd + 3);
        }
    }

    void settingsAreReadAtEveryReportStart()
    {
        int run = 0;
        auto report = framedReport([&run] {
            FrameSettings settings{false, false, false, {}, QStringLiteral("Naam %1").arg(++run)};
            return settings;
        });
        ReportDocument first(report);
        QVERIFY(textItem(first.page(0), QStringLiteral("Naam 1")));
        ReportDocument second(report);
        QVERIFY(textItem(second.page(0), QStringLiteral("Naam 2")));
    }

    void reportWithoutFooter()
    {
        FrameSettings settings{false, true, false, {}, QStringLiteral("De Toren")};
        ReportDocument document(framedReport([settings] { return settings; }, 1, titles::printledenall));
        QVERIFY(itemsOf(document.page(0), ItemKind::Text, BandKind::PageFooter).empty());
        QVERIFY(textItem(document.page(0), QStringLiteral("Ledenlijst van ")));
    }

    void letterFrame_data()
    {
        QTest::addColumn<bool>("printLogo");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("pictures");
        QTest::newRow("default") << true << true << false << 1;
        QTest::newRow("both") << true << true << true << 2;
        QTest::newRow("off") << false << true << true << 0;
    }
    void letterFrame()
    {
        QFETCH(bool, printLogo);
        QFETCH(bool, left);
        QFETCH(bool, right);
        QFETCH(int, pictures);
        FrameSettings settings{printLogo, left, right, m_jpeg, QStringLiteral("De Toren")};
        auto report = std::make_shared<Report>(QStringLiteral("papportstand"));
        ReportFrame::applyLetter(*report, [settings] { return settings; });
        report->addBand(BandKind::Detail, 215.6);
        auto members = std::make_shared<MemoryDataSource>(QStringList{"Naam"});
        members->addRow({QStringLiteral("Ans")});
        members->addRow({QStringLiteral("Bram")});
        report->setData(members);
        ReportDocument document(report);
        QCOMPARE(document.pageCount(), 2);
        for (int i = 0; i < 2; ++i) {
            const ReportPage &page = document.page(i);
            const auto shown = itemsOf(page, ItemKind::Picture, BandKind::PageHeader);
            QCOMPARE(int(shown.size()), pictures);
            if (right && pictures == 2)
                QCOMPARE(shown[1].x, float(10 + 116.7));
            QStringList footer;
            for (const auto &item : itemsOf(page, ItemKind::Text, BandKind::PageFooter))
                footer << item.text;
            QCOMPARE(footer, QStringList({"Blad:", QString::number(i + 1)}));
            QVERIFY(!textItem(page, QStringLiteral("De Toren"))); // no association name in letters
        }
    }
};

QTEST_MAIN(TestReportFrame)
#include "test_reportframe.moc"
