// "Afsluiten boekjaar" as the treasurer sees it: its texts, the date picker, and one
// click on "Jaarafsluiten" that closes the year without a question, shows the processed
// notice and tells where the safety copy is; the main menu then shows the new last
// journal number.
#include "boekingen.h"
#include "bookkeeping/jaarafsluit.h"
#include "core/main.h"
#include "databases.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/velden.h"
#include "toolkit/datepicker.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/verwerkt.h"
#include "veiligheidskopie.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

using namespace zelk;

class TestJaarafsluit : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    jaarafsluit *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    QStringList texts() const
    {
        QStringList all;
        for (const QLabel *label : screen->findChildren<QLabel *>())
            if (!label->text().isEmpty())
                all << label->text();
        return all;
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        const QDate day(2026, 6, 1);
        boekingen::startbalansGeld(data(), 1, {QStringLiteral("Beginbalans"), day, 1250});
        boekingen::inkomsten(data(), 7, 4, {QStringLiteral("Contributie"), day, 80});
        boekingen::startbalansOpenPost(data(), 24, {QStringLiteral("Drukker"), day, 50});
        boekingen::startbalansOpenPost(data(), 25, {QStringLiteral("Subsidie"), day, 30});
        boekingen::uitgaven(data(), 1, 21, {QStringLiteral("Zaalhuur"), day, 100});
        app->program.mainMenu()->runShowSteps(); // the menu shows the bookings made behind it
        screen = qobject_cast<jaarafsluit *>(test::openFromMenu(app->program, QStringLiteral("Jaar afsluiten")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void showsItsTextsAndTodaysDate()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral("Afsluiten boekjaar"));
        QVERIFY(!app->program.mainMenu()->isVisible());
        QCOMPARE(texts(),
                 (QStringList{"Kies de afsluitdatum", "De gehele administratie wordt leeggemaakt.",
                              "De financiele rekeningen worden opnieuw geboekt t.o.v. het eigen vermogen.",
                              "Openstaande posten blijven bestaan.", "De contributie-overzichten worden één jaar doorgeschoven.",
                              "MAAK VOORDAT JE DEZE ACTIE KIEST, EEN BACKUP !"}));
        QCOMPARE(screen->afsluitdatum()->date(), QDate::currentDate());
        QVERIFY(screen->afsluitdatum()->calendarPopup());
        QVERIFY(screen->button(QStringLiteral("Jaarafsluiten"))->isEnabled());
        QVERIFY(screen->button(QStringLiteral("Sluit venster")));
        QString heading;
        app->program.context().openHelp = [&](QWidget *, const QString &h) { heading = h; };
        screen->findChild<QPushButton *>(QStringLiteral("help"))->click();
        QCOMPARE(heading, QStringLiteral("14. JAAR AFSLUITEN"));
        test::saveScreenshot(screen, QStringLiteral("jaarafsluit"));
    }

    void oneClickClosesTheYearWithoutAQuestion()
    {
        screen->afsluitdatum()->setDate(QDate(2026, 12, 31));
        // A question box would stop the click here; none may appear.
        QTest::mouseClick(screen->button(QStringLiteral("Jaarafsluiten")), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(app->program.context().notice->isVisible());
        QCOMPARE(data().journaaltabel.recordCount(), 4);
        QCOMPARE(data().journaaltabel.valueAt(0, veld::journaal::Datum).toDate(), QDate(2026, 12, 31));
        QCOMPARE(data().journaaltabel.valueAt(3, veld::journaal::Omschrijving).toString(), QStringLiteral("beginbalans"));
        QCOMPARE(app->balance(1), 1150.0);
        QCOMPARE(app->balance(4), 80.0);
        QCOMPARE(app->balance(21), 0.0);
        QCOMPARE(app->balance(23), -1210.0);
        QCOMPARE(data().betalentabel.recordCount(), 1);
        const auto copies = veiligheidskopie::lijst(data().werkmap());
        QCOMPARE(copies.size(), 1);
        QCOMPARE(screen->kopieLabel()->text(),
                 QStringLiteral("De toestand van voor het afsluiten staat in de veiligheidskopie %1").arg(copies[0].pad));
        QVERIFY(screen->isVisible()); // the screen stays open
        // Back in the main menu the last journal number follows.
        QCOMPARE(app->program.mainMenu()->statusPanel(4)->text(), QStringLiteral("5"));
        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(!screen->isVisible());
        QVERIFY(app->program.mainMenu()->isVisible());
        QCOMPARE(app->program.mainMenu()->statusPanel(4)->text(), QStringLiteral("4"));
    }

    void aRefusedClosingShowsTheReasonAndChangesNothing()
    {
        // The copies folder cannot be made: a file stands where it should be.
        QFile blocker(app->home.path() + QStringLiteral("/veiligheidskopieen"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QTest::mouseClick(screen->button(QStringLiteral("Jaarafsluiten")), Qt::LeftButton);
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QCOMPARE(box->objectName(), QStringLiteral("foutmelding"));
        QVERIFY2(box->text().startsWith(QStringLiteral("Er kon geen veiligheidskopie van de administratie worden gemaakt")),
                 qPrintable(box->text()));
        QVERIFY(box->text().endsWith(QStringLiteral("Daarom is de jaarafsluiting niet uitgevoerd; er is niets gewijzigd.")));
        box->close();
        QCOMPARE(data().journaaltabel.recordCount(), 5);
        QVERIFY(!app->program.context().notice->isVisible());
        QVERIFY(screen->kopieLabel()->text().isEmpty());
    }
};

QTEST_MAIN(TestJaarafsluit)
#include "test_jaarafsluit.moc"
