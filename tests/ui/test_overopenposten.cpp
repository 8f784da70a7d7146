// The open payables and receivables overviews: read-only grids narrowed by "Datum" and
// "Bedrag" from and to and "Omschrijving" anywhere in any case; closing and opening again
// shows every item; "Overzicht" prints exactly the items shown with their total.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "declar.h"
#include "overviews/openpostoverzicht.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/velden.h"
#include "testhome.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace zelk;

class TestOverOpenPosten : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    DataModule1 &data() { return app->data(); }
    Table &items(bool payables) { return payables ? data().betalentabel : data().ontvangentabel; }
    OpenPostOverzicht *open(bool payables)
    {
        return qobject_cast<OpenPostOverzicht *>(
            test::openFromMenu(app->program, payables ? QStringLiteral("Te betalen") : QStringLiteral("Te ontvangen")));
    }
    static void type(OpenPostOverzicht *screen, const char *box, const QString &text)
    {
        auto *edit = screen->findChild<QLineEdit *>(QLatin1String(box));
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static QStringList descriptions(OpenPostOverzicht *screen)
    {
        QStringList shown;
        for (int row = 0; row < screen->grid()->model()->rowCount(); ++row)
            shown << screen->grid()->model()->index(row, 1).data().toString();
        return shown;
    }
    QString printed(OpenPostOverzicht *screen)
    {
        return test::printedText(screen->button(QStringLiteral("Overzicht")), app->home.path() + QStringLiteral("/posten.txt"));
    }

private Q_SLOTS:
    void init()
    {
        qputenv("ZELK_REPORT_DATE", "2026-03-31");
        app = std::make_unique<test::StartedProgram>();
        const struct {
            const char *text;
            QDate date;
            double amount;
        } seeded[] = {{"Drukwerk nieuwsbrief", {2026, 1, 5}, 100},
                      {"Zaalhuur januari", {2026, 1, 31}, 250},
                      {"Kantine", {2026, 2, 1}, 1234.5},
                      {"Bondsafdracht", {2026, 3, 1}, 99.99}};
        for (const auto &s : seeded) {
            declar::nieuwtebetalen(data(), QString::fromLatin1(s.text), s.date, s.amount);
            declar::nieuwteontvangen(data(), QString::fromLatin1(s.text), s.date, s.amount);
        }
    }
    void cleanup() { app.reset(); }

    void theScreens_data()
    {
        QTest::addColumn<bool>("payables");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QString>("reportTitle");
        QTest::newRow("payables") << true << "Overzicht nog te betalen (openstaande posten)"
                                  << "12. OVERZICHT TE BETALEN"
                                  << "Overzicht nog te betalen posten van :";
        QTest::newRow("receivables") << false << "Overzicht nog te ontvangen (openstaande posten)"
                                     << "13. OVERZICHT TE ONTVANGEN"
                                     << "Overzicht nog te ontvangen posten van :";
    }
    void theScreens()
    {
        QFETCH(bool, payables);
        QFETCH(QString, caption);
        QFETCH(QString, help);
        QFETCH(QString, reportTitle);
        OpenPostOverzicht *screen = open(payables);
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), caption);
        QCOMPARE(screen->helpHeading(), help);
        QVERIFY(screen->button(QStringLiteral("Help"))->isEnabled());
        QVERIFY(!app->program.mainMenu()->isVisible());
        QStringList headings;
        for (int c = 0; c < screen->grid()->model()->columnCount(); ++c)
            headings << screen->grid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Datum", "Omschrijving", "Bedrag"}));
        QCOMPARE(screen->grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(screen->grid()->model()->index(2, 2).data().toString(), QStringLiteral("1,234.50"));
        QCOMPARE(screen->filterPanel()->title(), QStringLiteral("  Filteren overzicht  "));
        QVERIFY(screen->filterPanel()->toBox(QStringLiteral("Datum")));
        QVERIFY(screen->filterPanel()->toBox(QStringLiteral("Bedrag")));
        QVERIFY(!screen->filterPanel()->toBox(QStringLiteral("Omschrijving")));
        if (payables)
            test::saveScreenshot(screen, QStringLiteral("over_tebetalen"));

        const QString report = printed(screen);
        QVERIFY2(report.startsWith(reportTitle), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("Overzicht openstaande posten")));
        QVERIFY(report.contains(QStringLiteral("€ 1,684.49\n")));
        QCOMPARE(items(payables).recordCount(), 4); // reading changed nothing
    }

    void theFilter_data()
    {
        QTest::addColumn<bool>("payables");
        QTest::addColumn<QStringList>("typed"); // box, text, box, text, ...
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("total");
        for (const bool payables : {true, false}) {
            const char *which = payables ? "payables" : "receivables";
            QTest::addRow("%s: a few letters from the middle, in capitals", which)
                << payables << QStringList{"filteromschrijving", "UUR JAN"} << QStringList{"Zaalhuur januari"} << "€ 250.00";
            QTest::addRow("%s: dates, both bounds inclusive", which)
                << payables << QStringList{"filterdatumvan", "31-01-2026", "filterdatumtot", "01-02-2026"}
                << QStringList{"Zaalhuur januari", "Kantine"} << "€ 1,484.50";
            QTest::addRow("%s: a date to-value alone", which) << payables << QStringList{"filterdatumtot", "31-01-2026"}
                                                              << QStringList{"Drukwerk nieuwsbrief", "Zaalhuur januari"} << "€ 350.00";
            QTest::addRow("%s: amounts, both bounds inclusive", which)
                << payables << QStringList{"filterbedragvan", "99.99", "filterbedragtot", "250"}
                << QStringList{"Drukwerk nieuwsbrief", "Zaalhuur januari", "Bondsafdracht"} << "€ 449.99";
            QTest::addRow("%s: an amount to-value alone", which)
                << payables << QStringList{"filterbedragtot", "100"} << QStringList{"Drukwerk nieuwsbrief", "Bondsafdracht"} << "€ 199.99";
            QTest::addRow("%s: nothing matches", which) << payables << QStringList{"filterbedragvan", "5000"} << QStringList{} << "€ 0.00";
        }
    }
    void theFilter()
    {
        QFETCH(bool, payables);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, expected);
        QFETCH(QString, total);
        OpenPostOverzicht *screen = open(payables);
        for (int i = 0; i + 1 < typed.size(); i += 2)
            type(screen, qPrintable(typed[i]), typed[i + 1]);
        QCOMPARE(descriptions(screen), expected);
        QCOMPARE(items(payables).recordCount(), expected.size());
        const QString report = printed(screen);
        QVERIFY2(report.contains(QStringLiteral("Totaaltelling van de getoonde posten")), qPrintable(report));
        QVERIFY2(report.contains(total + u'\n'), qPrintable(report));
        for (const char *description : {"Drukwerk nieuwsbrief", "Zaalhuur januari", "Kantine", "Bondsafdracht"})
            QCOMPARE(report.contains(description), expected.contains(description));

        // Closed and opened again, every item shows and the boxes are empty.
        QTest::mouseClick(screen->button(QStringLiteral("Sluit venster")), Qt::LeftButton);
        QVERIFY(app->program.mainMenu()->isVisible());
        QVERIFY(!items(payables).isFiltered());
        QCOMPARE(items(payables).recordCount(), 4);
        screen = open(payables);
        QCOMPARE(descriptions(screen).size(), 4);
        for (int i = 0; i < typed.size(); i += 2)
            QVERIFY(screen->findChild<QLineEdit *>(typed[i])->text().isEmpty());
    }
};

QTEST_MAIN(TestOverOpenPosten)
#include "test_overopenposten.moc"
