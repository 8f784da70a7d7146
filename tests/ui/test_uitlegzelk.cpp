// The help viewer as the treasurer uses it: Help buttons open it at their chapter with
// the heading on the top line, the topic menu, editing and saving, printing, font and
// colour of the selection.
#include "core/helponderwerpen.h"
#include "core/main.h"
#include "core/startup.h"
#include "core/uitlegzelk.h"
#include "helpfile.h"
#include "rtf/rtf.h"
#include "testhome.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFontDialog>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace zelk;

namespace {

// A manual long enough to scroll, with the headings the look-ups search for. The lower
// case mention in the introduction must not be taken for the chapter.
QString manualHtml()
{
    QString html = QStringLiteral("<p><b>Uitleg Zelk</b></p><p>Zie hoofdstuk 5. verwerken inkomsten voor de "
                                  "ontvangsten.</p><p>Doel van het programma</p>");
    const QStringList chapters
        = {"1. INVOEREN LEDEN",          "2. INVOEREN NAMEN",      "3. INVOER STARTBALANS",         "&nbsp;&nbsp;&nbsp;&nbsp;SCHONE LEI",
           "4. VERWERKEN CONTRIBUTIES",  "5. VERWERKEN INKOMSTEN", "6. VERWERKEN NOG TE ONTVANGEN", "7. VERWERKEN UITGAVEN",
           "8. VERWERKEN NOG TE BETALEN"};
    for (const QString &chapter : chapters) {
        html += QStringLiteral("<p><b><font size=+1>%1</font></b></p>").arg(chapter);
        for (int i = 1; i <= 12; ++i)
            html += QStringLiteral("<p>Uitleg bij dit scherm, regel %1: kies de rekening, vul het bedrag in "
                                   "en klik op Doorboeken.</p>")
                        .arg(i);
    }
    return html + QStringLiteral("<p>Einde van de uitleg.</p>");
}

void writeHelpFile(const QString &path, const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    rtf::writeFile(doc, path);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The paragraph shown on the editor's top line.
QString topLine(QTextEdit *editor)
{
    return editor->cursorForPosition(QPoint(8, 2)).block().text();
}

QMenu *menuOf(QMenuBar *bar, const QString &title)
{
    for (QAction *action : bar->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

QAction *actionOf(QMenu *menu, const QString &text)
{
    if (!menu)
        return nullptr;
    for (QAction *action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// Answers the modal dialog that the next step opens.
template <typename Dialog> void answerDialog(std::function<void(Dialog *)> fill)
{
    QTimer::singleShot(0, [fill] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            fill(dialog);
            dialog->accept();
        }
    });
}

} // namespace

class TestUitlegzelk : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestHome> home;
    std::unique_ptr<Program> program;
    uitlegzelk *viewer = nullptr;

    QAction *action(const QString &menu, const QString &item) { return actionOf(menuOf(viewer->menuBar(), menu), item); }
    QAction *topic(const QString &submenu, const QString &item)
    {
        QMenu *topics = menuOf(viewer->menuBar(), QStringLiteral("Zoek onderwerp"));
        if (submenu.isEmpty())
            return actionOf(topics, item);
        QAction *sub = actionOf(topics, submenu);
        return sub ? actionOf(sub->menu(), item) : nullptr;
    }
    // A task screen's "Help" button, as every screen wires it.
    void pressHelp(const QString &heading)
    {
        QPushButton help(QStringLiteral("Help"));
        connect(&help, &QPushButton::clicked, [&] { program->context().openHelp(&help, heading); });
        help.click();
    }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<test::TestHome>();
        program = std::make_unique<Program>(false);
        viewer = program->context().screenAs<uitlegzelk>(QStringLiteral("uitlegzelk"));
        QVERIFY(viewer);
        viewer->setHelpFile(home->path() + QStringLiteral("/zelkuitleg.rtf"));
    }
    void cleanup()
    {
        program.reset();
        home.reset();
    }

    void firstUseCreatesAnEmptyHelpFile()
    {
        QVERIFY(!QFile::exists(viewer->helpFile()));
        program->mainMenu()->button(QStringLiteral("Help"))->click();
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Uitleg ZELK"));
        QVERIFY(QFile::exists(viewer->helpFile()));
        QVERIFY(viewer->editor()->document()->isEmpty());
        QTextDocument saved;
        rtf::readFile(viewer->helpFile(), &saved);
        QVERIFY(saved.isEmpty());
    }

    // The shipped manual: every heading a Help button or topic item looks up lands on
    // the top line (unless it is too near the end of the text to scroll that far).
    void shippedManualHeadingsLandOnTheTopLine()
    {
        QVERIFY(helpfile::seed(viewer->helpFile()));
        pressHelp(QStringLiteral("5. VERWERKEN INKOMSTEN"));
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->topicHeading(), u"5. VERWERKEN INKOMSTEN"_qs);
        QVERIFY(topLine(viewer->editor()).startsWith(u"5. VERWERKEN INKOMSTEN"_qs));
        QCOMPARE(viewer->editor()->textCursor().positionInBlock(), 0);
        test::saveScreenshot(viewer, QStringLiteral("uitlegzelk"));
        for (const HelpOnderwerp &t : helpOnderwerpen()) {
            topic(t.submenu, t.item)->trigger();
            QTextEdit *editor = viewer->editor();
            QVERIFY2(editor->textCursor().block().text().replace(QChar::Nbsp, u' ').startsWith(t.heading), qPrintable(t.heading));
            const bool atEnd = editor->verticalScrollBar()->value() == editor->verticalScrollBar()->maximum();
            QVERIFY2(atEnd || topLine(editor) == editor->textCursor().block().text(), qPrintable(t.heading));
        }
    }

