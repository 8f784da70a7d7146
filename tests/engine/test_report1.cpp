// The income and expense chart filled from a real administration: one bar per account
// with a balance, labels cut to 30 characters, a refund below the zero line, shares that
// add up to 100 %, a refill that never doubles the bars, and the CSV of both lists.
#include "amountformat.h"
#include "databases.h"
#include "declar.h"
#include "freshdata.h"
#include "rekeningnamen.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "reports/report1.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace zelk;

namespace {
QStringList labels(const BarChart &chart)
{
    QStringList out;
    for (const BarChart::Bar &bar : chart.bars)
        out << bar.label;
    return out;
}

// The top and bottom rows of the bar colour in the bars' area (left of the legend),
// for the bars left and right of the middle of that area.
struct Extent {
    int top = INT_MAX, bottom = -1;
};
std::pair<Extent, Extent> barExtents(const BarChart &chart)
{
    QImage image(1520, 880, QImage::Format_RGB32); // 190 by 110 mm at 8 pixels per mm
    image.fill(Qt::white);
    QPainter painter(&image);
    paintBarChart(painter, QRectF(0, 0, image.width(), image.height()), chart, 8.0);
    painter.end();
    const int plotRight = int(image.width() * 0.66);
    const int middle = (16 * 8 + plotRight) / 2;
    Extent left, right;
    for (int y = 80; y < image.height(); ++y)
        for (int x = 16 * 8; x < plotRight; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 90 && c.green() < 60 && c.blue() < 60) {
                Extent &e = x < middle ? left : right;
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
        }
    return {left, right};
}
} // namespace

