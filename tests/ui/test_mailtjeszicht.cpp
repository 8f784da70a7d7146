// The log of sent e-mail as the treasurer looks through it, opened from the mailing screen:
// entries placed in front by the sending run show newest first with their date, time and
// own text; the text area follows the selection; the filter narrows on address, name, date
// and subject and is empty again after closing; an empty log shows nothing; deleting asks
// first (button and Delete key) and removes the entry from the file; "Ververs data" shows
// what another program wrote meanwhile; long and non-ASCII texts come through whole.
#include "core/main.h"
#include "databases.h"
#include "letters/mailtjeszicht.h"
#include "letters/stanbrief.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/recordnavigator.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace zelk;
using namespace veld::mailtjes;

namespace {
struct Entry {
    QString naam;
    QDate datum;
    QTime tijd;
    QString adres;
    QString onderwerp;
    QString mail; // lines joined with CR LF, as the sending run stores them
};
} // namespace

class TestMailtjeszicht : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    DataModule1 &data() { return app->data(); }
    Table &log() { return data().mailtjestabel; }

    // As the sending run logs a message: a new entry in front of the first one.
    void logEntry(const Entry &e)
    {
        Table &t = log();
        t.first();
        t.insert();
        t.setValue(Mnaam, e.naam);
        t.setValue(Datum, e.datum);
        t.setValue(Tijd, e.tijd);
        t.setValue(Madres, e.adres);
        t.setValue(Monderwerp, e.onderwerp);
        t.setValue(Mmail, e.mail);
        t.post();
    }
    stanbrief *mailing() { return qobject_cast<stanbrief *>(test::openFromMenu(app->program, QStringLiteral("Mailing"))); }
    mailtjeszicht *open()
    {
        stanbrief *hub = mailing();
        if (!hub)
            return nullptr;
        HoverButton *button = hub->button(QStringLiteral("Verzonden e-mail"));
        if (!button || !button->isEnabled())
            return nullptr;
        button->click();
        auto *screen = app->program.context().screenAs<mailtjeszicht>(QStringLiteral("mailtjeszicht"));
        if (screen)
            (void)QTest::qWaitForWindowActive(screen);
        return screen;
    }
    static void type(mailtjeszicht *screen, const char *box, const QString &text)
    {
        auto *edit = screen->findChild<QLineEdit *>(QLatin1String(box));
        QVERIFY2(edit, box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        test::typeText(edit, text);
    }
    static QString cell(mailtjeszicht *screen, int row, int column)
    {
        return screen->grid()->model()->index(row, column).data().toString();
    }
    static QStringList column(mailtjeszicht *screen, int column)
    {
        QStringList shown;
        for (int row = 0; row < screen->grid()->model()->rowCount(); ++row)
            shown << cell(screen, row, column);
        return shown;
    }
    static void clickRow(mailtjeszicht *screen, int row)
    {
        screen->grid()->scrollTo(screen->grid()->model()->index(row, 0));
        QTest::mouseClick(screen->grid()->viewport(), Qt::LeftButton, {}, screen->grid()->rowRect(row).center());
    }
    // The log as a program that opens the files afresh reads it: the names, first to last.
    QStringList namesInTheFile()
    {
        DataModule1 other;
        other.setAccess(DataModule1::Access::Read);
        other.openForUse();
        QStringList names;
        for (int row = 0; row < other.mailtjestabel.recordCount(); ++row)
            names << other.mailtjestabel.valueAt(row, Mnaam).toString();
        return names;
    }
    // A run of three members, logged one after the other on top of an older entry.
    void logARunOfThree()
    {
        logEntry({QStringLiteral("Oud, Lid"), QDate(2025, 12, 1), QTime(9, 0, 0), QStringLiteral("oud@voorbeeld.nl"),
                  QStringLiteral("Kerstborrel"), QStringLiteral("Beste Oud, Lid,\r\nTot de borrel.")});
        logEntry({QStringLiteral("Bakker, Els"), QDate(2026, 3, 2), QTime(14, 5, 1), QStringLiteral("els.bakker@voorbeeld.nl"),
                  QStringLiteral("Contributie 2026"), QStringLiteral("Beste Bakker, Els,\r\nUw contributie is 12,50.")});
        logEntry({QStringLiteral("Jansen, Piet"), QDate(2026, 3, 2), QTime(14, 5, 3), QStringLiteral("PIET@jansen.example"),
                  QStringLiteral("Contributie 2026"), QStringLiteral("Beste Jansen, Piet,\r\nUw contributie is 30,00.")});
        logEntry({QStringLiteral("Visser, Anna"), QDate(2026, 3, 2), QTime(14, 5, 4), QStringLiteral("anna@visser.example"),
                  QStringLiteral("Contributie 2026"), QStringLiteral("Beste Visser, Anna,\r\nUw contributie is 25,00.")});
    }

private Q_SLOTS:
    void init() { app = std::make_unique<test::StartedProgram>(); }
    void cleanup() { app.reset(); }

    void theScreenShowsTheNewestEntriesOnTopWithTheirOwnText()
    {
        logARunOfThree();
        mailtjeszicht *screen = open();
        QVERIFY(screen);
        auto *hub = app->program.context().screenAs<stanbrief>(QStringLiteral("stanbrief"));
        QVERIFY(!hub->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Overzicht verzonden mailtjes"));
        QCOMPARE(screen->helpHeading(), QStringLiteral("18. MAILING"));
        QVERIFY(screen->button(QStringLiteral("Help")));
        // A fixed size, with minimise and close.
        QCOMPARE(screen->minimumSize(), screen->maximumSize());
        QVERIFY(screen->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(screen->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!screen->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        auto *heading = screen->findChild<QLabel *>(QStringLiteral("filtertitel"));
        QVERIFY(heading);
        QCOMPARE(heading->text(), QStringLiteral("  Filteren \n  E-Mails"));
        for (const char *label : {"Datum", "Naam", "Mailadres", "Onderwerp"})
            QVERIFY2(screen->filterPanel()->fromBox(QString::fromLatin1(label)), label);

        BoundGrid *grid = screen->grid();
        QStringList headings;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            headings << grid->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Datum", "Tijd", "Naam", "Mailadres", "Onderwerp"}));
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(column(screen, 2), (QStringList{"Visser, Anna", "Jansen, Piet", "Bakker, Els", "Oud, Lid"}));
        QCOMPARE(cell(screen, 0, 0), QStringLiteral("02-03-2026"));
        QCOMPARE(cell(screen, 0, 1), QStringLiteral("14:05:04"));
        QCOMPARE(cell(screen, 1, 3), QStringLiteral("PIET@jansen.example"));
        QCOMPARE(cell(screen, 3, 4), QStringLiteral("Kerstborrel"));

        // The newest is selected and its text shown; the text follows the selection.
        QPlainTextEdit *text = screen->mailtekst();
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(log().currentRow(), 0);
        QCOMPARE(text->toPlainText(), QStringLiteral("Beste Visser, Anna,\nUw contributie is 25,00."));
        clickRow(screen, 2);
        QCOMPARE(text->toPlainText(), QStringLiteral("Beste Bakker, Els,\nUw contributie is 12,50."));
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(text->toPlainText(), QStringLiteral("Beste Jansen, Piet,\nUw contributie is 30,00."));

        // The navigator: its six buttons with their hints, moving the selection and the text.
        RecordNavigator *nav = screen->navigator();
        using Action = RecordNavigator::Action;
        const QList<std::pair<Action, QString>> hints
            = {{Action::First, "Eerste record"}, {Action::Prior, "Vorig record"},   {Action::Next, "Volgend record"},
               {Action::Last, "Laatste record"}, {Action::Delete, "Wissen record"}, {Action::Refresh, "Ververs data"}};
        for (const auto &[action, hint] : hints) {
            QVERIFY2(nav->button(action), qPrintable(hint));
            QCOMPARE(nav->button(action)->toolTip(), hint);
        }
        QVERIFY(!nav->button(Action::Insert));
        nav->button(Action::Last)->click();
        QCOMPARE(text->toPlainText(), QStringLiteral("Beste Oud, Lid,\nTot de borrel."));
        QVERIFY(!nav->button(Action::Next)->isEnabled());
        nav->button(Action::First)->click();
        QCOMPARE(log().currentRow(), 0);
        QCOMPARE(text->toPlainText(), QStringLiteral("Beste Visser, Anna,\nUw contributie is 25,00."));
        test::saveScreenshot(screen, QStringLiteral("mailtjeszicht"));

        // Closing shows the mailing screen again, not the main menu.
        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(!screen->isVisible());
        QVERIFY(hub->isVisible());
        QVERIFY(!app->program.mainMenu()->isVisible());
    }

    void theFilterNarrowsAndIsEmptyAfterClosing()
    {
        logARunOfThree();
        mailtjeszicht *screen = open();
        QVERIFY(screen);
        type(screen, "filtermailadres", QStringLiteral("example"));
        QCOMPARE(column(screen, 2), (QStringList{"Visser, Anna", "Jansen, Piet"}));
        type(screen, "filtermailadres", QStringLiteral("piet@JANSEN"));
        QCOMPARE(column(screen, 2), QStringList{"Jansen, Piet"});
        QCOMPARE(screen->mailtekst()->toPlainText(), QStringLiteral("Beste Jansen, Piet,\nUw contributie is 30,00."));
        type(screen, "filtermailadres", QString());
        type(screen, "filternaam", QStringLiteral("ANNA"));
        QCOMPARE(column(screen, 2), QStringList{"Visser, Anna"});
        type(screen, "filternaam", QString());
        type(screen, "filteronderwerp", QStringLiteral("borrel"));
        QCOMPARE(column(screen, 2), QStringList{"Oud, Lid"});
        type(screen, "filteronderwerp", QString());
        type(screen, "filterdatum", QStringLiteral("12-2025"));
        QCOMPARE(column(screen, 2), QStringList{"Oud, Lid"});
        type(screen, "filterdatum", QStringLiteral("02-03-2026"));
        QCOMPARE(column(screen, 2).size(), 3);
        // All typed values must hold; nothing matching shows no entry and no text.
        type(screen, "filternaam", QStringLiteral("oud"));
        QCOMPARE(column(screen, 2), QStringList{});
        QVERIFY(screen->mailtekst()->toPlainText().isEmpty());
        type(screen, "filternaam", QStringLiteral("bakker"));

        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(!screen->isVisible());
        // The sending run never works on a filtered log.
        QCOMPARE(log().recordCount(), 4);
        screen = open();
        QVERIFY(screen);
        for (const QLineEdit *box : screen->filterPanel()->findChildren<QLineEdit *>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QCOMPARE(column(screen, 2).size(), 4);
    }

    void anEmptyLogShowsNothing()
    {
        mailtjeszicht *screen = open();
        QVERIFY(screen);
        QCOMPARE(screen->grid()->model()->rowCount(), 0);
        QVERIFY(screen->mailtekst()->toPlainText().isEmpty());
        QVERIFY(!screen->navigator()->button(RecordNavigator::Delete)->isEnabled());
        // Delete on an empty grid asks nothing and changes nothing.
        screen->grid()->setFocus();
        QTest::keyClick(screen->grid(), Qt::Key_Delete);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(log().recordCount(), 0);
    }

    void deletingAsksFirstAndRemovesTheEntryForGood()
    {
        logARunOfThree();
        mailtjeszicht *screen = open();
        QVERIFY(screen);
        clickRow(screen, 1); // Jansen, Piet
        QToolButton *wissen = screen->navigator()->button(RecordNavigator::Delete);

        QString asked;
        test::answerNextQuestion(QMessageBox::Cancel, &asked);
        wissen->click();
        QVERIFY(!asked.isEmpty());
        QCOMPARE(column(screen, 2), (QStringList{"Visser, Anna", "Jansen, Piet", "Bakker, Els", "Oud, Lid"}));
        QCOMPARE(namesInTheFile().size(), 4);

        test::answerNextQuestion(QMessageBox::Ok);
        wissen->click();
        QCOMPARE(column(screen, 2), (QStringList{"Visser, Anna", "Bakker, Els", "Oud, Lid"}));
        QCOMPARE(namesInTheFile(), (QStringList{"Visser, Anna", "Bakker, Els", "Oud, Lid"}));
        // The text shows the entry that is now selected.
        QCOMPARE(screen->mailtekst()->toPlainText(), QStringLiteral("Beste Bakker, Els,\nUw contributie is 12,50."));

        // The Delete key in the grid asks the same question.
        clickRow(screen, 2);
        asked.clear();
        test::answerNextQuestion(QMessageBox::Cancel, &asked);
        QTest::keyClick(screen->grid(), Qt::Key_Delete);
        QVERIFY(!asked.isEmpty());
        QCOMPARE(namesInTheFile().size(), 3);
        test::answerNextQuestion(QMessageBox::Ok);
        QTest::keyClick(screen->grid(), Qt::Key_Delete);
        QCOMPARE(column(screen, 2), (QStringList{"Visser, Anna", "Bakker, Els"}));
        QCOMPARE(namesInTheFile(), (QStringList{"Visser, Anna", "Bakker, Els"}));
        QCOMPARE(screen->mailtekst()->toPlainText(), QStringLiteral("Beste Bakker, Els,\nUw contributie is 12,50."));
    }

    void refreshShowsWhatAnotherProgramWrote()
    {
        logARunOfThree();
        mailtjeszicht *screen = open();
        QVERIFY(screen);
        QCOMPARE(column(screen, 2).size(), 4);
        {
            // Another program logs a message in front of the others.
            sql::DatabaseHandle other = sql::openFile(data().werkmap() + QStringLiteral("/mailtjes.db"), false);
            sql::exec(other.get(),
                      QStringLiteral("INSERT INTO mailtjes (Mnaam, Datum, Tijd, Madres, Monderwerp, Mmail, _volgorde) "
                                     "SELECT 'Mulder, Bram', '2026-03-05', '08:30:00', 'bram@mulder.example', 'Herinnering', "
                                     "'Beste Bram,' || char(13, 10) || 'Vergeet de contributie niet.', min(_volgorde) - 1 "
                                     "FROM mailtjes"));
        }
        screen->navigator()->button(RecordNavigator::Refresh)->click();
        QCOMPARE(column(screen, 2), (QStringList{"Mulder, Bram", "Visser, Anna", "Jansen, Piet", "Bakker, Els", "Oud, Lid"}));
        QCOMPARE(cell(screen, 0, 0), QStringLiteral("05-03-2026"));
        QCOMPARE(cell(screen, 0, 1), QStringLiteral("08:30:00"));
        clickRow(screen, 0);
        QCOMPARE(screen->mailtekst()->toPlainText(), QStringLiteral("Beste Bram,\nVergeet de contributie niet."));
    }

    void longAndNonAsciiTextsComeThroughWhole()
    {
        const QString naam = QStringLiteral("Ëlçïn-Ĳsselmeer, Zoë Renée Müller-Øster 😀").left(40);
        const QString onderwerp = QStringLiteral("Contributie € 12,50 — “herinnering” voor ĳverige leden ✓ …").left(60);
        QStringList regels;
        for (int i = 1; i <= 400; ++i)
            regels << QStringLiteral("Regel %1: café, naïef, ĳs, 𝄞 en € — %2").arg(i).arg(QString(i % 7 * 20, u'x'));
        logEntry({naam, QDate(2026, 1, 31), QTime(23, 59, 59), QStringLiteral("zoë@bücher.example"), onderwerp,
                  regels.join(QStringLiteral("\r\n"))});
        mailtjeszicht *screen = open();
        QVERIFY(screen);
        QCOMPARE(cell(screen, 0, 2), naam);
        QCOMPARE(cell(screen, 0, 3), QStringLiteral("zoë@bücher.example"));
        QCOMPARE(cell(screen, 0, 4), onderwerp);
        QCOMPARE(screen->mailtekst()->toPlainText(), regels.join(u'\n'));
        QVERIFY(screen->mailtekst()->verticalScrollBar()->maximum() > 0);
        // Found by a non-ASCII part, ignoring case.
        type(screen, "filternaam", QStringLiteral("ZOË"));
        QCOMPARE(column(screen, 2), QStringList{naam});
        type(screen, "filteronderwerp", QStringLiteral("“HERINNERING”"));
        QCOMPARE(column(screen, 2), QStringList{naam});
    }
};

QTEST_MAIN(TestMailtjeszicht)
#include "test_mailtjeszicht.moc"
