// Every report of the catalogue over an administration in which every field holds its
// longest value: member texts at their table lengths, descriptions and account names of 40
// characters, amounts of 9,999,999,999.99, a 40-character association name and a logo far
// larger than its place. On every page each text stays in its box (cut with "…" when it is
// too long), every box stays inside the printable area, no two texts on a line share room,
// nothing is painted outside the margins, and numbers and dates are never cut. The member
// lists' columns run to the next column; the exports keep the whole values.
#include "cents.h"
#include "databases.h"
#include "freshdata.h"
#include "rekeningschema.h"
#include "report/listreport.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "report/reportpainter.h"
#include "reports/reportcatalogus.h"
#include "store/velden.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

using namespace zelk;

namespace {

constexpr double Tolerance = 0.005;                                         // mm
const double LargestAmount = cents::amount(qint64(cents::limit * 100) - 1); // 9,999,999,999.99
const QDate Born(1999, 12, 28);

// Texts of a given length in several builds: the widest capital over and over, a wide
// lower-case letter, words with blanks and hyphens, and a narrow letter.
QString filled(int length, int variant)
{
    static const QStringList patterns
        = {QStringLiteral("W"), QStringLiteral("m"), QStringLiteral("Wim van der Meer-Jansen "), QStringLiteral("i")};
    const QString &pattern = patterns[variant % patterns.size()];
    QString text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

// Fills every field of the table's current row with its longest value.
void fillRow(Table &table, int variant, double amount)
{
    for (const FieldDef &field : table.schema().fields) {
        switch (field.type) {
        case FieldType::Text:
        case FieldType::Memo:
            table.setValue(field.name, filled(field.type == FieldType::Text ? field.size : 200, variant));
            break;
        case FieldType::Date:
            table.setValue(field.name, Born);
            break;
        case FieldType::Time:
            table.setValue(field.name, QTime(23, 59));
            break;
        case FieldType::Boolean:
            table.setValue(field.name, variant % 2 == 0);
            break;
        case FieldType::Currency:
            table.setValue(field.name, amount);
            break;
        case FieldType::Float:
            table.setValue(field.name, 999999.0);
            break;
        case FieldType::AutoInc:
            break;
        }
    }
}

// The sign that makes the balance report show its widest figures: income and equity carry
// negative balances, expenses positive ones; the others alternate.
double balanceOf(int position)
{
    const auto &income = rekeningschema::inkomsten();
    const auto &costs = rekeningschema::kosten();
    if (std::ranges::find(income, position) != income.end())
        return -LargestAmount;
    if (std::ranges::find(costs, position) != costs.end())
        return LargestAmount;
    return position % 2 ? LargestAmount : -LargestAmount;
}

QString describe(const PageItem &item)
{
    return QStringLiteral("\"%1\" at %2..%3 mm, %4..%5 mm")
        .arg(item.text)
        .arg(item.x)
        .arg(item.x + item.w)
        .arg(item.y)
        .arg(item.y + item.h);
}

// Where the page is painted outside its printable area: the first pixel that is not white
// more than one pixel outside it, or an empty text.
QString inkOutsideMargins(const QImage &image, double pixelsPerMm, double margin)
{
    const int left = qFloor(margin * pixelsPerMm) - 1, top = left;
    const int right = image.width() - left, bottom = image.height() - top;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (x >= left && x < right && y >= top && y < bottom)
                continue;
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return QStringLiteral("ink at %1, %2 mm").arg(x / pixelsPerMm).arg(y / pixelsPerMm);
        }
    return {};
}

const PageItem *findText(ReportDocument &document, const QString &text)
{
    for (int p = 0; p < document.pageCount(); ++p)
        for (const PageItem &item : document.page(p).items)
            if (item.kind == ItemKind::Text && item.text == text)
                return &item;
    return nullptr;
}

QByteArray exported(ReportDocument &document, void (*write)(ReportDocument &, QIODevice &))
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(document, buffer);
    return bytes;
}

} // namespace

