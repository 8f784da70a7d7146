// The main menu as the treasurer sees it: caption, buttons, status bar, show steps on
// every return from a task screen, the mouse wheel, and the processed notice.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "startedprogram.h"
#include "toolkit/elidedlabel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/taskscreen.h"
#include "toolkit/verwerkt.h"
#include "toolkit/wheelfilter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

using namespace zelk;

class TestMain : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    zelk::main &menu() { return *app->program.mainMenu(); }
    DataModule1 &data() { return app->data(); }

private Q_SLOTS:
    void init() { app = std::make_unique<test::StartedProgram>(); }
    void cleanup() { app.reset(); }

    void showsCaptionGroupsButtonsAndStatusBar()
    {
        QCOMPARE(menu().windowTitle(), QStringLiteral("Contributieprogramma"));
        QStringList groups;
        for (auto *box : menu().findChildren<QGroupBox *>())
            groups << box->title();
        QCOMPARE(groups, (QStringList{" Opzetten administratie ", " Verwerken ", " Overzichten ", " Opties "}));
        for (const char *caption : {"Invoer leden", "Omschrijvingen", "Start balans",     "Schone Lei",     "Contributies",   "Inkomsten",
                                    "Uitgaven",     "Kruisposten",    "Nog te ontvangen", "Nog te betalen", "Balans",         "Mutaties",
                                    "Te betalen",   "Te ontvangen",   "Grafiek",          "Rek. overzicht", "Jaar afsluiten", "Backup",
                                    "Restore",      "Mailing",        "Instellingen",     "Begroting",      "Stop programma", "Help"})
            QVERIFY2(menu().button(QString::fromLatin1(caption)), caption);
        QVERIFY(menu().button(QStringLiteral("Rek. overzicht"))->text().startsWith(QStringLiteral(" Rek. overzicht")));
        QCOMPARE(menu().statusPanel(1)->text(), QStringLiteral("  Werkmap:"));
        QCOMPARE(menu().statusPanel(2)->text(), app->home.administration(0));
        QCOMPARE(menu().statusPanel(3)->text(), QStringLiteral("Laatste boekstuknummer:"));
        QCOMPARE(menu().statusPanel(4)->text(), QStringLiteral("0"));
        QCOMPARE(menu().statusPanel(5)->text(), QStringLiteral("Versie 1.2.8"));
        test::saveScreenshot(&menu(), QStringLiteral("main"));
        // The first show completed the chart of the new administration.
        QCOMPARE(data().rekeningtabel.recordCount(), 37);
    }

    void captionsHaveTheirRestColoursAndTurnRedUnderTheMouse()
    {
        HoverButton *income = menu().button(QStringLiteral("Inkomsten"));
        HoverButton *expenses = menu().button(QStringLiteral("Uitgaven"));
        HoverButton *chart = menu().button(QStringLiteral("Grafiek"));
        QCOMPARE(income->captionColour(), QColor(0, 100, 0));
        QCOMPARE(expenses->captionColour(), QColor(139, 0, 0));
        QCOMPARE(menu().button(QStringLiteral("Backup"))->captionColour(), QColor(Qt::black));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(income, &enter);
        QCOMPARE(income->captionColour(), QColor(Qt::red));
        QApplication::sendEvent(chart, &enter);
        QCOMPARE(chart->captionColour(), QColor(Qt::black)); // "Grafiek" does not highlight
        // Moving over the group resets its captions.
        auto *group = qobject_cast<QWidget *>(income->parent());
        QTest::mouseMove(group, QPoint(2, 2));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(group, &move);
        QCOMPARE(income->captionColour(), QColor(0, 100, 0));
    }

    void buttonsWithoutTheirScreenAreDisabled()
    {
        // A button is enabled exactly when its screen exists in this version.
        for (const auto &[caption, unit] : {std::pair{"Invoer leden", "invoerleden"}, std::pair{"Contributies", "invoercontri"},
                                            std::pair{"Jaar afsluiten", "jaarafsluit"}, std::pair{"Backup", "backuppen"}})
            QCOMPARE(menu().button(QString::fromLatin1(caption))->isEnabled(),
                     app->program.context().screen(QString::fromLatin1(unit)) != nullptr);
        QVERIFY(menu().button(QStringLiteral("Invoer leden"))->isEnabled());
        QVERIFY(menu().button(QStringLiteral("Stop programma"))->isEnabled());
        // Help opens the viewer once there is one.
        QCOMPARE(menu().button(QStringLiteral("Help"))->isEnabled(), static_cast<bool>(app->program.context().openHelp));
    }

    void returningFromATaskScreenRerunsTheShowSteps()
    {
        TaskScreen screen(app->program.context(), QStringLiteral("proefscherm"), QStringLiteral("Proef"));
        screen.openFrom(&menu());
        QVERIFY(!menu().isVisible());
        // A booking made meanwhile, and a name given to the association.
        Table &j = data().journaaltabel;
        j.append();
        j.setValue(u"JrNr", 1);
        j.post();
        j.append();
        j.setValue(u"JrNr", 2);
        j.post();
        data().setVerenigingsnaam(QStringLiteral("Harmonie Sint-Cecilia"));
        screen.close();
        QVERIFY(menu().isVisible());
        QCOMPARE(menu().statusPanel(4)->text(), QStringLiteral("2"));
        QCOMPARE(menu().windowTitle(), QStringLiteral("Vereniging administratie van Harmonie Sint-Cecilia"));
    }

    void theWheelMovesOneRowPerStep()
    {
        WheelToArrowFilter::install();
        QListWidget list;
        list.addItems({"a", "b", "c", "d"});
        list.setCurrentRow(1);
        list.show();
        list.activateWindow();
        list.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        auto wheel = [&](int delta) {
            QWheelEvent event(QPointF(5, 5), list.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(list.viewport(), &event);
        };
        wheel(-360); // a large turn towards the user is still one step down
        QCOMPARE(list.currentRow(), 2);
        wheel(120);
        QCOMPARE(list.currentRow(), 1);
    }

    void theNoticeHidesAfterThreeSecondsOrUnderTheMouse()
    {
        verwerkt *notice = app->program.context().notice;
        QCOMPARE(notice->label()->text(), QStringLiteral("Gegevens verwerkt in de administratie"));
        notice->showNotice();
        QVERIFY(notice->isVisible());
        QVERIFY(notice->timerActive());
        QTest::qWait(verwerkt::shownMilliseconds - 1000);
        QVERIFY(notice->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!notice->isVisible(), 2500);
        notice->showNotice();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(notice->label(), &enter);
        QVERIFY(!notice->isVisible());
        QVERIFY(!notice->timerActive());
    }

    void startupOrderAndGauge()
    {
        const QStringList &order = Program::creationOrder();
        QCOMPARE(order.first(), QStringLiteral("main"));
        QCOMPARE(order.indexOf(QStringLiteral("databases")), 7);
        QCOMPARE(order.size(), 45);
        QCOMPARE(Program::gaugeAfter(3), 10);
        QCOMPARE(Program::gaugeAfter(4), 12);
        QCOMPARE(Program::gaugeAfter(17), 38);
        QCOMPARE(Program::gaugeAfter(45), 38); // never past the maximum
    }

    void aLongWorkingFolderIsShortenedInTheMiddleWithTheWholePathAsTip()
    {
        app.reset();
        test::TestHome home; // restores ZELK_HOME when it goes
        const QString root = home.path() + QStringLiteral("/Verenigingen en stichtingen").repeated(8) + QStringLiteral("/Penningmeester");
        QVERIFY(QDir().mkpath(root));
        qputenv("ZELK_HOME", root.toUtf8());
        Program program(false);
        zelk::main &menu = *program.mainMenu();
        menu.resize(1000, 600);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        const QString werkmap = root + QStringLiteral("/zelk");
        auto *panel = qobject_cast<ElidedLabel *>(menu.statusPanel(2));
        QVERIFY(panel);
        QCOMPARE(panel->text(), werkmap);
        QCOMPARE(panel->toolTip(), werkmap);
        QVERIFY(menu.width() <= 1000); // the panel asks for little room; the window does not grow
        QVERIFY(panel->width() < panel->fontMetrics().horizontalAdvance(werkmap));
        const QString shown = panel->shownText();
        QVERIFY2(shown.contains(u'…') && shown.endsWith(QStringLiteral("Penningmeester/zelk")), qPrintable(shown));
        QVERIFY2(shown.startsWith(home.path().left(4)), qPrintable(shown));
        QVERIFY(panel->fontMetrics().horizontalAdvance(shown) <= panel->contentsRect().width());
        // A short folder is shown whole.
        panel->setText(QStringLiteral("/tmp/zelk"));
        QCOMPARE(panel->shownText(), QStringLiteral("/tmp/zelk"));
    }

    void anotherAdministrationThanTheChosenOneIsSaidInAWarning()
    {
        app.reset();
        test::TestHome home;
        {
            DataModule1 used;
            used.openAll();
        }
        QFile alias(home.path() + QStringLiteral("/zelk.cfg"));
        QVERIFY(alias.open(QIODevice::WriteOnly | QIODevice::Truncate));
        alias.write("PATH=zelk03\n");
        alias.close();
        Program program(false);
        program.mainMenu()->show();
        const auto warnings = [&] { return program.mainMenu()->findChildren<QMessageBox *>(QStringLiteral("waarschuwing")); };
        QCOMPARE(warnings().size(), 1);
        QCOMPARE(warnings().first()->windowTitle(), QStringLiteral("Let op"));
        QVERIFY2(warnings().first()->text().contains(home.administration(3)), qPrintable(warnings().first()->text()));
        QCOMPARE(program.mainMenu()->statusPanel(2)->text(), home.administration(0));
        QVERIFY(program.mainMenu()->findChildren<QMessageBox *>(QStringLiteral("foutmelding")).isEmpty());
        // Said once: the next return to the menu does not repeat it.
        warnings().first()->close();
        program.mainMenu()->hide();
        program.mainMenu()->show();
        QTRY_VERIFY(warnings().isEmpty());
    }

    void endingTheProgramDestroysTheScreensBeforeTheTables()
    {
        // The program can end with screens still open (the desktop session ends); each
        // one closes and goes while the tables its grid and fields show still exist, and
        // the data module, created after the first screens, goes last.
        QStringList gone;
        auto track
            = [&gone](QObject *unit, const QString &name) { QObject::connect(unit, &QObject::destroyed, [&gone, name] { gone << name; }); };
        track(&data(), QStringLiteral("databases"));
        track(&menu(), QStringLiteral("main"));
        const QHash<QString, QPointer<QWidget>> screens = app->program.context().screens;
        QVERIFY(Program::creationOrder().indexOf(QStringLiteral("invoerleden"))
                < Program::creationOrder().indexOf(QStringLiteral("databases")));
        QVERIFY(screens.value(QStringLiteral("invoerleden")));
        for (auto it = screens.cbegin(); it != screens.cend(); ++it) {
            track(it.value(), it.key());
            it.value()->show();
        }
        app.reset();
        QCOMPARE(gone.size(), screens.size() + 2); // every unit went
        QCOMPARE(gone.mid(gone.size() - 2), (QStringList{"main", "databases"}));
    }

    void stopClosesTheTables()
    {
        QVERIFY(data().ledentabel.isOpen());
        menu().button(QStringLiteral("Stop programma"))->click();
        QVERIFY(!menu().isVisible());
        QVERIFY(!data().ledentabel.isOpen());
        QVERIFY(!data().journaaltabel.isOpen());
    }
};

QTEST_MAIN(TestMain)
#include "test_main.moc"
