// "Backup (veiligstellen) bestanden" as the treasurer sees it: the texts and groups, the
// table sizes and their total, the progress that ends at 1300 (five tables) or 1299
// (three), the busy pointer while copying, the protected folders in red, "Nieuwe map",
// and the remembered folder and tick boxes on the next opening.
#include "backup/backuppen.h"
#include "backup/mapkeuze.h"
#include "core/main.h"
#include "databases.h"
#include "screendriver.h"
#include "settingsfiles.h"
#include "startedprogram.h"
#include "store/tableschema.h"
#include "toolkit/hoverbutton.h"
#include "veiligstellen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>

using namespace zelk;

class TestBackuppen : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    backuppen *screen = nullptr;

    DataModule1 &data() { return app->data(); }
    QString folder(const QString &name)
    {
        const QString path = app->home.path() + QStringLiteral("/stick/") + name;
        QDir().mkpath(path);
        return path;
    }
    void choose(const QString &path) { QVERIFY(screen->mapkeuze()->setFolder(path)); }
    void reopen()
    {
        screen->button(QStringLiteral("Sluit venster"))->click();
        screen = qobject_cast<backuppen *>(test::openFromMenu(app->program, QStringLiteral("Backup")));
        QVERIFY(screen);
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = qobject_cast<backuppen *>(test::openFromMenu(app->program, QStringLiteral("Backup")));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void showsItsTextsSizesAndFreeSpace()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral("Backup (veiligstellen) bestanden"));
        QVERIFY(!app->program.mainMenu()->isVisible());
        QCOMPARE(screen->focusWidget(), static_cast<QWidget *>(screen->mapkeuze()->tree())); // it opens on the folder
        QStringList texts;
        for (const QLabel *label : screen->findChildren<QLabel *>())
            texts << label->text();
        for (const char *text : {"Kies de juiste drive en map !", "Backuppen (inclusief index-files)", "Bytes",
                                 "Totaal van de gekozen tabellen in bytes :", "Bestemming ", "Klik de juiste map aan", "waar de nieuwe map",
                                 "moet komen", "Vul de nieuwe mapnaam in"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
        QStringList groups;
        for (const QGroupBox *group : screen->findChildren<QGroupBox *>())
            groups << group->title();
        QCOMPARE(groups, (QStringList{"Tabellen", "Voortgangsindicator", " Nieuwe map "}));
        QStringList boxes;
        for (int i = 0; i < 5; ++i) {
            boxes << screen->vakje(i)->text();
            QVERIFY(screen->vakje(i)->isChecked());
        }
        QCOMPARE(boxes, (QStringList{"Leden", "Rekeningen", "Journaal", "Nog te betalen", "Nog te ontvangen"}));
        QVERIFY(screen->button(QStringLiteral("Start   ")));
        QVERIFY(screen->button(QStringLiteral("Nieuwe map")));
        QCOMPARE(screen->voortgang()->minimum(), 0);
        QCOMPARE(screen->voortgang()->maximum(), 1300);
        const auto *types = screen->findChild<QComboBox *>(QStringLiteral("bestandstype"));
        QCOMPARE(types->count(), 1);
        QCOMPARE(types->itemText(0), QStringLiteral("Databasefiles (*.db)"));

        // The sizes of the five tables, plain, and the total of the ticked ones.
        qint64 total = 0;
        for (int i = 0; i < 5; ++i) {
            const qint64 size = veiligstellen::grootte(data().werkmap(), *veiligstellen::onderdelen()[i].tabel);
            QVERIFY(size > 0);
            QCOMPARE(screen->bytesLabel(i)->text(), QString::number(size));
            total += size;
        }
        QCOMPARE(screen->totaalLabel()->text(), QString::number(total));
        QTest::mouseClick(screen->vakje(2), Qt::LeftButton, {}, QPoint(5, screen->vakje(2)->height() / 2));
        QVERIFY(!screen->vakje(2)->isChecked());
        QCOMPARE(screen->totaalLabel()->text(), QString::number(total - screen->bytesLabel(2)->text().toLongLong()));

        // It opens in the root of the administration's drive, with its free space.
        QCOMPARE(screen->mapkeuze()->folder(), Mapkeuze::driveRoot(data().werkmap()));
        QCOMPARE(screen->bestemmingLabel()->text(), QDir::toNativeSeparators(screen->mapkeuze()->folder()));
        QVERIFY(screen->mapkeuze()->drives()->count() >= 1);
        const QRegularExpression free(QStringLiteral("^ Vrije ruimte  \\d{1,3}(,\\d{3})* bytes$"));
        QVERIFY2(free.match(screen->vrijeRuimteLabel()->text()).hasMatch(), qPrintable(screen->vrijeRuimteLabel()->text()));

        QString heading;
        app->program.context().openHelp = [&](QWidget *, const QString &h) { heading = h; };
        screen->findChild<QPushButton *>(QStringLiteral("help"))->click();
        QCOMPARE(heading, QStringLiteral("15. BACKUP"));
        test::saveScreenshot(screen, QStringLiteral("backuppen"));
    }

    void progressEndsAt1300WithFiveTablesAnd1299WithThree()
    {
        const QString target = folder(QStringLiteral("vijf"));
        choose(target);
        QCOMPARE(screen->bestemmingLabel()->text(), QDir::toNativeSeparators(target));
        QList<int> steps;
        QList<Qt::CursorShape> pointers;
        connect(screen, &backuppen::tabelGekopieerd, this, [&] {
            steps << screen->voortgang()->value();
            pointers << (QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor);
        });
        screen->button(QStringLiteral("Start   "))->click();
        QCOMPARE(steps, (QList<int>{260, 520, 780, 1040, 1300}));
        QCOMPARE(pointers, QList<Qt::CursorShape>(5, Qt::WaitCursor));
        QVERIFY(!QGuiApplication::overrideCursor()); // back to normal afterwards
        QCOMPARE(test::listed(screen->mapkeuze()->files()),
                 (QStringList{"journaal.db", "leden.DB", "rekeningen.db", "tebetalen.db", "teontvangen.db"}));
        QVERIFY(test::errorBoxes().isEmpty());

        const QString three = folder(QStringLiteral("drie"));
        choose(three);
        screen->vakje(1)->setChecked(false);
        screen->vakje(3)->setChecked(false);
        steps.clear();
        screen->button(QStringLiteral("Start   "))->click();
        QCOMPARE(steps, (QList<int>{433, 866, 1299}));
        QCOMPARE(screen->voortgang()->value(), 1299);
        QCOMPARE(test::listed(screen->mapkeuze()->files()), (QStringList{"journaal.db", "leden.DB", "teontvangen.db"}));

        // Nothing ticked: nothing copied, but the folder is remembered.
        const QString none = folder(QStringLiteral("niets"));
        choose(none);
        for (int i = 0; i < 5; ++i)
            screen->vakje(i)->setChecked(false);
        screen->button(QStringLiteral("Start   "))->click();
        QCOMPARE(screen->voortgang()->value(), 0);
        QCOMPARE(QDir(none).entryList(QDir::Files), QStringList());
        QCOMPARE(settingsfiles::readKonfigur(data().werkmap()).backupMap(), none);
    }

    void administrationFoldersAreRedAndCannotBeChosen()
    {
        const QString zelk03 = app->home.administration(3);
        QVERIFY(QDir().mkpath(zelk03));
        choose(zelk03);
        QVERIFY(screen->mapkeuze()->isProtected());
        QVERIFY(screen->mapkeuze()->tree()->styleSheet().contains(QStringLiteral("background-color: #ff3030")));
        QVERIFY(!screen->button(QStringLiteral("Start   "))->isEnabled());
        QVERIFY(!screen->button(QStringLiteral("Nieuwe map"))->isEnabled());
        choose(data().werkmap());
        QVERIFY(!screen->button(QStringLiteral("Start   "))->isEnabled());
        // A subfolder of one is allowed.
        QVERIFY(QDir().mkpath(zelk03 + QStringLiteral("/backup")));
        choose(zelk03 + QStringLiteral("/backup"));
        QVERIFY(!screen->mapkeuze()->isProtected());
        QCOMPARE(screen->mapkeuze()->tree()->styleSheet(), QString());
        QVERIFY(screen->button(QStringLiteral("Start   "))->isEnabled());
        QVERIFY(screen->button(QStringLiteral("Nieuwe map"))->isEnabled());
    }

    void aNewFolderIsMadeInTheChosenOne()
    {
        const QString stick = folder(QStringLiteral("nieuw"));
        choose(stick);
        screen->button(QStringLiteral("Nieuwe map"))->click(); // an empty name does nothing
        QVERIFY(test::errorBoxes().isEmpty());
        QTest::keyClicks(screen->mapnaam(), QStringLiteral("December 2026"));
        screen->button(QStringLiteral("Nieuwe map"))->click();
        QVERIFY(QFileInfo(stick + QStringLiteral("/December 2026")).isDir());
        QCOMPARE(screen->mapnaam()->text(), QString());
        QCOMPARE(screen->mapkeuze()->folder(), stick); // not entered
        // Again: it exists, and the message says so.
        QTest::keyClicks(screen->mapnaam(), QStringLiteral("December 2026"));
        screen->button(QStringLiteral("Nieuwe map"))->click();
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        QCOMPARE(test::errorBoxes().first()->text(),
                 QStringLiteral("De map %1 bestaat al.").arg(QDir::toNativeSeparators(stick + QStringLiteral("/December 2026"))));
        test::errorBoxes().first()->close();
    }

    void worksByKeyboard()
    {
        const QString target = folder(QStringLiteral("toetsenbord"));
        choose(target);
        const auto focusName = [&] {
            const QWidget *w = screen->focusWidget();
            return w ? (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName()) : QStringLiteral("(geen focus)");
        };
        const auto press = [&](Qt::Key key) { QTest::keyClick(screen->focusWidget(), key); };
        QCOMPARE(focusName(), QStringLiteral("mappen"));
        QStringList stops;
        for (int i = 0; i < 12; ++i) {
            press(Qt::Key_Tab);
            stops << focusName();
        }
        QCOMPARE(stops,
                 (QStringList{"drives", "vakjeleden", "vakjerekeningen", "vakjejournaal", "vakjetebetalen", "vakjeteontvangen", "start",
                              "mapnaam", "nieuwemap", "sluitvenster", "help", "mappen"}));
        for (int i = 0; i < 4; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("vakjejournaal"));
        press(Qt::Key_Space);
        QVERIFY(!screen->vakje(2)->isChecked());
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("start"));
        press(Qt::Key_Return);
        QCOMPARE(screen->voortgang()->value(), 1300);
        QCOMPARE(QDir(target).entryList(QDir::Files),
                 (QStringList{"leden.DB", "rekeningen.db", "tebetalen.db", "teontvangen.db", "zelk-backup.txt"}));
        // A new folder by name and Return.
        press(Qt::Key_Tab);
        QTest::keyClicks(screen->mapnaam(), QStringLiteral("tweede"));
        press(Qt::Key_Return);
        QVERIFY(QFileInfo(target + QStringLiteral("/tweede")).isDir());
        QCOMPARE(QDir(target).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"tweede"});
        QVERIFY(test::errorBoxes().isEmpty());
    }

    void theFolderAndTickBoxesAreThereOnTheNextOpening()
    {
        const QString target = folder(QStringLiteral("vorige"));
        choose(target);
        screen->vakje(0)->setChecked(false);
        screen->button(QStringLiteral("Start   "))->click();
        QCOMPARE(settingsfiles::readKonfigur(data().werkmap()).backupMap(), target);
        choose(folder(QStringLiteral("ergens")));
        reopen();
        QCOMPARE(screen->mapkeuze()->folder(), target); // the remembered folder wins over the last used
        QCOMPARE(screen->bestemmingLabel()->text(), QDir::toNativeSeparators(target));
        QVERIFY(!screen->vakje(0)->isChecked());
        QVERIFY(screen->vakje(1)->isChecked());
        // A remembered folder that is gone: the root of the administration's drive.
        QVERIFY(QDir(target).removeRecursively());
        reopen();
        QCOMPARE(screen->mapkeuze()->folder(), Mapkeuze::driveRoot(data().werkmap()));
    }
};

QTEST_MAIN(TestBackuppen)
#include "test_backuppen.moc"
