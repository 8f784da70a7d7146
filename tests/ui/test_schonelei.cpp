// "Met schone lei beginnen" as the treasurer sees it: its seven lines, the question with
// No as the answer that changes nothing, and Yes that empties the bookkeeping, keeps the
// members and names, shows the processed notice and says where the safety copy is; the
// main menu then shows 0 as the last journal number.
#include "boekingen.h"
#include "bookkeeping/schonelei.h"
#include "core/main.h"
#include "databases.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/velden.h"
#include "tabeldump.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/verwerkt.h"
#include "veiligheidskopie.h"

#include <QLabel>
#include <QTest>

using namespace zelk;

class TestSchonelei : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    schonelei *screen = nullptr;

    DataModule1 &data() { return app->data(); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        const QDate day(2026, 6, 1);
        for (int i = 1; i <= 4; ++i)
            boekingen::uitgaven(data(), 24, 12 + i, {QStringLiteral("Factuur %1").arg(i), day, 10.0 * i});
        for (int i = 1; i <= 3; ++i)
            boekingen::inkomsten(data(), 7, 25, {QStringLiteral("Contributie %1").arg(i), day, 12.5});
        Table &m = data().ledentabel;
        m.append();
        m.setValue(veld::leden::Naam, QStringLiteral("Jansen"));
        m.setValue(QStringLiteral("Mrt"), true);
        m.post();
        app->program.mainMenu()->runShowSteps(); // the menu shows the bookings made behind it
        screen = qobject_cast<schonelei *>(test::openFromMenu(app->program, QStringLiteral("Schone Lei")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void showsItsSevenLines()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral("Met schone lei beginnen"));
        QStringList lines;
        for (const QLabel *label : screen->findChildren<QLabel *>())
            if (!label->text().isEmpty())
                lines << label->text();
        QCOMPARE(lines,
                 (QStringList{"Deze mogelijkheid zou eigenlijk NIET nodig moeten zijn.",
                              "Om de één of andere reden is de administratie niet meer correct te krijgen.",
                              "U krijgt bijvoorbeeld Nog te betalen of Nog te ontvangen niet leeg, terwijl dit wel zo zou moeten zijn.",
                              "Deze speciale rekeningen en alle andere rekeningen inclusief het journaal worden hier NUL gemaakt",
                              "De gehele administratie wordt dus leeg gemaakt.", "De ingevoerde gegevens van de leden blijven onaangetast!",
                              "Alle boekingen moeten opnieuw worden gedaan!"}));
        QCOMPARE(screen->uitvoerenButton()->text(), QStringLiteral("Uitvoeren"));
        QCOMPARE(screen->uitvoerenButton()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(screen->minimumSize(), screen->maximumSize()); // a fixed-size window
        const QPoint centre = app->program.mainMenu()->frameGeometry().center();
        QVERIFY((screen->frameGeometry().center() - centre).manhattanLength() < 20);
        QString heading;
        app->program.context().openHelp = [&](QWidget *, const QString &h) { heading = h; };
        screen->findChild<QPushButton *>(QStringLiteral("help"))->click();
        QCOMPARE(heading, QStringLiteral("    SCHONE LEI"));
        test::saveScreenshot(screen, QStringLiteral("schonelei"));
    }

    void noChangesNothing()
    {
        const QStringList before = test::dump(data().werkmap());
        QString asked;
        test::answerNextQuestion(QMessageBox::No, &asked);
        QTest::mouseClick(screen->uitvoerenButton(), Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Alle rekeningen leeg maken?? Zeker weten?"));
        QCOMPARE(test::dump(data().werkmap()), before);
        QVERIFY(!app->program.context().notice->isVisible());
        QVERIFY(veiligheidskopie::lijst(data().werkmap()).isEmpty());
    }

    void yesEmptiesTheBookkeepingAndKeepsTheMembers()
    {
        QCOMPARE(data().betalentabel.recordCount(), 4);
        QCOMPARE(data().ontvangentabel.recordCount(), 3);
        const QStringList members = test::tableRows(data().werkmap()).filter(QStringLiteral("leden.DB|"));
        test::answerNextQuestion(QMessageBox::Yes);
        QTest::mouseClick(screen->uitvoerenButton(), Qt::LeftButton);
        QVERIFY(data().betalentabel.isEmpty());
        QVERIFY(data().ontvangentabel.isEmpty());
        QVERIFY(data().journaaltabel.isEmpty());
        for (int position = 1; position <= 37; ++position)
            QCOMPARE(app->balance(position), 0.0);
        QCOMPARE(data().rekeningtabel.valueAt(12, veld::rekeningen::Naam).toString(), QStringLiteral("Advertentiekosten"));
        QCOMPARE(test::tableRows(data().werkmap()).filter(QStringLiteral("leden.DB|")), members);
        QVERIFY(app->program.context().notice->isVisible());
        const auto copies = veiligheidskopie::lijst(data().werkmap());
        QCOMPARE(copies.size(), 1);
        QCOMPARE(screen->kopieLabel()->text(),
                 QStringLiteral("De toestand van daarvoor staat in de veiligheidskopie %1").arg(copies[0].pad));
        test::saveScreenshot(screen, QStringLiteral("schonelei-uitgevoerd"));
        QVERIFY(screen->isVisible());
        QCOMPARE(app->program.mainMenu()->statusPanel(4)->text(), QStringLiteral("7")); // refreshed when it shows again
        screen->close();
        QVERIFY(app->program.mainMenu()->isVisible());
        QCOMPARE(app->program.mainMenu()->statusPanel(4)->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestSchonelei)
#include "test_schonelei.moc"
