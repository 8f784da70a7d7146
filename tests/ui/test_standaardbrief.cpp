// The letter editor and its file dialogs on a real administration folder: the letterhead
// strip with the logos as the settings place them and the twelve codes, the menus, Tab
// typing a tab; "Opslaan" of an unchanged letter doing nothing; "Font" and "Kleur" only on
// a selection; the dialogs starting in the administration folder, saving a name without a
// dot with ".rtf" and one with a dot as typed, opening exactly the name typed (staying open
// on a name that is not there), proposing the current document file name, cancelling with
// "Afbreken" and Escape, staying open when saving fails; and a letter with bold, a colour
// and two fonts saved and opened again with its formatting.
#include "core/main.h"
#include "databases.h"
#include "letters/stanbrief.h"
#include "letters/standaardbrief.h"
#include "rtf/rtf.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "toolkit/documentdialog.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

using namespace zelk;

namespace {
QTextCharFormat formatAt(QTextDocument &doc, int position)
{
    QTextCursor cursor(&doc);
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

void select(QTextEdit *edit, int from, int to)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

QPushButton *buttonWithText(QFileDialog *dialog, const QString &text)
{
    for (QPushButton *b : dialog->findChild<QDialogButtonBox *>()->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}
} // namespace

class TestStandaardbrief : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    standaardbrief *e = nullptr;

    DataModule1 &data() { return app->data(); }
    QString inWerkmap(const QString &name) { return data().werkmap() + u'/' + name; }

    void openEditor()
    {
        auto *screen = qobject_cast<stanbrief *>(test::openFromMenu(app->program, QStringLiteral("Mailing")));
        QVERIFY(screen);
        screen->button(QStringLiteral("Bewerken brief"))->click();
        e = app->program.context().screenAs<standaardbrief>(QStringLiteral("standaardbrief"));
        QVERIFY(e && e->isVisible());
    }
    // Types `name` in the dialog's name box and presses OK.
    static void confirm(DocumentFileDialog *dialog, const QString &name)
    {
        dialog->setTypedName(name);
        QPushButton *ok = buttonWithText(dialog, QStringLiteral("OK"));
        QVERIFY(ok);
        if (ok->isEnabled())
            ok->click();
        else
            dialog->accept();
    }
    void save(const QString &name)
    {
        e->saveDialog()->start();
        confirm(e->saveDialog(), name);
    }
    void load(const QString &name)
    {
        e->openDialog()->start();
        confirm(e->openDialog(), name);
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        openEditor();
    }
    void cleanup()
    {
        e = nullptr;
        app.reset();
    }

    void theEditor()
    {
        QStringList menus;
        for (QAction *a : e->menus()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"Files", "Opmaak", "    ", "Uitvoer"}));
        for (const auto &[menu, item] : {std::pair{"Files", "Opslaan"},
                                         {"Files", "inlezen"},
                                         {"Files", "Sluiten"},
                                         {"Opmaak", "Font"},
                                         {"Opmaak", "Kleur"},
                                         {"Uitvoer", "Afdrukken"},
                                         {"Uitvoer", "Voorbeeld"}})
            QVERIFY2(e->menuItem(QLatin1String(menu), QLatin1String(item)), item);
        QStringList labels;
        for (const QLabel *label : e->findChildren<QLabel *>())
            if (!label->text().isEmpty() && label->isVisibleTo(e))
                labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Invoegen gegevens uit de ledendatabase")));
        QVERIFY(labels.contains(QStringLiteral("mogelijke codes:")));
        QCOMPARE(e->findChild<QLabel *>(QStringLiteral("codes1"))->text() + QStringLiteral("  ")
                     + e->findChild<QLabel *>(QStringLiteral("codes2"))->text(),
                 QStringLiteral("<naam>  <straat>  <pcode>  <plaats>  <email>  <gebdat>  <opmerk1>  <opmerk2>  <opmerk3>  <soortlid>  "
                                "<contributie>  <bank>"));