    void mainMenuOpensAtTheStart()
    {
        writeHelpFile(viewer->helpFile(), manualHtml());
        program->mainMenu()->button(QStringLiteral("Help"))->click();
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->topicHeading().isEmpty());
        QCOMPARE(viewer->editor()->verticalScrollBar()->value(), 0);
        QCOMPARE(topLine(viewer->editor()), u"Uitleg Zelk"_qs);

        // The help picture beside the button does the same.
        viewer->close();
        auto *picture = program->mainMenu()->findChild<QToolButton *>(QStringLiteral("helpplaatje"));
        QVERIFY(picture);
        picture->click();
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->editor()->verticalScrollBar()->value(), 0);
    }

    void lowerCaseHeadingIsNotFound()
    {
        writeHelpFile(viewer->helpFile(),
                      QStringLiteral("<p>Begin</p><p>5. verwerken inkomsten</p>") + QStringLiteral("<p>Regel</p>").repeated(80));
        pressHelp(QStringLiteral("5. VERWERKEN INKOMSTEN"));
        QScrollBar *scroll = viewer->editor()->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        QCOMPARE(scroll->value(), scroll->maximum()); // the view stays at the end
        QVERIFY(topLine(viewer->editor()) != u"5. verwerken inkomsten"_qs);
    }

    void editSaveReopenShowsTheEdit()
    {
        writeHelpFile(viewer->helpFile(), manualHtml());
        pressHelp(QStringLiteral("1. INVOEREN LEDEN"));
        QTest::keyClicks(viewer->editor(), QStringLiteral("Eigen afspraak: "));
        action(QStringLiteral("Files"), QStringLiteral("Opslaan"))->trigger();
        action(QStringLiteral("Files"), QStringLiteral("Sluiten"))->trigger();
        QVERIFY(!viewer->isVisible());
        pressHelp(QStringLiteral("1. INVOEREN LEDEN"));
        QCOMPARE(topLine(viewer->editor()), u"Eigen afspraak: 1. INVOEREN LEDEN"_qs);
    }

    void editWithoutSavingIsDroppedOnReopen()
    {
        writeHelpFile(viewer->helpFile(), manualHtml());
        pressHelp(QStringLiteral("1. INVOEREN LEDEN"));
        QTest::keyClicks(viewer->editor(), QStringLiteral("Niet bewaard "));
        QVERIFY(viewer->editor()->toPlainText().contains(u"Niet bewaard"_qs));
        viewer->close();
        pressHelp(QStringLiteral("1. INVOEREN LEDEN"));
        QVERIFY(!viewer->editor()->toPlainText().contains(u"Niet bewaard"_qs));
        QCOMPARE(topLine(viewer->editor()), u"1. INVOEREN LEDEN"_qs);
    }

    void opslaanOnlyWhenChanged()
    {
        QFile::copy(QDir(qEnvironmentVariable("ZELK_TESTDATA")).filePath("rtf/pandoc-verslag.rtf"), viewer->helpFile());
        const QByteArray original = contents(viewer->helpFile());
        pressHelp(QString());
        action(QStringLiteral("Files"), QStringLiteral("Opslaan"))->trigger();
        QCOMPARE(contents(viewer->helpFile()), original);
        QTest::keyClicks(viewer->editor(), QStringLiteral("x"));
        action(QStringLiteral("Files"), QStringLiteral("Opslaan"))->trigger();
        QVERIFY(contents(viewer->helpFile()) != original);
        QVERIFY(contents(viewer->helpFile()).startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(!viewer->editor()->document()->isModified());
    }

    // With the viewer already visible, a Help button reloads the text and brings it to
    // the front, but does not search again.
    void alreadyVisibleReloadsWithoutNewSearch()
    {
        writeHelpFile(viewer->helpFile(), manualHtml());
        pressHelp(QStringLiteral("1. INVOEREN LEDEN"));
        QTest::keyClicks(viewer->editor(), QStringLiteral("Niet bewaard "));
        pressHelp(QStringLiteral("5. VERWERKEN INKOMSTEN"));
        QCOMPARE(viewer->topicHeading(), u"5. VERWERKEN INKOMSTEN"_qs);
        QVERIFY(!viewer->editor()->toPlainText().contains(u"Niet bewaard"_qs));
        QVERIFY(topLine(viewer->editor()) != u"5. VERWERKEN INKOMSTEN"_qs);
    }

    void closingEmptiesTheTopicHeadingAndKeepsTheText()
    {
        writeHelpFile(viewer->helpFile(), manualHtml());
        pressHelp(QStringLiteral("5. VERWERKEN INKOMSTEN"));
        QTest::keyClicks(viewer->editor(), QStringLiteral("Blijft "));
        viewer->close();
        QVERIFY(viewer->topicHeading().isEmpty());
        QVERIFY(viewer->editor()->toPlainText().contains(u"Blijft 5. VERWERKEN"_qs));
    }

    void menusHaveTheirItems()
    {
        QCOMPARE(viewer->menuBar()->actions().size(), 3);
        for (const char *item : {"Opslaan", "Afdrukken", "Sluiten"})
            QVERIFY2(action(QStringLiteral("Files"), QString::fromLatin1(item)), item);
        for (const char *item : {"Font", "Kleur"})
            QVERIFY2(action(QStringLiteral("Opmaak"), QString::fromLatin1(item)), item);
        QCOMPARE(helpOnderwerpen().size(), 33);
        for (const HelpOnderwerp &t : helpOnderwerpen())
            QVERIFY2(topic(t.submenu, t.item), qPrintable(t.submenu + u'/' + t.item));
    }

    // A topic item searches the text now in the editor, without reloading it.
    void topicItemLooksUpWithoutReload()
    {
        writeHelpFile(viewer->helpFile(), manualHtml());
        pressHelp(QString());
        QTest::keyClicks(viewer->editor(), QStringLiteral("Onbewaard "));
        topic(QStringLiteral("Verwerken"), QStringLiteral("Inkomsten"))->trigger();
        QCOMPARE(viewer->topicHeading(), u"5. VERWERKEN INKOMSTEN"_qs);
        QCOMPARE(topLine(viewer->editor()), u"5. VERWERKEN INKOMSTEN"_qs);
        QVERIFY(viewer->editor()->toPlainText().startsWith(u"Onbewaard "_qs));
        topic(QStringLiteral("Opzetten administratie"), QStringLiteral("Schone lei"))->trigger();
        QCOMPARE(topLine(viewer->editor()), u"\u00A0\u00A0\u00A0\u00A0SCHONE LEI"_qs);
    }

    void fontAndColourChangeTheSelectionOnly()
    {
        writeHelpFile(viewer->helpFile(), QStringLiteral("<p>Eerste woord en de rest</p>"));
        pressHelp(QString());
        QTextEdit *editor = viewer->editor();
        QTextCursor select(editor->document());
        select.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
        editor->setTextCursor(select);

        answerDialog<QFontDialog>([](QFontDialog *d) { d->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 20)); });
        action(QStringLiteral("Opmaak"), QStringLiteral("Font"))->trigger();
        answerDialog<QColorDialog>([](QColorDialog *d) { d->setCurrentColor(QColor(0, 0, 200)); });
        action(QStringLiteral("Opmaak"), QStringLiteral("Kleur"))->trigger();

        QTextCursor first(editor->document());
        first.setPosition(2);
        QCOMPARE(first.charFormat().font().family(), u"DejaVu Serif"_qs);
        QCOMPARE(first.charFormat().fontPointSize(), 20.0);
        QCOMPARE(first.charFormat().foreground().color(), QColor(0, 0, 200));
        QTextCursor rest(editor->document());
        rest.setPosition(10);
        QVERIFY(rest.charFormat().fontPointSize() != 20.0);
        QVERIFY(rest.charFormat().foreground().color() != QColor(0, 0, 200));

        // Without a selection the choice is dropped.
        QTextCursor none(editor->document());
        none.setPosition(12);
        editor->setTextCursor(none);
        answerDialog<QColorDialog>([](QColorDialog *d) { d->setCurrentColor(QColor(200, 0, 0)); });
        action(QStringLiteral("Opmaak"), QStringLiteral("Kleur"))->trigger();
        QTest::keyClicks(editor, QStringLiteral("Z"));
        QVERIFY(editor->document()->find(QStringLiteral("Z")).charFormat().foreground().color() != QColor(200, 0, 0));
        QVERIFY(editor->hasFocus() || !QApplication::focusWidget()); // the focus returns to the text
    }

    void printsTheWholeDocumentUnderTheHelpFileName()
    {
        writeHelpFile(viewer->helpFile(), manualHtml());
        pressHelp(QString());
        const QString pdf = home->path() + QStringLiteral("/uitleg.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        viewer->printTo(printer);
        QCOMPARE(printer.docName(), viewer->helpFile());
        const QByteArray bytes = contents(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") + bytes.count("/Type/Page") >= 1);
    }
};

QTEST_MAIN(TestUitlegzelk)
#include "test_uitlegzelk.moc"
