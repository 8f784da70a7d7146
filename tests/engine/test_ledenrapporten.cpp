// The member and dues reports over a real member table: what each prints per member and
// where, the filter of the member table, an empty table, and the 36 dues squares.
#include "databases.h"
#include "freshdata.h"
#include "report/reportdocument.h"
#include "reports/ledenlijst03.h"
#include "reports/printcontribut.h"
#include "reports/printleden.h"
#include "reports/printledenall.h"

#include <QTest>
#include <cmath>

using namespace zelk;

namespace {
QStringList texts(ReportDocument &document, BandKind band)
{
    QStringList found;
    for (int p = 0; p < document.pageCount(); ++p)
        for (const PageItem &item : document.page(p).items)
            if (item.band == band && item.kind == ItemKind::Text)
                found << item.text;
    return found;
}

const PageItem *textItem(ReportDocument &document, const QString &text)
{
    for (const PageItem &item : document.page(0).items)
        if (item.kind == ItemKind::Text && item.text == text)
            return &item;
    return nullptr;
}

bool near(double a, double b)
{
    return std::abs(a - b) < 0.05;
}
} // namespace

class TestLedenrapporten : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    void addMember(const QString &name, const QString &town, const QStringList &marks = {}, const QDate &born = {})
    {
        Table &t = data->ledentabel;
        t.append();
        t.setValue(u"Naam", name);
        t.setValue(u"Straat", QStringLiteral("Kerkstraat 1"));
        t.setValue(u"Pcode", QStringLiteral("2611 AB"));
        t.setValue(u"Plaats", town);
        t.setValue(u"Email", QStringLiteral("lid@voorbeeld.nl"));
        t.setValue(u"Soortlid", QStringLiteral("Senior"));
        t.setValue(u"Opmerk1", QStringLiteral("Bestuur"));
        t.setValue(u"Lidbedrag", QStringLiteral("25,00"));
        t.setValue(u"Geb datum", born);
        for (const QString &m : marks)
            t.setValue(m, true);
        t.post();
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<test::FreshData>();
        data->setVerenigingsnaam(QStringLiteral("Harmonie Sint-Cecilia"));
    }
    void cleanup() { data.reset(); }

    void memberListsPlaceHeadingsAndValues_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<double>>("headingAt");
        QTest::addColumn<QList<double>>("valueAt");
        QTest::addColumn<double>("paperWidth");
        QTest::newRow("printleden") << "printleden" << QStringList{"Naam", "Straat", "Pcode", "Woonplaats", "E-mail adres", "Geb.dat"}
                                    << QList<double>{1.1, 39.2, 81.8, 95.0, 133.1, 174.9}
                                    << QList<double>{1.1, 39.7, 82.1, 95.5, 133.6, 175.5} << 210.0;
        QTest::newRow("ledenlijst03") << "ledenlijst03"
                                      << QStringList{"Naam", "Straat", "Pcode", "Woonplaats", "E-mail adres", "Soort lid", "Opmerk 1"}
                                      << QList<double>{1.1, 51.9, 92.8, 106.1, 152.1, 193.9, 223.6}
                                      << QList<double>{1.1, 52.4, 93.0, 106.4, 151.9, 194.2, 223.8} << 297.0;
    }

    void memberListsPlaceHeadingsAndValues()
    {
        QFETCH(QString, report);
        QFETCH(QStringList, headings);
        QFETCH(QList<double>, headingAt);
        QFETCH(QList<double>, valueAt);
        QFETCH(double, paperWidth);
        addMember(QStringLiteral("Bakker, Els"), QStringLiteral("Delft"), {}, QDate(1970, 3, 5));
        ReportDocument document(report == QLatin1String("printleden") ? printleden(*data).report() : ledenlijst03(*data).report());
        QCOMPARE(document.pageSetup().paperSize().width(), paperWidth);
        QCOMPARE(texts(document, BandKind::ColumnHeader), headings);
        const QStringList values = report == QLatin1String("printleden")
            ? QStringList{"Bakker, Els", "Kerkstraat 1", "2611 AB", "Delft", "lid@voorbeeld.nl", "05-03-1970"}
            : QStringList{"Bakker, Els", "Kerkstraat 1", "2611 AB", "Delft", "lid@voorbeeld.nl", "Senior", "Bestuur"};
        QCOMPARE(texts(document, BandKind::Detail), values);
        for (int i = 0; i < headings.size(); ++i) {
            QVERIFY2(near(textItem(document, headings[i])->x, 10 + headingAt[i]), qPrintable(headings[i]));
            QVERIFY2(near(textItem(document, values[i])->x, 10 + valueAt[i]), qPrintable(values[i]));
        }
        QCOMPARE(texts(document, BandKind::PageHeader).first(), QStringLiteral("Ledenlijst van "));
        QVERIFY(texts(document, BandKind::PageFooter).contains(QStringLiteral("Ledenlijst van")));
    }

    void theFilterOfTheMemberTableAppliesAndAMemberWithoutBirthDateLeavesItEmpty()
    {
        addMember(QStringLiteral("Bakker, Els"), QStringLiteral("Delft"));
        addMember(QStringLiteral("de Vries, Jan"), QStringLiteral("Gouda"), {}, QDate(1980, 1, 2));
        addMember(QStringLiteral("Jansen, Piet"), QStringLiteral("Delfzijl"), {}, QDate(1990, 4, 5));
        Table &t = data->ledentabel;
        t.setFiltered(true);
        t.setCondition([](const Table::Values &v) { return v[3].toString().contains(QStringLiteral("delf"), Qt::CaseInsensitive); });
        ReportDocument document(printleden(*data).report());
        const QStringList detail = texts(document, BandKind::Detail);
        QCOMPARE(detail.filter(QStringLiteral(", ")), (QStringList{"Bakker, Els", "Jansen, Piet"}));
        QVERIFY(!detail.contains(QStringLiteral("Gouda")));
        // Bakker has no birth date: her line has no date text.
        QCOMPARE(detail.count(), 5 + 6);
    }

    void anEmptyTablePrintsOnePageWithHeaderAndFooter()
    {
        ReportDocument document(printleden(*data).report());
        QCOMPARE(document.pageCount(), 1);
        QVERIFY(texts(document, BandKind::Detail).isEmpty());
        QVERIFY(texts(document, BandKind::PageHeader).contains(QStringLiteral("Harmonie Sint-Cecilia")));
        QVERIFY(texts(document, BandKind::PageFooter).contains(QStringLiteral("Ledenlijst van")));
    }

    void memberCardsHaveSixRowsAndNoFooter()
    {
        addMember(QStringLiteral("Bakker, Els"), QStringLiteral("Delft"), {}, QDate(1970, 3, 5));
        ReportDocument document(printledenall(*data).report());
        QCOMPARE(document.pageCount(), 1);
        QVERIFY(texts(document, BandKind::PageFooter).isEmpty());
        QVERIFY(texts(document, BandKind::ColumnHeader).isEmpty());
        const QStringList detail = texts(document, BandKind::Detail);
        QCOMPARE(detail.mid(0, 4), (QStringList{"Naam:", "Bakker, Els", "Contributie:", "25,00"}));
        for (const char *label : {"Straat:", "Bank-giro:", "Pcode:", "Soort Lid:", "Plaats:", "Opmerking 1:", "Geb.datum:", "Opmerking 2:",
                                  "E-mail adres:", "Opmerking 3:"})
            QVERIFY2(detail.contains(QString::fromLatin1(label)), label);
        const PageItem *name = textItem(document, QStringLiteral("Naam:"));
        const PageItem *mail = textItem(document, QStringLiteral("E-mail adres:"));
        QVERIFY(near(name->x, 10 + 2.1));
        QVERIFY(near(textItem(document, QStringLiteral("Opmerking 3:"))->x, 10 + 91.0));
        QVERIFY(near(textItem(document, QStringLiteral("05-03-1970"))->x, 10 + 24.3));
        QVERIFY(near(mail->y - name->y, 23.3 - 2.1));
    }

    void duesSquaresFollowTheMarks_data()
    {
        QTest::addColumn<QStringList>("marks");
        QTest::addColumn<QList<double>>("blackAt"); // x of the black squares from the left margin
        QTest::newRow("only Mrt") << QStringList{"Mrt"} << QList<double>{76.2 + 2 * 4.23};
        QTest::newRow("Ajan and Vdec") << QStringList{"Ajan", "Vdec"} << QList<double>{25.1, 127.0 + 11 * 4.23};
        QTest::newRow("none") << QStringList{} << QList<double>{};
    }

    void duesSquaresFollowTheMarks()
    {
        QFETCH(QStringList, marks);
        QFETCH(QList<double>, blackAt);
        addMember(QStringLiteral("Bakker, Els"), QStringLiteral("Delft"), marks);
        addMember(QStringLiteral("Visser, Anna"), QStringLiteral("Gouda"), {"Jan", "Feb", "Mrt", "Apr"});
        ReportDocument document(printcontribut(*data).report());
        QList<double> black;
        int squares = 0;
        const double firstBlock = textItem(document, QStringLiteral("Bakker, Els"))->y;
        const double secondBlock = textItem(document, QStringLiteral("Visser, Anna"))->y;
        for (const PageItem &item : document.page(0).items) {
            if (item.kind != ItemKind::Box || !near(item.w, 2.1) || item.y < firstBlock || item.y > secondBlock)
                continue;
            ++squares;
            QVERIFY(near(item.y - firstBlock, 13.2 - 0.6));
            if (item.fill == QColor(Qt::black).rgba())
                black << item.x - 10;
            else
                QCOMPARE(item.fill, QColor(Qt::white).rgba());
        }
        QCOMPARE(squares, 36);
        QCOMPARE(black.size(), blackAt.size());
        for (int i = 0; i < black.size(); ++i)
            QVERIFY2(near(black[i], blackAt[i]), qPrintable(QString::number(black[i])));
        QVERIFY(near(secondBlock - firstBlock, 19.1));
        for (const char *text : {"maanden", "vorig jaar", "dit jaar", "volgend jaar"})
            QVERIFY2(textItem(document, QString::fromLatin1(text)), text);
        QCOMPARE(texts(document, BandKind::PageHeader).first(), QStringLiteral("Overzicht contributies van"));
    }
};

QTEST_MAIN(TestLedenrapporten)
#include "test_ledenrapporten.moc"
