// The member register as the treasurer uses it: typing a member through all fields with
// Enter, refused names and dates, names and texts trimmed, the birth date forms, the find
// and filter panels with the count, the navigator, deleting from the grid, closing and
// reopening, and import and export with a long list of problems.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "ledenimport.h"
#include "members/invoerleden.h"
#include "preview/previewwindow.h"
#include "startedprogram.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/findpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/recordnavigator.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace zelk;

namespace {
struct Member {
    const char *naam, *plaats;
};

// Answers the next modal question with `button` as soon as it is shown.
void answerNextQuestion(QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Delete record?"));
        box->button(button)->click();
    });
}

QMessageBox *errorBox(QWidget *screen)
{
    const auto boxes = screen->findChildren<QMessageBox *>(QStringLiteral("foutmelding"));
    return boxes.isEmpty() ? nullptr : boxes.last();
}
} // namespace

class TestInvoerleden : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoerleden *screen = nullptr;

    Table &leden() { return app->program.context().data->ledentabel; }
    QLineEdit *box(const char *field) { return screen->form().edit(QString::fromLatin1(field)); }
    void addMembers(std::initializer_list<Member> members)
    {
        for (const Member &m : members) {
            leden().append();
            leden().setValue(u"Naam", QString::fromUtf8(m.naam));
            leden().setValue(u"Plaats", QString::fromUtf8(m.plaats));
            leden().post();
        }
        leden().first();
    }
    void open()
    {
        app->program.mainMenu()->button(QStringLiteral("Invoer leden"))->click();
        QVERIFY(screen->isVisible());
        QVERIFY(!app->program.mainMenu()->isVisible());
        QApplication::setActiveWindow(screen);
        QVERIFY(QTest::qWaitForWindowActive(screen));
    }
    // Types `text` into the box that has the focus and presses Enter.
    void typeAndEnter(const QString &text)
    {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClicks(focus, text);
        QTest::keyClick(focus, Qt::Key_Return);
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = app->program.context().screenAs<invoerleden>(QStringLiteral("invoerleden"));
        QVERIFY(screen);
        QVERIFY(app->program.mainMenu()->button(QStringLiteral("Invoer leden"))->isEnabled());
    }
    void cleanup() { app.reset(); }

    void helpOpensTheScreensChapter()
    {
        QString asked;
        app->program.context().openHelp = [&asked](QWidget *, const QString &heading) { asked = heading; };
        open();
        QVERIFY(screen->button(QStringLiteral("Help"))->isEnabled());
        screen->button(QStringLiteral("Help"))->click();
        QCOMPARE(asked, QStringLiteral("1. INVOEREN LEDEN"));
    }

    void showsItsLabelsSectionsAndHints()
    {
        addMembers({{"Bakker, Els", "Delft"}, {"Jansen, Piet", "Gouda"}});
        open();
        QCOMPARE(screen->windowTitle(), QStringLiteral("Invoer leden"));
        QStringList labels;
        for (auto *label : screen->findChildren<QLabel *>())
            labels << label->text();
        for (const char *text : {"Naam:", "Straat:", "Pcode+pl.", "Geb.dat.", "E-mail", "Contributie", "Bank-giro", "Soort lid", "Opmerk 1",
                                 "Opmerk 2", "Opmerk 3", "  NAVIGATOR   ", "Records"})
            QVERIFY2(labels.contains(QString::fromLatin1(text)), text);
        QCOMPARE(screen->findPanel()->title(), QStringLiteral("  ZOEKEN  "));
        QCOMPARE(screen->filterPanel()->title(), QStringLiteral("  FILTER    "));
        QStringList hints;
        for (auto action : {RecordNavigator::First, RecordNavigator::Prior, RecordNavigator::Next, RecordNavigator::Last,
                            RecordNavigator::Insert, RecordNavigator::Delete, RecordNavigator::Refresh})
            hints << screen->navigator()->button(action)->toolTip();
        QCOMPARE(hints,
                 (QStringList{"Eerste record", "Vorig record", "Volgend record", "Laatste record", "Invoegen record", "Wis record",
                              "Ververs data"}));
        QStringList columns;
        for (int c = 0; c < screen->grid()->model()->columnCount(); ++c)
            columns << screen->grid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(columns,
                 (QStringList{"Naam", "Straat", "Pcode", "Plaats", "Email", "Bank-giro", "Geb datum", "Lidbedrag", "Soortlid", "Opmerk1",
                              "Opmerk2", "Opmerk3"}));
        for (const char *caption : {"Afdrukken lijst 1", "Afdrukken lijst 2", "Afdrukken alle data", "Help", "Sluit venster"})
            QVERIFY2(screen->button(QString::fromLatin1(caption)), caption);
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("2"));
        QCOMPARE(box("Naam")->text(), QStringLiteral("Bakker, Els"));
        screen->resize(1100, 640);
        test::saveScreenshot(screen, QStringLiteral("invoerleden"));
    }

    void typingThroughAllFieldsWithEnterSavesTheMember()
    {
        open();
        screen->navigator()->button(RecordNavigator::Insert)->click();
        QCOMPARE(QApplication::focusWidget(), box("Naam"));
        QCOMPARE(leden().state(), Table::State::Insert);
        const QStringList typed = {"Visser, Anna",   "Molenweg 12",  "2611 AB", "Delft",   "14-07-1985",     "anna@voorbeeld.nl",
                                   "25,00 per jaar", "NL12BANK0123", "Senior",  "Bestuur", "Penningmeester", "Sinds 2001"};
        for (const QString &text : typed)
            typeAndEnter(text);
        // Enter in Opmerk3 saved the member and the focus stayed there.
        QCOMPARE(QApplication::focusWidget(), box("Opmerk3"));
        QCOMPARE(leden().state(), Table::State::Browse);
        DataModule1 disk;
        disk.openForUse();
        Table &t = disk.ledentabel;
        QCOMPARE(t.recordCount(), 1);
        const QStringList fields = {"Naam",      "Straat",    "Pcode",    "Plaats",  "Geb datum", "Email",
                                    "Lidbedrag", "Bank-giro", "Soortlid", "Opmerk1", "Opmerk2",   "Opmerk3"};
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(t.text(fields[i]), typed[i]);
        QVERIFY(!t.value(u"Mrt").isValid()); // the month marks start blank
        // The count follows at the next navigator action.
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("0"));
        screen->navigator()->button(RecordNavigator::Refresh)->click();
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("1"));
    }

    void aNewMemberWithNothingTypedIsNotStored_data()
    {
        QTest::addColumn<int>("then");
        QTest::newRow("refresh") << int(RecordNavigator::Refresh);
        QTest::newRow("first") << int(RecordNavigator::First);
        QTest::newRow("insert again") << int(RecordNavigator::Insert);
    }

    void aNewMemberWithNothingTypedIsNotStored()
    {
        QFETCH(int, then);
        addMembers({{"Bakker, Els", "Delft"}, {"Jansen, Piet", "Gouda"}});
        open();
        screen->navigator()->perform(RecordNavigator::Insert);
        QCOMPARE(leden().state(), Table::State::Insert);
        screen->navigator()->perform(RecordNavigator::Action(then));
        screen->navigator()->perform(RecordNavigator::Refresh);
        QCOMPARE(leden().totalCount(), 2);
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("2"));
    }

    void captionsTurnRedUnderTheMouseAndBlackOverTheWindow()
    {
        open();
        HoverButton *close = screen->button(QStringLiteral("Sluit venster"));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(close, &enter);
        QCOMPARE(close->captionColour(), QColor(Qt::red));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(screen, &move);
        QCOMPARE(close->captionColour(), QColor(Qt::black));
    }

    void upArrowWalksBack()
    {
        open();
        box("Geb datum")->setFocus();
        QTest::keyClick(box("Geb datum"), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), box("Plaats"));
        QTest::keyClick(box("Plaats"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), box("Geb datum"));
        box("Naam")->setFocus();
        QTest::keyClick(box("Naam"), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), box("Naam"));
    }

    void refusedValuesKeepTheTextAndWriteNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("staysIn");
        QTest::newRow("name of another member") << "Jansen, Piet"
                                                << ""
                                                << "Er bestaat al een lid met de naam \"Jansen, Piet\""
                                                << "Opmerk3";
        QTest::newRow("no such date") << "Smit, Kees"
                                      << "31-02-1980"
                                      << "\"31-02-1980\" is geen geldige geboortedatum: die dag bestaat niet."
                                      << "Geb datum";
        QTest::newRow("two-digit year") << "Smit, Kees"
                                        << "1-2-68"
                                        << "\"1-2-68\" heeft een jaartal van twee cijfers; schrijf het jaar voluit"
                                        << "Geb datum";
        QTest::newRow("a name of blanks") << "   "
                                          << "01-01-1990"
                                          << "De naam ontbreekt; een lid zonder naam kan niet worden bewaard."
                                          << "Naam";
    }

    void refusedValuesKeepTheTextAndWriteNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, birth);
        QFETCH(QString, message);
        QFETCH(QString, staysIn);
        addMembers({{"Jansen, Piet", "Gouda"}});
        open();
        screen->navigator()->button(RecordNavigator::Insert)->click();
        typeAndEnter(name);
        for (int i = 0; i < 3; ++i) // Straat, Pcode, Plaats
            typeAndEnter(QString());
        typeAndEnter(birth);
        for (int i = 0; i < 7 && !errorBox(screen); ++i) // on to Enter in Opmerk3
            typeAndEnter(QString());
        QMessageBox *error = errorBox(screen);
        QVERIFY(error);
        QVERIFY2(error->text().contains(message), qPrintable(error->text()));
        QCOMPARE(QApplication::focusWidget(), screen->form().edit(staysIn));
        QCOMPARE(box("Naam")->text(), name);
        QCOMPARE(box("Geb datum")->text(), birth);
        QVERIFY(leden().isEditing()); // the member stays in editing
        DataModule1 disk;
        disk.openForUse();
        QCOMPARE(disk.ledentabel.recordCount(), 1);
        // Moving away is refused as well while the member cannot be saved.
        error->close();
        screen->navigator()->button(RecordNavigator::First)->click();
        QVERIFY(leden().isEditing());
    }

    void filterOnPlaatsRestrictsGridAndCountUntilClosed()
    {
        addMembers({{"Bakker, Els", "Delft"}, {"de Vries, Jan", "Gouda"}, {"Jansen, Piet", "Delfzijl"}, {"Smit, Kees", "Tiel"}});
        open();
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("4"));
        QTest::keyClicks(screen->filterPanel()->box(QStringLiteral("Plaats")), QStringLiteral("elf"));
        QCOMPARE(screen->grid()->model()->rowCount(), 2);
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("2"));
        QCOMPARE(leden().recordCount(), 2); // what the reports see too
        QCOMPARE(screen->grid()->model()->index(1, 0).data().toString(), QStringLiteral("Jansen, Piet"));
        // Member list 1 prints the members the grid shows.
        const QString saved = app->home.path() + QStringLiteral("/lijst1.txt");
        bool previewed = false;
        QTimer::singleShot(0, [&] {
            auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
            QVERIFY(preview);
            test::saveScreenshot(preview, QStringLiteral("printleden-preview"));
            previewed = preview->saveAs(saved, ExportFormat::Text);
            preview->close();
        });
        QVERIFY(screen->button(QStringLiteral("Afdrukken lijst 1"))->isEnabled());
        screen->button(QStringLiteral("Afdrukken lijst 1"))->click();
        QVERIFY(previewed);
        QFile list(saved);
        QVERIFY(list.open(QIODevice::ReadOnly));
        const QString printed = QString::fromUtf8(list.readAll());
        QVERIFY(printed.contains(QStringLiteral("Bakker, Els")));
        QVERIFY(printed.contains(QStringLiteral("Jansen, Piet")));
        QVERIFY(!printed.contains(QStringLiteral("de Vries")));
        QVERIFY(!printed.contains(QStringLiteral("Smit")));
        // The find panel matches the town from its beginning.
        QTest::keyClicks(screen->findPanel()->box(QStringLiteral("Plaats")), QStringLiteral("delfz"));
        QCOMPARE(box("Naam")->text(), QStringLiteral("Jansen, Piet"));
        QCOMPARE(screen->grid()->currentIndex().row(), 1);

        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(!screen->isVisible());
        QVERIFY(app->program.mainMenu()->isVisible());
        QVERIFY(!leden().isFiltered());
        QCOMPARE(leden().recordCount(), 4);

        open();
        QVERIFY(screen->filterPanel()->isBlank());
        QVERIFY(screen->findPanel()->isBlank());
        QCOMPARE(screen->grid()->model()->rowCount(), 4);
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("4"));
    }

    void matchingRulesPerField_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names"); // filter: the rows left; find: the current member
        QTest::newRow("filter Naam anywhere") << "filter"
                                              << "Naam"
                                              << "RIES" << QStringList{"de Vries, Jan"};
        QTest::newRow("filter Plaats anywhere") << "filter"
                                                << "Plaats"
                                                << "ouda" << QStringList{"de Vries, Jan"};
        QTest::newRow("filter Pcode from the start") << "filter"
                                                     << "Pcode"
                                                     << "26" << QStringList{"Bakker, Els"};
        QTest::newRow("filter Pcode not inside") << "filter"
                                                 << "Pcode"
                                                 << "11" << QStringList{};
        QTest::newRow("filter Soortlid anywhere") << "filter"
                                                  << "Soortlid"
                                                  << "nior" << QStringList{"Bakker, Els", "Jansen, Piet"};
        QTest::newRow("find Plaats from the start") << "find"
                                                    << "Plaats"
                                                    << "Gou" << QStringList{"de Vries, Jan"};
        QTest::newRow("find Plaats not inside") << "find"
                                                << "Plaats"
                                                << "ouda" << QStringList{"Bakker, Els"};
        QTest::newRow("find Pcode anywhere") << "find"
                                             << "Pcode"
                                             << "AB" << QStringList{"Jansen, Piet"};
        QTest::newRow("find Email anywhere") << "find"
                                             << "Email"
                                             << "vries@" << QStringList{"de Vries, Jan"};
    }

    void matchingRulesPerField()
    {
        QFETCH(QString, panel);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        struct Full {
            const char *naam, *pcode, *plaats, *email, *soort;
        };
        for (const Full &m : {Full{"Bakker, Els", "2611 CD", "Delft", "els@bakker.nl", "Senior"},
                              Full{"de Vries, Jan", "2801 EF", "Gouda", "jan@devries.nl", "Donateur"},
                              Full{"Jansen, Piet", "3011 AB", "Rotterdam", "piet@jansen.nl", "Junior"}}) {
            leden().append();
            leden().setValue(u"Naam", QString::fromLatin1(m.naam));
            leden().setValue(u"Pcode", QString::fromLatin1(m.pcode));
            leden().setValue(u"Plaats", QString::fromLatin1(m.plaats));
            leden().setValue(u"Email", QString::fromLatin1(m.email));
            leden().setValue(u"Soortlid", QString::fromLatin1(m.soort));
            leden().post();
        }
        leden().first();
        open();
        FieldPanel *fields = panel == QLatin1String("filter") ? static_cast<FieldPanel *>(screen->filterPanel())
                                                              : static_cast<FieldPanel *>(screen->findPanel());
        QTest::keyClicks(fields->box(field), typed);
        if (panel == QLatin1String("find")) {
            QCOMPARE(QStringList{box("Naam")->text()}, names);
            return;
        }
        QStringList shown;
        for (int r = 0; r < screen->grid()->model()->rowCount(); ++r)
            shown << screen->grid()->model()->index(r, 0).data().toString();
        QCOMPARE(shown, names);
        QCOMPARE(screen->countLabel()->text(), QString::number(names.size()));
    }

    void closeBoxClearsTheFilterAndLeavesAChangePending()
    {
        addMembers({{"Bakker, Els", "Delft"}, {"Jansen, Piet", "Gouda"}});
        open();
        QTest::keyClicks(screen->filterPanel()->box(QStringLiteral("Naam")), QStringLiteral("jan"));
        QCOMPARE(box("Naam")->text(), QStringLiteral("Jansen, Piet"));
        box("Straat")->setFocus();
        QTest::keyClicks(box("Straat"), QStringLiteral("Kerkstraat 3"));
        screen->close(); // the title-bar button
        QVERIFY(!leden().isFiltered());
        QCOMPARE(leden().recordCount(), 2);
        QVERIFY(leden().isEditing());
        QCOMPARE(leden().text(u"Naam"), QStringLiteral("Jansen, Piet"));
        QCOMPARE(leden().text(u"Straat"), QStringLiteral("Kerkstraat 3"));
        DataModule1 disk;
        disk.openForUse();
        disk.ledentabel.last();
        QCOMPARE(disk.ledentabel.text(u"Straat"), QString());
    }

    void sluitVensterSavesTheChange()
    {
        addMembers({{"Bakker, Els", "Delft"}});
        open();
        box("Plaats")->setFocus();
        box("Plaats")->end(false);
        QTest::keyClicks(box("Plaats"), QStringLiteral(" Zuid"));
        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(!leden().isEditing());
        DataModule1 disk;
        disk.openForUse();
        QCOMPARE(disk.ledentabel.text(u"Plaats"), QStringLiteral("Delft Zuid"));
    }

    void gridSelectionAndKeyboardDelete()
    {
        addMembers({{"Bakker, Els", "Delft"}, {"de Vries, Jan", "Gouda"}, {"Jansen, Piet", "Tiel"}});
        open();
        BoundGrid *grid = screen->grid();
        grid->setFocus();
        grid->selectionModel()->setCurrentIndex(grid->model()->index(1, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(leden().currentRow(), 1);
        QCOMPARE(box("Naam")->text(), QStringLiteral("de Vries, Jan"));
        answerNextQuestion(QMessageBox::Cancel);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(leden().recordCount(), 3);
        answerNextQuestion(QMessageBox::Ok);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(leden().recordCount(), 2);
        QCOMPARE(box("Naam")->text(), QStringLiteral("Jansen, Piet"));
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("2"));
        QCOMPARE(grid->currentIndex().row(), 1);
    }

    void deletingTheLastAndTheOnlyMember()
    {
        addMembers({{"Bakker, Els", "Delft"}, {"Jansen, Piet", "Tiel"}});
        open();
        BoundGrid *grid = screen->grid();
        grid->setFocus();
        leden().last();
        answerNextQuestion(QMessageBox::Ok);
        QTest::keyClick(grid, Qt::Key_Delete); // the last row: the one before it becomes current
        QCOMPARE(leden().recordCount(), 1);
        QCOMPARE(box("Naam")->text(), QStringLiteral("Bakker, Els"));
        answerNextQuestion(QMessageBox::Ok);
        QTest::keyClick(grid, Qt::Key_Delete); // the only row: an empty register, still working
        QCOMPARE(leden().recordCount(), 0);
        QCOMPARE(box("Naam")->text(), QString());
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("0"));
        addMembers({{"de Vries, Jan", "Gouda"}});
        QCOMPARE(box("Naam")->text(), QStringLiteral("de Vries, Jan"));
    }

    void namesAndTextsAreTrimmedAndBirthDatesReadInEveryForm()
    {
        addMembers({{"Jansen, Piet", "Gouda"}});
        open();
        screen->navigator()->button(RecordNavigator::Insert)->click();
        for (const char *text : {"  Visser, Anna ", " Molenweg 12", " 2611AB", "  Delft  "})
            typeAndEnter(QString::fromUtf8(text));
        typeAndEnter(QStringLiteral("5-3-1970"));
        QCOMPARE(box("Geb datum")->text(), QStringLiteral("05-03-1970")); // shown as the screen shows dates
        for (int i = 0; i < 7; ++i)
            typeAndEnter(QString());
        QVERIFY(!errorBox(screen));
        QCOMPARE(leden().state(), Table::State::Browse);
        // A name with blanks around is the same name: the second one is refused.
        screen->navigator()->button(RecordNavigator::Insert)->click();
        typeAndEnter(QStringLiteral("Jansen, Piet  "));
        box("Plaats")->setFocus();
        typeAndEnter(QStringLiteral("Tiel"));
        box("Geb datum")->setFocus();
        QTest::keyClicks(box("Geb datum"), QStringLiteral("14/07/1985"));
        screen->navigator()->button(RecordNavigator::Refresh)->click();
        QVERIFY(errorBox(screen));
        QVERIFY2(errorBox(screen)->text().contains(QStringLiteral("Er bestaat al een lid met de naam \"Jansen, Piet\"")),
                 qPrintable(errorBox(screen)->text()));
        QCOMPARE(box("Geb datum")->text(), QStringLiteral("14-07-1985"));
        leden().cancel();

        DataModule1 disk;
        disk.openForUse();
        Table &t = disk.ledentabel;
        QCOMPARE(t.recordCount(), 2);
        t.last();
        QCOMPARE(t.text(u"Naam"), QStringLiteral("Visser, Anna"));
        QCOMPARE(t.text(u"Straat"), QStringLiteral("Molenweg 12"));
        QCOMPARE(t.text(u"Pcode"), QStringLiteral("2611AB"));
        QCOMPARE(t.text(u"Plaats"), QStringLiteral("Delft"));
        QCOMPARE(t.date(u"Geb datum"), QDate(1970, 3, 5));
    }

    void aLongImportErrorListFitsTheScreen()
    {
        addMembers({{"Bakker, Els", "Delft"}});
        open();
        QByteArray bytes("Naam;Plaats;Geboortedatum\r\n");
        for (int i = 1; i <= 300; ++i)
            bytes += "Lid " + QByteArray::number(i) + ";Delft;1-2-68\r\n";
        const QString path = app->home.path() + QStringLiteral("/fouten.csv");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QVERIFY(!screen->importFrom(path));
        QMessageBox *error = errorBox(screen);
        QVERIFY(error);
        const QStringList lines = error->text().split(u'\n');
        QCOMPARE(lines.size(), 22);
        QCOMPARE(lines.first(), QStringLiteral("Er is niets ingelezen, want het bestand bevat 300 fouten:"));
        QVERIFY(lines[1].startsWith(QStringLiteral("Regel 2: \"1-2-68\" heeft een jaartal van twee cijfers")));
        QCOMPARE(lines.last(), QStringLiteral("… en nog 280. Onder Details staan ze allemaal."));
        QCOMPARE(error->detailedText().split(u'\n').size(), 300);
        QVERIFY(error->detailedText().split(u'\n').last().startsWith(QStringLiteral("Regel 301: ")));
        QVERIFY(error->sizeHint().height() < 700);
        QCOMPARE(leden().totalCount(), 1);
    }

    void importAndExportFromTheScreen()
    {
        addMembers({{"Bakker, Els", "Delft"}});
        open();
        const QString good = app->home.path() + QStringLiteral("/goed.csv");
        const QString bad = app->home.path() + QStringLiteral("/fout.csv");
        for (const auto &[path, bytes] :
             {std::pair{good, QByteArray("Lidnummer;Naam;Woonplaats;Telefoon\n1;Visser, Anna;Gouda;06-1\n2;Smit, Kees;Tiel;\n")},
              std::pair{bad, QByteArray("Naam;Plaats\nVos, Ria;Assen\nBakker, Els;Delft\n")}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QVERIFY(!screen->importFrom(bad));
        QCOMPARE(errorBox(screen)->text(),
                 QStringLiteral("Er is niets ingelezen, want het bestand bevat een fout:\n"
                                "Regel 3: Er bestaat al een lid met de naam \"Bakker, Els\"."));
        QCOMPARE(leden().recordCount(), 1);
        QVERIFY(screen->importFrom(good));
        QCOMPARE(leden().recordCount(), 3);
        QCOMPARE(screen->countLabel()->text(), QStringLiteral("3"));
        const auto notices = screen->findChildren<QMessageBox *>(QStringLiteral("melding"));
        QCOMPARE(notices.size(), 1);
        QCOMPARE(notices.front()->text(), QStringLiteral("2 leden ingelezen.\nNiet ingelezen kolommen: Lidnummer, Telefoon."));
        const QString out = app->home.path() + QStringLiteral("/uit.csv");
        QVERIFY(screen->exportTo(out));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 4);
    }
};

QTEST_MAIN(TestInvoerleden)
#include "test_invoerleden.moc"
