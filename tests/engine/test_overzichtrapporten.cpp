// The journal, per-account and open-items reports over real tables: white headings on the
// dark blue band, the footer texts, an empty table or a filter that lets nothing through
// printing the headings and a total of zero, and the printed total equal to the sum of the
// rows shown, over every page.
#include "amountformat.h"
#include "databases.h"
#include "declar.h"
#include "filtercriteria.h"
#include "freshdata.h"
#include "rekeningmutaties.h"
#include "report/reportdocument.h"
#include "reports/overzichtmutrekeningen.h"
#include "reports/printcontrijour.h"
#include "reports/printtebetalen.h"
#include "reports/printteontvangen.h"
#include "store/connection.h"
#include "store/velden.h"

#include <QRegularExpression>
#include <QTest>

using namespace zelk;

namespace {
QStringList texts(ReportDocument &document, BandKind band, int page = -1)
{
    QStringList found;
    for (int p = 0; p < document.pageCount(); ++p)
        if (page < 0 || p == page)
            for (const PageItem &item : document.page(p).items)
                if (item.band == band && item.kind == ItemKind::Text)
                    found << item.text;
    return found;
}

// The amounts of the detail lines (",0.00"), over every page, in cents.
qint64 detailCents(ReportDocument &document, int *lines)
{
    static const QRegularExpression amount(QStringLiteral("^-?\\d{1,3}(,\\d{3})*\\.\\d\\d$"));
    qint64 sum = 0;
    *lines = 0;
    for (const QString &text : texts(document, BandKind::Detail))
        if (amount.match(text).hasMatch()) {
            sum += qRound64(QString(text).remove(u',').toDouble() * 100);
            ++*lines;
        }
    return sum;
}

qint64 tableCents(const Table &table)
{
    qint64 sum = 0;
    for (int i = 0; i < table.recordCount(); ++i)
        sum += qRound64(table.valueAt(i, veld::journaal::Bedrag).toDouble() * 100);
    return sum;
}

QString total(ReportDocument &document)
{
    const QStringList summary = texts(document, BandKind::Summary);
    return summary.isEmpty() ? QString() : summary.last();
}
} // namespace

