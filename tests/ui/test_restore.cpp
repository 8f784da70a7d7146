// "Restore (terugzetten) bestanden" as the treasurer sees it: the warning and legend, the
// counts, a backup made on the backup screen put back after later bookings (row for row,
// and the main menu's last journal number follows), a folder with one damaged table that
// changes nothing, the administration folder itself refused, and the remembered folder
// shared with the backup screen.
#include "backup/backuppen.h"
#include "backup/mapkeuze.h"
#include "backup/restore.h"
#include "boekingen.h"
#include "core/main.h"
#include "databases.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/velden.h"
#include "tabeldump.h"
#include "toolkit/hoverbutton.h"
#include "veiligheidskopie.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QTest>
#include <QTreeView>

using namespace zelk;

namespace {
const QDate day(2026, 4, 1);
} // namespace

class TestRestore : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    DataModule1 &data() { return app->data(); }
    zelk::main &menu() { return *app->program.mainMenu(); }
    QString stick() const { return app->home.path() + QStringLiteral("/stick"); }
    template <typename Screen> Screen *open(const char *caption)
    {
        auto *screen = qobject_cast<Screen *>(test::openFromMenu(app->program, QString::fromUtf8(caption)));
        return screen;
    }
    void bookSome(int count, const QString &what)
    {
        for (int i = 0; i < count; ++i)
            boekingen::inkomsten(data(), 7, 1, {QStringLiteral("%1 %2").arg(what).arg(i), day, 10.0 + i});
    }
    // A backup of all five tables made on the backup screen.
    void backupTo(const QString &target)
    {
        auto *backup = open<backuppen>("Backup");
        QVERIFY(backup);
        QVERIFY(backup->mapkeuze()->setFolder(target));
        backup->button(QStringLiteral("Start   "))->click();
        QCOMPARE(backup->voortgang()->value(), 1300);
        backup->button(QStringLiteral("Sluit venster"))->click();
    }
    void selectAll(restore *screen) { screen->mapkeuze()->files()->selectAll(); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        QVERIFY(QDir().mkpath(stick()));
        bookSome(3, QStringLiteral("Contributie"));
        Table &m = data().ledentabel;
        m.append();
        m.setValue(veld::leden::Naam, QStringLiteral("Jansen"));
        m.post();
        menu().runShowSteps();
    }
    void cleanup() { app.reset(); }

    void showsTheWarningTheLegendAndTheCounts()
    {
        backupTo(stick());
        auto *screen = open<restore>("Restore");
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Restore (terugzetten) bestanden"));
        QCOMPARE(screen->focusWidget(), static_cast<QWidget *>(screen->mapkeuze()->tree())); // it opens on the folder
        QCOMPARE(
            test::listed(screen->instructies()),
            (QStringList{"", "  Kies eerst de juiste drive", "  Selecteer dan de tabel of de tabellen", "  die teruggezet moet(en) worden.",
                         "", "  PAS OP !!!", "  Zet normaal altijd ALLE tabellen terug", " ", "  De administratie kan behoorlijk in de war",
                         "  raken bij het NIET terugzetten van ALLE", "  tabellen !!!!"}));
        QStringList texts;
        for (const QLabel *label : screen->findChildren<QLabel *>())
            texts << label->text();
        for (const char *text :
             {"aantal tabellen        :", "aantal geselecteerd", "leden.db", "Leden bestand", "rekeningen.db", "Rekeningen bestand",
              "journaal.db", "Journaal bestand", "tebetalen.db", "Nog te betalen bestand", "teontvangen.db", "Nog te ontvangen bestand"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
        QStringList groups;
        for (const QGroupBox *group : screen->findChildren<QGroupBox *>())
            groups << group->title();
        QCOMPARE(groups, (QStringList{"Legenda", "Voortgangsindicator"}));
        QCOMPARE(screen->findChild<QComboBox *>(QStringLiteral("bestandstype"))->itemText(0), QStringLiteral("Tabellen (Dbase)"));
        QVERIFY(screen->button(QStringLiteral("Inlezen                 ")));
        QCOMPARE(screen->voortgang()->maximum(), 1300);

        // It opens in the folder of the last backup, whose tables it lists.
        QCOMPARE(screen->mapkeuze()->folder(), stick());
        QCOMPARE(test::listed(screen->mapkeuze()->files()),
                 (QStringList{"journaal.db", "leden.DB", "rekeningen.db", "tebetalen.db", "teontvangen.db"}));
        QCOMPARE(screen->aantalTabellen()->text(), QStringLiteral("5"));
        QCOMPARE(screen->aantalGeselecteerd()->text(), QStringLiteral("0"));
        screen->mapkeuze()->files()->item(1)->setSelected(true);
        screen->mapkeuze()->files()->item(3)->setSelected(true);
        QCOMPARE(screen->aantalGeselecteerd()->text(), QStringLiteral("2"));

        QString heading;
        app->program.context().openHelp = [&](QWidget *, const QString &h) { heading = h; };
        screen->findChild<QPushButton *>(QStringLiteral("help"))->click();
        QCOMPARE(heading, QStringLiteral("16. RESTORE"));
        test::saveScreenshot(screen, QStringLiteral("restore"));
    }

    void aBackupComesBackRowForRowAndTheMenuFollows()
    {
        backupTo(stick());
        const QStringList backedUp = test::mainRows(stick());
        QCOMPARE(test::mainRows(data().werkmap()), backedUp);
        bookSome(4, QStringLiteral("Later"));
        data().ledentabel.append();
        data().ledentabel.setValue(veld::leden::Naam, QStringLiteral("Pietersen"));
        data().ledentabel.post();
        menu().runShowSteps();
        QCOMPARE(menu().statusPanel(4)->text(), QStringLiteral("7"));

        auto *screen = open<restore>("Restore");
        QCOMPARE(screen->mapkeuze()->folder(), stick());
        selectAll(screen);
        QList<int> steps;
        QList<Qt::CursorShape> pointers;
        connect(screen, &restore::tabelGelezen, this, [&] {
            steps << screen->voortgang()->value();
            pointers << (QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor);
        });
        screen->inlezenButton()->click();
        QVERIFY(test::errorBoxes().isEmpty());
        QCOMPARE(steps, (QList<int>{260, 520, 780, 1040, 1300}));
        QCOMPARE(pointers, QList<Qt::CursorShape>(5, Qt::WaitCursor));
        QCOMPARE(test::mainRows(data().werkmap()), backedUp);
        const auto copies = veiligheidskopie::lijst(data().werkmap());
        QCOMPARE(copies.size(), 1);
        QVERIFY(screen->kopieLabel()->text().endsWith(QStringLiteral("staat in de veiligheidskopie %1").arg(copies[0].pad)));
        // The shared tables show the restored rows at once.
        QCOMPARE(data().ledentabel.recordCount(), 1);
        QCOMPARE(data().journaaltabel.recordCount(), 3);
        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(menu().isVisible());
        QCOMPARE(menu().statusPanel(4)->text(), QStringLiteral("3"));
    }

    void aFolderWithOneDamagedTableChangesNothing()
    {
        backupTo(stick());
        QFile journal(stick() + QStringLiteral("/journaal.db"));
        QVERIFY(journal.open(QIODevice::ReadWrite));
        journal.seek(100);
        journal.write(QByteArray(3000, '\x42'));
        journal.close();
        bookSome(2, QStringLiteral("Later"));
        const QStringList before = test::dump(data().werkmap());

        auto *screen = open<restore>("Restore");
        selectAll(screen);
        screen->inlezenButton()->click();
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        const QString message = test::errorBoxes().first()->text();
        QVERIFY2(message.startsWith(QStringLiteral("Het bestand journaal.db is beschadigd of geen tabel")), qPrintable(message));
        QVERIFY2(message.endsWith(QStringLiteral("Er is niets teruggezet.")), qPrintable(message));
        test::errorBoxes().first()->close();
        QCOMPARE(test::dump(data().werkmap()), before);
        QCOMPARE(veiligheidskopie::lijst(data().werkmap()).size(), 0);
        QVERIFY(data().journaaltabel.isOpen());
        QCOMPARE(data().journaaltabel.recordCount(), 5);
    }

    void theAdministrationItselfAndAnEmptyFolder()
    {
        auto *screen = open<restore>("Restore");
        QVERIFY(screen->mapkeuze()->setFolder(data().werkmap()));
        QVERIFY(screen->mapkeuze()->isProtected());
        QVERIFY(!screen->inlezenButton()->isEnabled());
        QVERIFY(QDir().mkpath(stick() + QStringLiteral("/leeg")));
        QVERIFY(screen->mapkeuze()->setFolder(stick() + QStringLiteral("/leeg")));
        QVERIFY(!screen->mapkeuze()->isProtected());
        QVERIFY(screen->inlezenButton()->isEnabled());
        QCOMPARE(screen->aantalTabellen()->text(), QStringLiteral("0"));
        const QStringList before = test::dump(data().werkmap());
        screen->inlezenButton()->click();
        QCOMPARE(test::dump(data().werkmap()), before); // not even the folder is remembered
        QVERIFY(test::errorBoxes().isEmpty());
    }

    void worksByKeyboard()
    {
        backupTo(stick());
        bookSome(2, QStringLiteral("Later"));
        auto *screen = open<restore>("Restore");
        const auto focusName = [&] {
            const QWidget *w = screen->focusWidget();
            return w ? (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName()) : QStringLiteral("(geen focus)");
        };
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(screen->focusWidget(), key, modifiers);
        };
        QCOMPARE(focusName(), QStringLiteral("mappen"));
        QStringList stops;
        for (int i = 0; i < 6; ++i) {
            press(Qt::Key_Tab);
            stops << focusName();
        }
        QCOMPARE(stops, (QStringList{"drives", "bestanden", "inlezen", "sluitvenster", "help", "mappen"}));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(screen->aantalGeselecteerd()->text(), QStringLiteral("5"));
        press(Qt::Key_Tab);
        press(Qt::Key_Return);
        QCOMPARE(screen->voortgang()->value(), 1300);
        QCOMPARE(data().journaaltabel.recordCount(), 3);
        press(Qt::Key_Escape);
        QVERIFY(!screen->isVisible());
        QVERIFY(menu().isVisible());
    }

    void theRememberedFolderIsSharedWithTheBackupScreen()
    {
        const QString other = stick() + QStringLiteral("/maart");
        QVERIFY(QDir().mkpath(other));
        backupTo(other);
        backupTo(stick());
        auto *screen = open<restore>("Restore");
        QCOMPARE(screen->mapkeuze()->folder(), stick());
        QVERIFY(screen->mapkeuze()->setFolder(other));
        screen->mapkeuze()->files()->item(0)->setSelected(true); // only the journal
        screen->inlezenButton()->click();
        QCOMPARE(screen->voortgang()->value(), 1300);
        screen->button(QStringLiteral("Sluit venster"))->click();
        auto *backup = open<backuppen>("Backup");
        QCOMPARE(backup->mapkeuze()->folder(), other);
    }
};

QTEST_MAIN(TestRestore)
#include "test_restore.moc"