class TestReportFit : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;
    QTemporaryDir logoDir;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("ZELK_REPORT_DATE", "2026-12-31");
        data = std::make_unique<test::FreshData>();
        data->setVerenigingsnaam(filled(40, 0));
        // Both logos, from a picture much wider and higher than its place.
        QImage logo(1600, 900, QImage::Format_RGB32);
        logo.fill(QColor(30, 60, 160));
        const QString logoPath = logoDir.filePath(QStringLiteral("logo.png"));
        QVERIFY(logo.save(logoPath));
        data->settings.printLogo = data->settings.logoLinks = data->settings.logoRechts = true;
        data->settings.logoPad = logoPath;

        // Members: enough for more than one page of a list, in every build of long texts,
        // and one with the widest Dutch postcode in an otherwise ordinary row.
        Table &members = data->ledentabel;
        for (int i = 0; i < 60; ++i) {
            members.append();
            fillRow(members, i, 0);
            members.setValue(veld::leden::Naam, QString::number(i).rightJustified(2, u'0') + filled(38, i));
            members.post();
        }
        members.append();
        members.setValue(veld::leden::Naam, QStringLiteral("Aalbers, Joke"));
        members.setValue(veld::leden::Pcode, QStringLiteral("9999 WW"));
        members.setValue(veld::leden::Plaats, QStringLiteral("Wijk bij Duurstede"));
        members.setValue(veld::leden::GebDatum, Born);
        members.post();

        // The chart keeps its 37 accounts, each with a 40-character name and the largest balance.
        Table &accounts = data->rekeningtabel;
        QCOMPARE(accounts.recordCount(), rekeningschema::aantal);
        for (int row = 0; row < accounts.recordCount(); ++row) {
            accounts.moveTo(row);
            accounts.edit();
            accounts.setValue(veld::rekeningen::Naam, filled(40, row));
            accounts.setValue(veld::rekeningen::Saldo, balanceOf(row + 1));
            accounts.post();
        }

        // Journal, open items and the helper table: 40-character descriptions and account
        // names, the largest amounts of either sign.
        for (Table *table : {&data->journaaltabel, &data->betalentabel, &data->ontvangentabel, &data->hulpT})
            for (int i = 0; i < 20; ++i) {
                table->append();
                fillRow(*table, i, i % 2 ? -LargestAmount : LargestAmount);
                table->post();
            }
    }
    void cleanupTestCase() { data.reset(); }

    void everyTextStaysInItsBoxInsideTheMargins_data()
    {
        QTest::addColumn<QString>("unit");
        for (const ReportEntry &entry : reportCatalogus())
            QTest::newRow(qPrintable(entry.unit)) << entry.unit;
    }
    void everyTextStaysInItsBoxInsideTheMargins()
    {
        QFETCH(QString, unit);
        ReportDocument document(reportByUnit(unit)->build(*data));
        const PageSetup &setup = document.pageSetup();
        const QRectF printable(QPointF(setup.margin, setup.margin), QSizeF(setup.printableWidth(), setup.printableHeight()));
        const QRegularExpression numberOrDate(QStringLiteral("^-?(€ )?-?[0-9][0-9.,]*$|^[0-9]{2}-[0-9]{2}-[0-9]{4}$"));
        QVERIFY(document.pageCount() >= 1);
        for (int p = 0; p < document.pageCount(); ++p) {
            const ReportPage &page = document.page(p);
            std::vector<const PageItem *> texts;
            for (const PageItem &item : page.items) {
                const QRectF box = item.rect().normalized();
                QVERIFY2(box.left() >= printable.left() - Tolerance && box.right() <= printable.right() + Tolerance
                             && box.top() >= printable.top() - Tolerance && box.bottom() <= printable.bottom() + Tolerance,
                         qPrintable(QStringLiteral("page %1: outside the margins: %2").arg(p + 1).arg(describe(item))));
                if (item.kind != ItemKind::Text)
                    continue;
                const TextStyle &style = document.store().styles.at(item.style);
                QVERIFY2(style.widthMm(item.shownText()) <= item.w + Tolerance,
                         qPrintable(QStringLiteral("page %1: runs out of its box: %2, shown as \"%3\"")
                                        .arg(p + 1)
                                        .arg(describe(item), item.shownText())));
                if (item.flags & PageItem::Elided) {
                    QVERIFY2(item.shownText().endsWith(QChar(0x2026)), qPrintable(describe(item)));
                    QVERIFY2(item.text.startsWith(item.shownText().chopped(1)), qPrintable(describe(item)));
                }
                // Numbers stand right-aligned, and neither they nor dates are ever cut.
                const bool number = (style.align & Qt::AlignRight) || numberOrDate.match(item.text).hasMatch();
                QVERIFY2(!number || !(item.flags & PageItem::Elided), qPrintable(QStringLiteral("a number is cut: ") + describe(item)));
                texts.push_back(&item);
            }
            for (std::size_t i = 0; i < texts.size(); ++i)
                for (std::size_t j = i + 1; j < texts.size(); ++j) {
                    const QRectF shared = texts[i]->rect().intersected(texts[j]->rect());
                    QVERIFY2(
                        shared.width() <= Tolerance || shared.height() <= Tolerance,
                        qPrintable(QStringLiteral("page %1: %2 overlaps %3").arg(p + 1).arg(describe(*texts[i]), describe(*texts[j]))));
                }
            // The painted page: white outside the printable area (a pixel's leeway).
            constexpr double pixelsPerMm = 4.0;
            const QString ink = inkOutsideMargins(renderReportPage(document, page, pixelsPerMm), pixelsPerMm, setup.margin);
            QVERIFY2(ink.isEmpty(), qPrintable(QStringLiteral("page %1: %2").arg(p + 1).arg(ink)));
        }
    }

    // Headings and values of the member lists each run from their position to the next
    // column's less the gap between columns, the last to the right margin; all in the list's
    // 8 points; the widest Dutch postcode and a birth date print whole, long values are cut.
    void memberListColumnsRunToTheNextColumn_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("columns");
        QTest::newRow("member list 1") << "printleden" << 6;
        QTest::newRow("member list 2") << "ledenlijst03" << 7;
    }
    void memberListColumnsRunToTheNextColumn()
    {
        QFETCH(QString, unit);
        QFETCH(int, columns);
        ReportDocument document(reportByUnit(unit)->build(*data));
        const PageSetup &setup = document.pageSetup();
        const ReportPage &page = document.page(0);
        for (BandKind band : {BandKind::ColumnHeader, BandKind::Detail}) {
            std::vector<const PageItem *> row;
            for (const PageItem &item : page.items)
                if (item.kind == ItemKind::Text && item.band == band && (row.empty() || qAbs(item.y - row.front()->y) < Tolerance))
                    row.push_back(&item);
            QCOMPARE(int(row.size()), columns);
            std::ranges::sort(row, {}, &PageItem::x);
            for (int i = 0; i + 1 < columns; ++i)
                QVERIFY2(qAbs(row[i]->x + row[i]->w + ColumnGap - row[i + 1]->x) < Tolerance, qPrintable(describe(*row[i])));
            QVERIFY2(qAbs(row.back()->x + row.back()->w - (setup.margin + setup.printableWidth())) < Tolerance,
                     qPrintable(describe(*row.back())));
            for (const PageItem *item : row)
                QCOMPARE(document.store().styles.at(item->style).pointSize, 8.0);
            if (band == BandKind::Detail) // the first member has the longest values: all but the date are cut
                QCOMPARE(std::ranges::count_if(row, [](const PageItem *item) { return item->flags & PageItem::Elided; }),
                         unit == u"printleden" ? columns - 1 : columns);
        }
        QStringList whole{QStringLiteral("9999 WW"), QStringLiteral("Wijk bij Duurstede")};
        if (unit == u"printleden")
            whole << shortDate(Born);
        for (const QString &text : whole) {
            const PageItem *item = findText(document, text);
            QVERIFY2(item && !(item->flags & PageItem::Elided), qPrintable(text));
        }
    }

    // The page shows a long value cut; CSV and HTML keep it whole, and the plain text, being
    // the pages in text, cuts it too.
    void exportsKeepTheWholeValues_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::newRow("member list 1") << "printleden";
        QTest::newRow("member list 2") << "ledenlijst03";
    }
    void exportsKeepTheWholeValues()
    {
        QFETCH(QString, unit);
        ReportDocument document(reportByUnit(unit)->build(*data));
        const QString email = filled(60, 0);
        const PageItem *item = findText(document, email);
        QVERIFY(item && (item->flags & PageItem::Elided));
        const QString csv = QString::fromUtf8(exported(document, writeCsv));
        const QString html = QString::fromUtf8(exported(document, writeHtml));
        const QString text = QString::fromUtf8(exported(document, writeText));
        QVERIFY(csv.contains(u',' + email + u','));
        QVERIFY(html.contains(u'>' + email + u'<'));
        QVERIFY(!text.contains(email));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral(" W+\u2026 "))));
    }
};

QTEST_MAIN(TestReportFit)
#include "test_reportfit.moc"