class TestOverzichtrapporten : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    // `count` bookings and open items with amounts that do not add up to round figures.
    void fill(int count)
    {
        Transaction transaction(data->database1());
        for (int i = 0; i < count; ++i) {
            const double amount = 1 + (i * 37 % 1000) / 100.0 + i;
            const QDate day = QDate(2026, 1, 1).addDays(i % 300);
            declar::boekpost(*data, i % 3 == 0 ? 1 : 7, i % 3 == 0 ? 21 : 1, QStringLiteral("Boeking %1").arg(i + 1), day, amount);
            declar::nieuwtebetalen(*data, QStringLiteral("Factuur %1").arg(i + 1), day, amount);
            declar::nieuwteontvangen(*data, QStringLiteral("Toezegging %1").arg(i + 1), day, amount / 2);
        }
        transaction.commit();
    }
    void filterJournal(const QString &criterion, const QString &from, const QString &to)
    {
        FilterCriteria criteria(journaalCriteria());
        criteria.setRange(criteria.indexOf(criterion), from, to);
        data->journaaltabel.setCondition(criteria.condition(data->journaaltabel.schema()));
        data->journaaltabel.setFiltered(true);
    }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void headingsFooterAndTotalOfAnEmptyTable_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("footer");
        QTest::addColumn<QString>("totalLabel");
        QTest::newRow("journal") << "printcontrijour"
                                 << QStringList{"Bkst", "Datum", "Omschrijving", "Van rekening", "Naar rekening", "Bedrag"}
                                 << "Overzicht journaal van"
                                 << "Overzicht journaal van"
                                 << "Totaaltelling van de getoonde mutaties";
        QTest::newRow("account") << "overzichtmutrekeningen" << QStringList{"Rekening naam :", "In deze sessie is niets opgebouwd",
                                                                            "Saldo :",         "0.00",
                                                                            "Boekstuk",        "Datum . . . .",
                                                                            "Omschrijving",    "Bedrag"}
                                 << "Overzicht mutaties rekeningen :"
                                 << "Overzicht mutaties rekeningen"
                                 << "Totaaltelling van de getoonde posten";
        QTest::newRow("payables") << "printtebetalen" << QStringList{"Datum", "Omschrijving", "Bedrag"}
                                  << "Overzicht nog te betalen posten van :"
                                  << "Overzicht openstaande posten"
                                  << "Totaaltelling van de getoonde posten";
        QTest::newRow("receivables") << "printteontvangen" << QStringList{"Datum", "Omschrijving", "Bedrag"}
                                     << "Overzicht nog te ontvangen posten van :"
                                     << "Overzicht openstaande posten"
                                     << "Totaaltelling van de getoonde posten";
    }
    void headingsFooterAndTotalOfAnEmptyTable()
    {
        QFETCH(QString, report);
        QFETCH(QStringList, headings);
        QFETCH(QString, title);
        QFETCH(QString, footer);
        QFETCH(QString, totalLabel);
        data->settings.verenigingsnaam = QStringLiteral("Schaakclub De Toren");
        std::shared_ptr<Report> built = report == u"printcontrijour" ? printcontrijour(*data).report()
            : report == u"overzichtmutrekeningen"                    ? overzichtmutrekeningen(*data).report()
            : report == u"printtebetalen"                            ? printtebetalen(*data).report()
                                                                     : printteontvangen(*data).report();
        ReportDocument document(built);
        QCOMPARE(document.pageCount(), 1);
        QCOMPARE(texts(document, BandKind::ColumnHeader), headings);
        bool band = false;
        for (const PageItem &item : document.page(0).items) {
            if (item.band != BandKind::ColumnHeader)
                continue;
            if (item.kind == ItemKind::Text)
                QCOMPARE(document.store().styles.at(item.style).color, QColor(Qt::white));
            if (item.kind == ItemKind::Box && QColor::fromRgba(item.fill) == QColor(78, 78, 156))
                band = true;
        }
        QVERIFY(band);
        QVERIFY(texts(document, BandKind::Detail).isEmpty());
        QCOMPARE(texts(document, BandKind::Summary), (QStringList{totalLabel, QStringLiteral("€ 0.00")}));
        QCOMPARE(texts(document, BandKind::PageHeader), (QStringList{title, QStringLiteral("Schaakclub De Toren")}));
        QCOMPARE(texts(document, BandKind::PageFooter).first(), footer);
        bool dotted = false;
        for (const PageItem &item : document.page(0).items)
            dotted = dotted || (item.band == BandKind::Summary && item.kind == ItemKind::Line && item.lineStyle == LineStyle::Dotted);
        QVERIFY(dotted);
    }

    void aFilterThatLetsNothingThroughPrintsZero()
    {
        fill(5);
        filterJournal(QStringLiteral("Datum"), QStringLiteral("01-01-2030"), QString());
        ReportDocument document(printcontrijour(*data).report());
        QCOMPARE(document.pageCount(), 1);
        QCOMPARE(texts(document, BandKind::ColumnHeader).size(), 6);
        QVERIFY(texts(document, BandKind::Detail).isEmpty());
        QCOMPARE(total(document), QStringLiteral("€ 0.00"));
    }

    // Over several pages, the printed total is the sum of every line printed, which is the
    // sum of the rows the table shows.
    void theTotalIsTheSumOfTheRowsShownOverAllPages_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("filtered");
        QTest::newRow("journal") << "printcontrijour" << false;
        QTest::newRow("journal, filtered") << "printcontrijour" << true;
        QTest::newRow("account") << "overzichtmutrekeningen" << false;
        QTest::newRow("payables") << "printtebetalen" << false;
        QTest::newRow("receivables") << "printteontvangen" << false;
    }
    void theTotalIsTheSumOfTheRowsShownOverAllPages()
    {
        QFETCH(QString, report);
        QFETCH(bool, filtered);
        fill(140);
        if (filtered)
            filterJournal(QStringLiteral("Boekstuk"), QStringLiteral("11"), QStringLiteral("130"));
        std::shared_ptr<Report> built;
        const Table *shown = nullptr;
        if (report == u"printcontrijour") {
            built = printcontrijour(*data).report();
            shown = &data->journaaltabel;
        } else if (report == u"overzichtmutrekeningen") {
            rekeningmutaties::opbouwen(*data, 1);
            built = overzichtmutrekeningen(*data).report();
            shown = &data->hulpT;
        } else if (report == u"printtebetalen") {
            built = printtebetalen(*data).report();
            shown = &data->betalentabel;
        } else {
            built = printteontvangen(*data).report();
            shown = &data->ontvangentabel;
        }
        ReportDocument document(built);
        QVERIFY(document.pageCount() >= 2);
        int lines = 0;
        const qint64 printed = detailCents(document, &lines);
        QCOMPARE(lines, shown->recordCount());
        QCOMPARE(printed, tableCents(*shown));
        QCOMPARE(total(document), AmountFormat::current().currency(printed / 100.0));
        QCOMPARE(texts(document, BandKind::Summary).size(), 2);
        // The headings repeat on every page.
        for (int page = 0; page < document.pageCount(); ++page)
            QVERIFY(texts(document, BandKind::ColumnHeader, page).contains(QStringLiteral("Bedrag")));
        if (filtered)
            QCOMPARE(lines, 120);
    }

    void theAccountReportShowsTheLastBuild()
    {
        declar::boekpost(*data, 7, 1, QStringLiteral("Contributie"), QDate(2026, 1, 5), 1250.5);
        declar::boekpost(*data, 4, 4, QStringLiteral("Kas naar kas"), QDate(2026, 1, 6), 20);
        rekeningmutaties::opbouwen(*data, 4);
        ReportDocument kas(overzichtmutrekeningen(*data).report());
        QCOMPARE(texts(kas, BandKind::Detail),
                 (QStringList{"2", "06-01-2026", "Kas naar kas", "-20.00", "2", "06-01-2026", "Kas naar kas", "20.00"}));
        QCOMPARE(total(kas), QStringLiteral("€ 0.00"));
        rekeningmutaties::opbouwen(*data, 1);
        ReportDocument bank(overzichtmutrekeningen(*data).report());
        const QStringList heading = texts(bank, BandKind::ColumnHeader);
        QCOMPARE(heading.mid(0, 4), (QStringList{"Rekening naam :", "Bank 1", "Saldo :", "1,250.50"}));
        QCOMPARE(total(bank), QStringLiteral("€ 1,250.50"));
    }
};

QTEST_MAIN(TestOverzichtrapporten)
#include "test_overzichtrapporten.moc"
