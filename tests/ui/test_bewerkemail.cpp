// The e-mail editor on a real administration folder, sending to a real SMTP server: the
// header strip (the plain-text note, the subject box, the twelve codes), the menus and Tab
// typing a tab; "Opslaan e-mail" enabled only for a changed body; the dialogs sharing the
// current document file name with the letter editor; a run over the mailing selection (three
// of five with an address: three messages, three log entries, the others named in the
// summary, the placeholders back in the editor, the notice shown, "Bezig: n van 5"); a
// refusal of the second member stopping the run with the member and the server's answer, the
// first one logged and the body restored; "Stoppen" after the first member; no outgoing
// server, a print copy that cannot be written and a declined password; a login refused by
// the server asked again on the next run; and the menus reached from the keyboard.
#include "core/main.h"
#include "databases.h"
#include "letters/bewerkemail.h"
#include "letters/stanbrief.h"
#include "letters/standaardbrief.h"
#include "letters/verzonderok.h"
#include "mail/mailserverinstelling.h"
#include "screendriver.h"
#include "settingsfiles.h"
#include "smtptestserver.h"
#include "startedprogram.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "toolkit/documentdialog.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace zelk;

namespace {
QPushButton *buttonWithText(QFileDialog *dialog, const QString &text)
{
    for (QPushButton *b : dialog->findChild<QDialogButtonBox *>()->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

// Types `name` in the dialog's name box and presses OK.
void confirm(DocumentFileDialog *dialog, const QString &name)
{
    dialog->setTypedName(name);
    QPushButton *ok = buttonWithText(dialog, QStringLiteral("OK"));
    QVERIFY(ok);
    if (ok->isEnabled())
        ok->click();
    else
        dialog->accept();
}


} // namespace

class TestBewerkemail : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    stanbrief *mailing = nullptr;
    bewerkemail *e = nullptr;

    DataModule1 &data() { return app->data(); }
    QString inWerkmap(const QString &name) { return data().werkmap() + u'/' + name; }

    void addMember(const QString &name, const QString &town, const QString &email)
    {
        using namespace veld::leden;
        Table &t = data().ledentabel;
        t.append();
        t.setValue(Naam, name);
        t.setValue(Plaats, town);
        t.setValue(Email, email);
        t.post();
    }
    // The e-mail settings of the administration: the sender and the outgoing server (empty:
    // none), and how to reach it.
    void setServer(const QString &server, const mail::MailserverInstelling &verbinding = {})
    {
        Instelling &instelling = data().settings.instelling;
        instelling.setEmailAdres(QStringLiteral("penningmeester@dekeu.nl"));
        instelling.setAfzenderNaam(QStringLiteral("Penningmeester De Keu"));
        instelling.setSmtpServer(server);
        settingsfiles::write(data().werkmap(), instelling);
        mail::bewaar(data().werkmap(), verbinding);
    }
    void useServer(const test::SmtpTestServer &server)
    {
        mail::MailserverInstelling verbinding;
        verbinding.poort = server.port();
        setServer(QStringLiteral("127.0.0.1"), verbinding);
    }
    // The names in the log of sent e-mail, in the log's order.
    QStringList logged()
    {
        Table &log = data().mailtjestabel;
        log.refresh();
        QStringList names;
        for (log.first(); !log.eof(); log.next())
            names << log.text(veld::mailtjes::Mnaam);
        return names;
    }
    void openEditor()
    {
        mailing = qobject_cast<stanbrief *>(test::openFromMenu(app->program, QStringLiteral("Mailing")));
        QVERIFY(mailing);
        QVERIFY(mailing->button(QStringLiteral("Bewerken e-mail"))->isEnabled());
        mailing->button(QStringLiteral("Bewerken e-mail"))->click();
        e = app->program.context().screenAs<bewerkemail>(QStringLiteral("bewerkemail"));
        QVERIFY(e && e->isVisible());
        QVERIFY(!mailing->isVisible());
    }
    // Six members; the filter on "Delf" leaves five, three of them with an address.
    void selectFive()
    {
        e->close();
        auto *plaats = mailing->findChild<QLineEdit *>(QStringLiteral("filterplaats"));
        QVERIFY(plaats);
        QTest::keyClicks(plaats, QStringLiteral("Delf"));
        QCOMPARE(data().ledentabel.recordCount(), 5);
        mailing->button(QStringLiteral("Bewerken e-mail"))->click();
        QVERIFY(e->isVisible());
    }
    QAction *emailen() { return e->menuItem(QStringLiteral("Uitvoer"), QStringLiteral("E-mailen")); }
    static QString body(const QByteArray &message) { return QString::fromUtf8(message.mid(message.indexOf("\r\n\r\n") + 4)); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        addMember(QStringLiteral("Visser, Anna"), QStringLiteral("Delft"), QStringLiteral("anna@voorbeeld.nl"));
        addMember(QStringLiteral("Bakker, Els"), QStringLiteral("Delft"), QString());
        addMember(QStringLiteral("de Wit, Kees"), QStringLiteral("Delfgauw"), QStringLiteral("kees@voorbeeld.nl"));
        addMember(QStringLiteral("Jansen, Piet"), QStringLiteral("Delft"), QStringLiteral("piet bij voorbeeld.nl"));
        addMember(QStringLiteral("Mulder, Bram"), QStringLiteral("Delft"), QStringLiteral("bram@voorbeeld.nl"));
        addMember(QStringLiteral("Smit, Joke"), QStringLiteral("Leiden"), QStringLiteral("joke@voorbeeld.nl"));
        openEditor();
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox *>(w) && w->isVisible())
                w->close();
        e = nullptr;
        mailing = nullptr;
        app.reset();
    }