class TestReport1 : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    const QDate day{2026, 2, 1};

    QStringList csv(report1 &chart)
    {
        ReportDocument document(chart.report());
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        writeCsv(document, buffer);
        return QString::fromUtf8(buffer.data()).split(u'\n', Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void init()
    {
        AmountFormat::applyDutch(false);
        data = std::make_unique<test::FreshData>();
    }
    void cleanup() { data.reset(); }

    void lists()
    {
        QCOMPARE(report1::inkomstenLijst(), (std::vector<int>{7, 8, 9, 10, 11, 26, 27, 28, 31, 32}));
        QCOMPARE(report1::uitgavenLijst(), (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 29, 30, 33, 34, 35}));
    }

    // Nothing booked: two charts without bars, with their titles, on one page in the frame.
    void allZero()
    {
        report1 chart(*data);
        chart.vulgrafiek();
        QVERIFY(chart.inkomsten().bars.empty());
        QVERIFY(chart.uitgaven().bars.empty());
        QCOMPARE(chart.inkomsten().title, QStringLiteral("INKOMSTEN"));
        QCOMPARE(chart.uitgaven().title, QStringLiteral("UITGAVEN"));
        QCOMPARE(chart.inkomsten().barColor, QColor(0, 210, 0));
        QCOMPARE(chart.uitgaven().barColor, QColor(234, 0, 0));
        ReportDocument document(chart.report());
        QCOMPARE(document.pageCount(), 1);
        int charts = 0;
        QStringList texts;
        for (const PageItem &item : document.page(0).items) {
            charts += item.kind == ItemKind::Chart;
            if (item.kind == ItemKind::Text)
                texts << item.text;
        }
        QCOMPARE(charts, 2);
        QVERIFY(texts.contains(QStringLiteral("Overzicht inkomsten/uitgaven van")));
        QVERIFY(texts.contains(QStringLiteral("Overzicht van ")));
        // Painting an empty chart draws its title and axis and nothing else goes wrong.
        const auto [left, right] = barExtents(chart.uitgaven());
        QCOMPARE(left.bottom, -1);
        QCOMPARE(right.bottom, -1);
    }

    void barsInListOrderWithTheirValues()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributies"), day, 1200);
        declar::boekpost(*data, 26, 1, QStringLiteral("Verkoop"), day, 300);
        declar::boekpost(*data, 1, 22, QStringLiteral("Diversen"), day, 80);
        declar::boekpost(*data, 1, 29, QStringLiteral("Jubileum"), day, 20);
        report1 chart(*data);
        chart.vulgrafiek();
        QCOMPARE(labels(chart.inkomsten()), (QStringList{"Contributies", "Verkoop 2"}));
        QCOMPARE(chart.inkomsten().bars[0].value, 1200.0);                                    // income charts minus its balance
        QCOMPARE(labels(chart.uitgaven()), (QStringList{"Overigekosten", "Jubileumkosten"})); // 22 before 29
        QCOMPARE(chart.uitgaven().bars[1].value, 20.0);
        QCOMPARE(percentText(chart.inkomsten().sharePercent(0)), QStringLiteral("80 %"));
        QCOMPARE(percentText(chart.inkomsten().sharePercent(1)), QStringLiteral("20 %"));
    }

    void refillDoesNotDoubleAndTakesNewNames()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributies"), day, 100);
        report1 chart(*data);
        chart.vulgrafiek();
        chart.vulgrafiek();
        QCOMPARE(chart.inkomsten().bars.size(), std::size_t(1));
        rekeningnamen::bewaar(*data, {{7, QStringLiteral("Lidmaatschapsgelden")}});
        chart.vulgrafiek();
        QCOMPARE(labels(chart.inkomsten()), QStringList{QStringLiteral("Lidmaatschapsgelden")});
        QCOMPARE(csv(chart).count(), 1 + 10 + 16);
    }

    void longNameCutTo30()
    {
        const QString name = QStringLiteral("Contributies seizoen 2026-2027 abc"); // 34 characters
        const QString longer = name + u'!';                                        // 35
        QCOMPARE(longer.size(), 35);
        rekeningnamen::bewaar(*data, {{8, longer}});
        declar::boekpost(*data, 8, 1, QStringLiteral("Gift"), day, 10);
        report1 chart(*data);
        chart.vulgrafiek();
        QCOMPARE(labels(chart.inkomsten()), QStringList{longer.left(30)});
        QCOMPARE(chart.inkomsten().bars[0].label.size(), 30);
    }

    // A refund on an expense account is a negative value: its bar stands below the line,
    // under the bar of a normal expense.
    void refundBelowTheLine()
    {
        declar::boekpost(*data, 1, 12, QStringLiteral("Kantoor"), day, 100);
        declar::boekpost(*data, 13, 1, QStringLiteral("Terugbetaling advertentie"), day, 50);
        report1 chart(*data);
        chart.vulgrafiek();
        QCOMPARE(chart.uitgaven().bars.size(), std::size_t(2));
        QCOMPARE(chart.uitgaven().bars[1].value, -50.0);
        const auto [positive, negative] = barExtents(chart.uitgaven());
        QVERIFY(positive.bottom >= 0 && negative.bottom >= 0);
        QVERIFY2(negative.top > (positive.top + positive.bottom) / 2,
                 qPrintable(QStringLiteral("%1-%2 / %3-%4").arg(positive.top).arg(positive.bottom).arg(negative.top).arg(negative.bottom)));
        QVERIFY(negative.bottom > positive.bottom);
    }

    void sharesAddUpTo100()
    {
        const double amounts[] = {123.45, 67.89, 0.01, 999.99, 10};
        const int costs[] = {12, 15, 18, 30, 35};
        for (int i = 0; i < 5; ++i)
            declar::boekpost(*data, 1, costs[i], QStringLiteral("Kosten"), day, amounts[i]);
        report1 chart(*data);
        chart.vulgrafiek();
        double sum = 0;
        for (std::size_t i = 0; i < chart.uitgaven().bars.size(); ++i)
            sum += chart.uitgaven().sharePercent(i);
        QCOMPARE(chart.uitgaven().bars.size(), std::size_t(5));
        QVERIFY(qAbs(sum - 100.0) < 1e-9);
    }

    void csvListsBothCharts()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributies"), day, 300);
        declar::boekpost(*data, 9, 1, QStringLiteral("Loterij"), day, 100);
        declar::boekpost(*data, 1, 21, QStringLiteral("Zaal"), day, 1234.5);
        AmountFormat::applyDutch(true);
        report1 chart(*data);
        chart.vulgrafiek();
        const QStringList lines = csv(chart);
        AmountFormat::applyDutch(false);
        QCOMPARE(lines.size(), 1 + 10 + 16);
        QCOMPARE(lines[0], QStringLiteral("Grafiek,Positie,Rekening,Bedrag,Aandeel"));
        QCOMPARE(lines[1], QStringLiteral("INKOMSTEN,7,Contributies,\"300,00\",75 %"));
        QCOMPARE(lines[2], QStringLiteral("INKOMSTEN,8,Donaties,\"0,00\",0 %"));
        QCOMPARE(lines[3], QStringLiteral("INKOMSTEN,9,Loterij/tombola,\"100,00\",25 %"));
        QCOMPARE(lines[11], QStringLiteral("UITGAVEN,12,Administratiekosten,\"0,00\",0 %"));
        QCOMPARE(lines[20], QStringLiteral("UITGAVEN,21,Zaalhuurkosten,\"1234,50\",100 %"));
    }
};

QTEST_MAIN(TestReport1)
#include "test_report1.moc"