        // Tab types a tab in the letter.
        QTest::keyClicks(e->editor(), QStringLiteral("Beste"));
        QTest::keyClick(e->editor(), Qt::Key_Tab);
        QTest::keyClicks(e->editor(), QStringLiteral("<naam>"));
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste\t<naam>"));
        QCOMPARE(e->focusWidget(), e->editor());
    }

    void theLogosFollowTheSettings()
    {
        auto *left = e->findChild<QLabel *>(QStringLiteral("logolinks"));
        auto *right = e->findChild<QLabel *>(QStringLiteral("logorechts"));
        // A new administration prints its logo at the left only.
        QVERIFY(left->isVisible() && !left->pixmap().isNull());
        QVERIFY(!right->isVisible());
        Settings &s = data().settings;
        const struct {
            bool print, links, rechts, left, right;
        } cases[] = {{true, false, true, false, true}, {true, true, true, true, true}, {false, true, true, false, false}};
        for (const auto &c : cases) {
            s.printLogo = c.print;
            s.logoLinks = c.links;
            s.logoRechts = c.rechts;
            e->hide();
            e->show();
            QCOMPARE(left->isVisible(), c.left);
            QCOMPARE(right->isVisible(), c.right);
        }
    }

    void savesOnlyAChangedLetter()
    {
        QAction *opslaan = e->menuItem(QStringLiteral("Files"), QStringLiteral("Opslaan"));
        opslaan->trigger();
        QVERIFY(!e->saveDialog()->isVisible());
        QTest::keyClicks(e->editor(), QStringLiteral("Beste <naam>"));
        opslaan->trigger();
        QVERIFY(e->saveDialog()->isVisible());
        QCOMPARE(e->saveDialog()->windowTitle(), QStringLiteral("Opslaan brief"));
        QCOMPARE(e->saveDialog()->typedName(), QString()); // nothing opened or saved yet
        confirm(e->saveDialog(), QStringLiteral("welkom"));
        QVERIFY(!e->saveDialog()->isVisible());
        QVERIFY(QFile::exists(inWerkmap(QStringLiteral("welkom.rtf"))));
        QVERIFY(!e->letter()->isModified());
        opslaan->trigger(); // saved: unchanged again
        QVERIFY(!e->saveDialog()->isVisible());
    }

    void fontAndColourOnlyOnASelection()
    {
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        const auto answer = [](const QFont &font, const QColor &colour) {
            QTimer::singleShot(0, [font, colour] {
                QWidget *modal = QApplication::activeModalWidget();
                if (auto *f = qobject_cast<QFontDialog *>(modal)) {
                    f->setCurrentFont(font);
                    f->accept();
                } else if (auto *c = qobject_cast<QColorDialog *>(modal)) {
                    c->setCurrentColor(colour);
                    c->accept();
                }
            });
        };
        QFont serif(QStringLiteral("DejaVu Serif"));
        serif.setPointSize(20);
        serif.setBold(true);
        QTextDocument &doc = *e->letter();
        const QTextCharFormat before = formatAt(doc, 0);

        // Nothing selected: the choices are dropped.
        answer(serif, Qt::red);
        e->menuItem(QStringLiteral("Opmaak"), QStringLiteral("Font"))->trigger();
        answer(serif, Qt::red);
        e->menuItem(QStringLiteral("Opmaak"), QStringLiteral("Kleur"))->trigger();
        for (int at = 0; at < 12; ++at)
            QVERIFY(formatAt(doc, at) == before);

        select(e->editor(), 6, 12);
        answer(serif, Qt::red);
        e->menuItem(QStringLiteral("Opmaak"), QStringLiteral("Font"))->trigger();
        answer(serif, Qt::red);
        e->menuItem(QStringLiteral("Opmaak"), QStringLiteral("Kleur"))->trigger();
        QCOMPARE(e->focusWidget(), e->editor());
        QVERIFY(formatAt(doc, 0) == before);
        QCOMPARE(formatAt(doc, 6).fontFamilies().toStringList().value(0), QStringLiteral("DejaVu Serif"));
        QCOMPARE(formatAt(doc, 11).fontPointSize(), 20.0);
        QCOMPARE(formatAt(doc, 11).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(doc, 11).foreground().color(), QColor(Qt::red));
    }

    void theDialogs()
    {
        DocumentFileDialog *open = e->openDialog();
        e->menuItem(QStringLiteral("Files"), QStringLiteral("inlezen"))->trigger();
        QVERIFY(open->isVisible());
        QVERIFY(!open->isModal());
        QCOMPARE(open->windowTitle(), QStringLiteral("Inlezen brief"));
        QCOMPARE(QFileInfo(open->directory().absolutePath()).canonicalFilePath(), QFileInfo(data().werkmap()).canonicalFilePath());
        QCOMPARE(open->typedName(), QStringLiteral("Standaard01"));
        QCOMPARE(open->nameFilters(), QStringList{"Standaard brieven (*.rtf)"});
        QVERIFY(buttonWithText(open, QStringLiteral("OK")));
        QVERIFY(buttonWithText(open, QStringLiteral("Afbreken")));
        buttonWithText(open, QStringLiteral("Afbreken"))->click();
        QVERIFY(!open->isVisible());
        QCOMPARE(app->program.context().documentFileName, QString());
        open->start();
        QTest::keyClick(open, Qt::Key_Escape);
        QVERIFY(!open->isVisible());
        QCOMPARE(app->program.context().documentFileName, QString());

        // A dialog still open when the editor closes goes with it.
        open->start();
        e->menuItem(QStringLiteral("Files"), QStringLiteral("Sluiten"))->trigger();
        QVERIFY(!e->isVisible());
        QVERIFY(!open->isVisible());
    }

    void savingAddsRtfOnlyToANameWithoutADot()
    {
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        save(QStringLiteral("brief"));
        QVERIFY(QFile::exists(inWerkmap(QStringLiteral("brief.rtf"))));
        QVERIFY(!QFile::exists(inWerkmap(QStringLiteral("brief"))));
        QCOMPARE(e->saveDialog()->typedName(), QStringLiteral("brief.rtf"));
        QCOMPARE(app->program.context().documentFileName, inWerkmap(QStringLiteral("brief.rtf")));

        save(QStringLiteral("brief.txt"));
        QVERIFY(QFile::exists(inWerkmap(QStringLiteral("brief.txt"))));
        QVERIFY(!QFile::exists(inWerkmap(QStringLiteral("brief.txt.rtf"))));
        QFile written(inWerkmap(QStringLiteral("brief.txt")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(rtf::isRtf(written.readAll()));

        // An existing file is replaced without a question.
        e->editor()->setPlainText(QStringLiteral("Tweede versie"));
        save(QStringLiteral("brief.rtf"));
        QVERIFY(!e->saveDialog()->isVisible());
        QTextDocument back;
        rtf::readFile(inWerkmap(QStringLiteral("brief.rtf")), &back);
        QCOMPARE(back.toPlainText(), QStringLiteral("Tweede versie"));
    }

    void openingTakesTheNameAsTyped()
    {
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        save(QStringLiteral("brief"));
        e->editor()->setPlainText(QStringLiteral("Iets anders"));

        // Only "brief.rtf" exists: "brief" opens nothing and the dialog stays open, but it
        // is the name the save dialog proposes next.
        load(QStringLiteral("brief"));
        QVERIFY(e->openDialog()->isVisible());
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Iets anders"));
        QCOMPARE(app->program.context().documentFileName, inWerkmap(QStringLiteral("brief")));
        e->saveDialog()->start();
        QCOMPARE(e->saveDialog()->typedName(), QStringLiteral("brief"));
        e->saveDialog()->reject();

        confirm(e->openDialog(), QStringLiteral("brief.rtf"));
        QVERIFY(!e->openDialog()->isVisible());
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste <naam>"));
        QVERIFY(!e->letter()->isModified());
        e->saveDialog()->start();
        QCOMPARE(e->saveDialog()->typedName(), QStringLiteral("brief.rtf"));
        QCOMPARE(QFileInfo(e->saveDialog()->directory().absolutePath()).canonicalFilePath(),
                 QFileInfo(data().werkmap()).canonicalFilePath());
        e->saveDialog()->reject();

        // Another file loads as plain text.
        QFile plain(inWerkmap(QStringLiteral("notitie.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("{geen rtf} <naam>\n");
        plain.close();
        load(QStringLiteral("notitie.txt"));
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("{geen rtf} <naam>\n"));
    }

    void aFailedSaveKeepsTheDialogOpen()
    {
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        save(QStringLiteral("bestaatniet/brief"));
        QVERIFY(e->saveDialog()->isVisible());
        QMessageBox *box = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"foutmelding" && w->isVisible())
                box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        QVERIFY2(box->text().contains(QStringLiteral("brief.rtf")), qPrintable(box->text()));
        box->close();
        QVERIFY(!QFile::exists(inWerkmap(QStringLiteral("bestaatniet/brief.rtf"))));
    }

    // A letter with bold, a colour and two fonts, saved and opened again, keeps them.
    void aFormattedLetterKeepsItsFormatting()
    {
        QTextDocument &doc = *e->letter();
        QTextCursor cursor(&doc);
        QTextCharFormat serif;
        serif.setFontFamilies({QStringLiteral("DejaVu Serif")});
        serif.setFontPointSize(14);
        QTextCharFormat boldSans;
        boldSans.setFontFamilies({QStringLiteral("DejaVu Sans")});
        boldSans.setFontPointSize(11);
        boldSans.setFontWeight(QFont::Bold);
        QTextCharFormat red = boldSans;
        red.setFontWeight(QFont::Normal);
        red.setForeground(QColor(200, 0, 0));
        cursor.insertText(QStringLiteral("Beste "), serif);
        cursor.insertText(QStringLiteral("<naam>"), boldSans);
        cursor.insertText(QStringLiteral(", betaal "), red);
        save(QStringLiteral("opgemaakt"));
        e->editor()->clear();
        load(QStringLiteral("opgemaakt.rtf"));
        QCOMPARE(doc.toPlainText(), QStringLiteral("Beste <naam>, betaal "));
        const QTextCharFormat first = formatAt(doc, 0), name = formatAt(doc, 7), rest = formatAt(doc, 14);
        QCOMPARE(first.fontFamilies().toStringList().value(0), QStringLiteral("DejaVu Serif"));
        QCOMPARE(first.fontPointSize(), 14.0);
        QCOMPARE(first.fontWeight(), int(QFont::Normal));
        QCOMPARE(name.fontFamilies().toStringList().value(0), QStringLiteral("DejaVu Sans"));
        QCOMPARE(name.fontWeight(), int(QFont::Bold));
        QCOMPARE(rest.foreground().color(), QColor(200, 0, 0));
        QCOMPARE(rest.fontWeight(), int(QFont::Normal));
        QCOMPARE(first.foreground().color(), QColor(Qt::black));
    }

    // F10 opens the menus from the keyboard, as in the e-mail editor; Escape closes them and
    // leaves the editor open.
    void theMenusFromTheKeyboard()
    {
        QAction *files = test::openMenusWithF10(e, e->editor(), e->menus());
        QVERIFY(files);
        QCOMPARE(files->text(), QStringLiteral("Files"));
        QVERIFY(files->menu()->isVisible());
        QTest::keyClick(files->menu(), Qt::Key_Right);
        QCOMPARE(e->menus()->activeAction()->text(), QStringLiteral("Opmaak"));
        QTest::keyClick(e->menus()->activeAction()->menu(), Qt::Key_Escape);
        QTest::keyClick(e->menus(), Qt::Key_Escape);
        QVERIFY(e->isVisible());
    }
};

QTEST_MAIN(TestStandaardbrief)
#include "test_standaardbrief.moc"