    void theEditor()
    {
        QCOMPARE(e->windowTitle(), QStringLiteral("Bewerken e-mail"));
        QVERIFY(e->minimumSize() != e->maximumSize()); // resizable
        QStringList menus;
        for (QAction *a : e->menus()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"Files", "Opmaak", "    ", "Uitvoer"}));
        QVERIFY(!e->menus()->actions().at(2)->menu()); // the blank item opens nothing
        const QList<std::pair<QString, QStringList>> items
            = {{"Files", {"Opslaan e-mail", "inlezen e-mail body", "Sluiten"}}, {"Opmaak", {"Font", "Kleur"}}, {"Uitvoer", {"E-mailen"}}};
        for (const auto &[menu, captions] : items) {
            QStringList shown;
            for (QAction *top : e->menus()->actions())
                if (top->text() == menu)
                    for (QAction *a : top->menu()->actions())
                        shown << a->text();
            QCOMPARE(shown, captions);
        }
        QStringList labels;
        for (const QLabel *label : e->findChildren<QLabel *>())
            if (!label->text().isEmpty() && label->isVisibleTo(e))
                labels << label->text();
        for (const char *text : {"De e-mail wordt verstuurd in gewone tekst.", "Ook wanneer de tekst is opgemaakt.", "Mail onderwerp",
                                 "Invoegen gegevens uit de ledendatabase", "mogelijke codes:"})
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        QCOMPARE(e->findChild<QLabel *>(QStringLiteral("codes1"))->text() + QStringLiteral("  ")
                     + e->findChild<QLabel *>(QStringLiteral("codes2"))->text(),
                 QStringLiteral("<naam>  <straat>  <pcode>  <plaats>  <email>  <gebdat>  <opmerk1>  <opmerk2>  <opmerk3>  <soortlid>  "
                                "<contributie>  <bank>"));

        // The subject: "verenigingsbericht" at first, where the editor opens; at most 60 characters.
        QCOMPARE(e->focusWidget(), e->onderwerp());
        QCOMPARE(e->onderwerp()->text(), QStringLiteral("verenigingsbericht"));
        e->onderwerp()->selectAll();
        QTest::keyClicks(e->onderwerp(), QString(70, u'x'));
        QCOMPARE(e->onderwerp()->text(), QString(60, u'x'));

        // Tab types a tab in the body.
        e->editor()->setFocus();
        QTest::keyClicks(e->editor(), QStringLiteral("Beste"));
        QTest::keyClick(e->editor(), Qt::Key_Tab);
        QTest::keyClicks(e->editor(), QStringLiteral("<naam>"));
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste\t<naam>"));
        QCOMPARE(e->focusWidget(), e->editor());

        // "Sluiten" shows the mailing screen again; the body stays.
        e->menuItem(QStringLiteral("Files"), QStringLiteral("Sluiten"))->trigger();
        QVERIFY(!e->isVisible());
        QVERIFY(mailing->isVisible());
        mailing->button(QStringLiteral("Bewerken e-mail"))->click();
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste\t<naam>"));
    }

    void savesOnlyAChangedBody()
    {
        QAction *opslaan = e->menuItem(QStringLiteral("Files"), QStringLiteral("Opslaan e-mail"));
        QVERIFY(!opslaan->isEnabled());
        opslaan->trigger();
        QVERIFY(!e->saveDialog()->isVisible());
        QTest::keyClicks(e->editor(), QStringLiteral("Beste <naam>"));
        QVERIFY(opslaan->isEnabled());
        opslaan->trigger();
        QVERIFY(e->saveDialog()->isVisible());
        QCOMPARE(e->saveDialog()->windowTitle(), QStringLiteral("Opslaan e-mail"));
        QCOMPARE(e->saveDialog()->typedName(), QString()); // nothing opened or saved yet
        confirm(e->saveDialog(), QStringLiteral("bericht"));
        QVERIFY(!e->saveDialog()->isVisible());
        QVERIFY(QFile::exists(inWerkmap(QStringLiteral("bericht.rtf"))));
        QVERIFY(!opslaan->isEnabled()); // saved: unchanged again
    }

    // The e-mail and letter dialogs share one current document file name, both ways.
    void theDialogsShareTheFileNameWithTheLetterEditor()
    {
        auto *brief = app->program.context().screenAs<standaardbrief>(QStringLiteral("standaardbrief"));
        QVERIFY(brief);
        QTest::keyClicks(e->editor(), QStringLiteral("Beste <naam>, de contributie"));
        e->menuItem(QStringLiteral("Files"), QStringLiteral("Opslaan e-mail"))->trigger();
        QVERIFY(e->saveDialog()->isVisible());
        confirm(e->saveDialog(), QStringLiteral("contributie"));
        QCOMPARE(app->program.context().documentFileName, inWerkmap(QStringLiteral("contributie.rtf")));
        brief->saveDialog()->start();
        QCOMPARE(brief->saveDialog()->typedName(), QStringLiteral("contributie.rtf"));
        brief->saveDialog()->reject();

        // A letter read by the e-mail editor is proposed by both save dialogs.
        brief->editor()->setPlainText(QStringLiteral("Geachte <naam>"));
        brief->saveDialog()->start();
        confirm(brief->saveDialog(), QStringLiteral("brief"));
        e->menuItem(QStringLiteral("Files"), QStringLiteral("inlezen e-mail body"))->trigger();
        DocumentFileDialog *open = e->openDialog();
        QVERIFY(open->isVisible());
        QCOMPARE(open->windowTitle(), QStringLiteral("Inlezen e-mail"));
        QCOMPARE(open->typedName(), QStringLiteral("Standaard01"));
        QCOMPARE(open->nameFilters(), QStringList{"Standaard brieven (*.rtf)"});
        QCOMPARE(QFileInfo(open->directory().absolutePath()).canonicalFilePath(), QFileInfo(data().werkmap()).canonicalFilePath());
        confirm(open, QStringLiteral("brief")); // no such file: stays open, but the name is taken
        QVERIFY(open->isVisible());
        QCOMPARE(app->program.context().documentFileName, inWerkmap(QStringLiteral("brief")));
        confirm(open, QStringLiteral("brief.rtf"));
        QVERIFY(!open->isVisible());
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Geachte <naam>"));
        QVERIFY(!e->menuItem(QStringLiteral("Files"), QStringLiteral("Opslaan e-mail"))->isEnabled());
        brief->saveDialog()->start();
        QCOMPARE(brief->saveDialog()->typedName(), QStringLiteral("brief.rtf"));
        brief->saveDialog()->reject();
        e->saveDialog()->start();
        QCOMPARE(e->saveDialog()->typedName(), QStringLiteral("brief.rtf"));
        e->saveDialog()->reject();
    }

    void theNotice()
    {
        auto *notice = app->program.context().screenAs<verzonderok>(QStringLiteral("verzonderok"));
        QVERIFY(notice);
        QVERIFY(!notice->isVisible());
        QCOMPARE(notice->label()->text(), QStringLiteral("Brief is verzonden per e-mail"));
        QVERIFY(notice->label()->font().bold());
        QVERIFY(notice->windowFlags() & Qt::FramelessWindowHint);
        const QImage shot = notice->label()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(2, 2)), QColor(0x00, 0x64, 0x00)); // dark green
        notice->toon(e);
        QVERIFY(notice->isVisible());
        QVERIFY(notice->timerActive());
        QCOMPARE(verzonderok::shownMilliseconds, 3000);
        QVERIFY2((notice->frameGeometry().center() - e->frameGeometry().center()).manhattanLength() <= 2, "centred over the editor");
        QEvent enter(QEvent::Enter); // the mouse comes over the text
        QApplication::sendEvent(notice->label(), &enter);
        QVERIFY(!notice->isVisible());
        QVERIFY(!notice->timerActive());
    }

    void aRunOverTheSelection()
    {
        test::SmtpTestServer server;
        useServer(server);
        selectFive();
        e->editor()->setPlainText(QStringLiteral("Beste <naam>,\nGroeten"));
        e->onderwerp()->setText(QStringLiteral("Contributie 2027"));
        QStringList standen;
        QList<bool> busy;
        QList<bool> notices; // shown after each member
        connect(e, &bewerkemail::lidKlaar, this, [&] {
            notices << app->program.context().screenAs<verzonderok>(QStringLiteral("verzonderok"))->isVisible();
            standen << (e->voortgang() ? e->voortgang()->findChild<QLabel *>(QStringLiteral("stand"))->text() : QString());
            busy << (!emailen()->isEnabled() && e->editor()->isReadOnly());
            e->emailen(); // a second run while one goes does nothing
        });
        emailen()->trigger();

        const QList<QByteArray> messages = server.messages();
        QCOMPARE(messages.size(), 3);
        const QStringList to = {"kees@voorbeeld.nl", "bram@voorbeeld.nl", "anna@voorbeeld.nl"}; // name order
        const QStringList names = {"de Wit, Kees", "Mulder, Bram", "Visser, Anna"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(server.recipients(i), QStringList{to[i]});
            QCOMPARE(test::headerValue(messages[i], "Subject"), QByteArray("Contributie 2027"));
            QVERIFY2(body(messages[i]).contains(QStringLiteral("Beste ") + names[i] + u','), messages[i].constData());
            QVERIFY(!body(messages[i]).contains(QStringLiteral("<naam>")));
        }
        QCOMPARE(logged(), (QStringList{"Visser, Anna", "Mulder, Bram", "de Wit, Kees"})); // the newest at the top

        // Afterwards: the placeholders in the editor, and the summary in place of the notice,
        // which was shown after every message and would cover the summary.
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste <naam>,\nGroeten"));
        QCOMPARE(notices, (QList<bool>{false, true, true, true, true})); // from the first message sent on
        QVERIFY(!app->program.context().screenAs<verzonderok>(QStringLiteral("verzonderok"))->isVisible());
        QCOMPARE(standen, (QStringList{"Bezig: 1 van 5", "Bezig: 2 van 5", "Bezig: 3 van 5", "Bezig: 4 van 5", "Bezig: 5 van 5"}));
        QCOMPARE(busy, QList<bool>(5, true));
        QVERIFY(!e->voortgang());
        QVERIFY(emailen()->isEnabled());
        QVERIFY(!e->editor()->isReadOnly());
        QVERIFY(test::messageBoxes(QStringLiteral("foutmelding")).isEmpty());
        const QList<QMessageBox *> summary = test::messageBoxes(QStringLiteral("samenvatting"));
        QCOMPARE(summary.size(), 1);
        QCOMPARE(summary[0]->text(),
                 QStringLiteral("Er zijn 3 berichten verstuurd.\nGeen e-mailadres, dus niet verstuurd aan 2 leden:\n"
                                "    Bakker, Els\n    Jansen, Piet"));
        QVERIFY(QFile::exists(inWerkmap(QStringLiteral("tempprint.hlp"))));
    }

    void aRefusalStopsTheRunAtThatMember()
    {
        test::SmtpTestServer server({QStringLiteral("--reject"), QStringLiteral("bram@voorbeeld.nl")});
        useServer(server);
        selectFive();
        QTest::keyClicks(e->editor(), QStringLiteral("Beste <naam>"));
        QVERIFY(e->email()->isModified());
        emailen()->trigger();

        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(logged(), QStringList{"de Wit, Kees"});
        const QList<QMessageBox *> errors = test::messageBoxes(QStringLiteral("foutmelding"));
        QCOMPARE(errors.size(), 1);
        const QString said = errors[0]->text() + u'\n' + errors[0]->detailedText();
        QVERIFY2(said.contains(QStringLiteral("Mulder, Bram")), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("550")), qPrintable(said));
        QVERIFY(test::messageBoxes(QStringLiteral("samenvatting")).isEmpty());
        // The body is back with its placeholders, still unsaved, and can be sent again.
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste <naam>"));
        QVERIFY(e->email()->isModified());
        QVERIFY(emailen()->isEnabled());
        QVERIFY(!e->bezig());
    }

    // The second message goes while another program holds the log: it was sent, so the box
    // says so (and it is not sent to that member again by mistake); the run stops there.
    void aMessageThatCannotBeLoggedIsReportedAsSent()
    {
        test::SmtpTestServer server;
        useServer(server);
        selectFive();
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        sql::DatabaseHandle other;
        connect(e, &bewerkemail::lidKlaar, this, [&] {
            if (server.messages().size() == 1 && !other) {
                other = sql::openFile(inWerkmap(QStringLiteral("mailtjes.db")), false);
                sql::exec(other.get(), QStringLiteral("BEGIN EXCLUSIVE"));
            }
        });
        emailen()->trigger();
        sql::exec(other.get(), QStringLiteral("ROLLBACK"));
        other.reset();

        QCOMPARE(server.messages().size(), 2);
        QCOMPARE(logged(), QStringList{"de Wit, Kees"});
        const QList<QMessageBox *> errors = test::messageBoxes(QStringLiteral("foutmelding"));
        QCOMPARE(errors.size(), 1);
        const QString said = errors[0]->text() + u'\n' + errors[0]->detailedText();
        QVERIFY2(said.contains(QStringLiteral("De e-mail aan Mulder, Bram (bram@voorbeeld.nl) is verstuurd, maar kon niet in het "
                                              "logboek worden gezet.")),
                 qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("Er zijn 2 berichten verstuurd.")), qPrintable(said));
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste <naam>"));
        QVERIFY(!e->bezig());
    }

    void stoppenEndsTheRunBeforeTheNextMember()
    {
        test::SmtpTestServer server;
        useServer(server);
        selectFive();
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        // Bakker, Els comes first and has no address; de Wit, Kees is the first to get a message.
        connect(e, &bewerkemail::lidKlaar, this, [&] {
            if (server.messages().size() == 1 && e->voortgang())
                e->voortgang()->findChild<QPushButton *>(QStringLiteral("stoppen"))->click();
        });
        emailen()->trigger();
        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(logged(), QStringList{"de Wit, Kees"});
        const QList<QMessageBox *> summary = test::messageBoxes(QStringLiteral("samenvatting"));
        QCOMPARE(summary.size(), 1);
        QCOMPARE(summary[0]->text(),
                 QStringLiteral("Gestopt na 2 van de 5 leden.\nEr is 1 bericht verstuurd.\n"
                                "Geen e-mailadres, dus niet verstuurd aan 1 lid:\n    Bakker, Els"));
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Beste <naam>"));
        QVERIFY(!e->bezig());
    }

    // No outgoing server: the print copy and nothing else. A print copy that cannot be
    // written: its error, nothing sent.
    void runsThatDoNotStart()
    {
        test::SmtpTestServer server;
        setServer(QString());
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        emailen()->trigger();
        QVERIFY(QFile::exists(inWerkmap(QStringLiteral("tempprint.hlp"))));
        QVERIFY(test::messageBoxes(QStringLiteral("foutmelding")).isEmpty());
        QVERIFY(test::messageBoxes(QStringLiteral("samenvatting")).isEmpty());
        QVERIFY(logged().isEmpty());

        useServer(server);
        QVERIFY(QFile::remove(inWerkmap(QStringLiteral("tempprint.hlp"))));
        QVERIFY(QDir().mkdir(inWerkmap(QStringLiteral("tempprint.hlp"))));
        emailen()->trigger();
        const QList<QMessageBox *> errors = test::messageBoxes(QStringLiteral("foutmelding"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0]->text().contains(QStringLiteral("tempprint.hlp")), qPrintable(errors[0]->text()));
        QCOMPARE(server.messages().size(), 0);
        QVERIFY(logged().isEmpty());
        QVERIFY(emailen()->isEnabled());
    }

    void aDeclinedPasswordSendsNothing()
    {
        test::SmtpTestServer server;
        mail::MailserverInstelling verbinding;
        verbinding.poort = server.port();
        verbinding.beveiliging = mail::Beveiliging::StartTls;
        verbinding.gebruiker = QStringLiteral("kas");
        setServer(QStringLiteral("127.0.0.1"), verbinding);
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        test::PasswordAnswers answers; // declines
        emailen()->trigger();
        QCOMPARE(answers.asked, 1);
        QCOMPARE(server.messages().size(), 0);
        QVERIFY(logged().isEmpty());
        QVERIFY(test::messageBoxes(QStringLiteral("foutmelding")).isEmpty());
        QVERIFY(emailen()->isEnabled());
    }

    // A password the server refuses is forgotten: the next run asks again; a good one is
    // kept for the rest of the program run.
    void aRefusedLoginIsAskedAgain()
    {
        test::TestCertificates certificates;
        test::SmtpTestServer server({QStringLiteral("--mode"), QStringLiteral("starttls"), QStringLiteral("--cert"), certificates.cert,
                                     QStringLiteral("--key"), certificates.key, QStringLiteral("--login"),
                                     QStringLiteral("penning:geheim")});
        mail::MailserverInstelling verbinding;
        verbinding.poort = server.port();
        verbinding.beveiliging = mail::Beveiliging::StartTls;
        verbinding.gebruiker = QStringLiteral("penning");
        verbinding.caBestand = certificates.ca;
        setServer(QStringLiteral("127.0.0.1"), verbinding);
        selectFive();
        e->editor()->setPlainText(QStringLiteral("Beste <naam>"));
        test::PasswordAnswers answers(QStringLiteral("fout"));
        emailen()->trigger();
        QCOMPARE(answers.asked, 1);
        QCOMPARE(server.messages().size(), 0);
        QList<QMessageBox *> errors = test::messageBoxes(QStringLiteral("foutmelding"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0]->text().contains(QStringLiteral("de Wit, Kees")), qPrintable(errors[0]->text()));
        errors[0]->close();

        answers.answer = QStringLiteral("geheim");
        emailen()->trigger();
        QCOMPARE(answers.asked, 2);
        QCOMPARE(server.messages().size(), 3);
        test::messageBoxes(QStringLiteral("samenvatting")).value(0)->close();
        emailen()->trigger(); // known now: not asked again
        QCOMPARE(answers.asked, 2);
        QCOMPARE(server.messages().size(), 6);
    }

    void theMenusFromTheKeyboard()
    {
        QAction *files = test::openMenusWithF10(e, e->editor(), e->menus());
        QVERIFY(files);
        QCOMPARE(files->text(), QStringLiteral("Files"));
        QVERIFY(files->menu()->isVisible());
        QTest::keyClick(files->menu(), Qt::Key_Right);
        QCOMPARE(e->menus()->activeAction()->text(), QStringLiteral("Opmaak"));
        QTest::keyClick(e->menus()->activeAction()->menu(), Qt::Key_Left);
        QCOMPARE(e->menus()->activeAction()->text(), QStringLiteral("Files"));
        // The last item of "Files" is "Sluiten".
        QTest::keyClick(files->menu(), Qt::Key_Up);
        QCOMPARE(files->menu()->activeAction()->text(), QStringLiteral("Sluiten"));
        QTest::keyClick(files->menu(), Qt::Key_Return);
        QVERIFY(!e->isVisible());
        QVERIFY(mailing->isVisible());
    }
};

QTEST_MAIN(TestBewerkemail)
#include "test_bewerkemail.moc"
