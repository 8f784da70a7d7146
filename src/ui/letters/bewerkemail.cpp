#include "bewerkemail.h"

#include "databases.h"
#include "letters/standaardbrief.h"
#include "letters/verzonderok.h"
#include "mail/verzendrun.h"
#include "rtf/rtf.h"
#include "store/tableschema.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "toolkit/documentdialog.h"
#include "toolkit/mailwachtwoord.h"
#include "toolkit/messages.h"
#include "toolkit/textlimit.h"
#include "zelkerror.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>
#include <memory>
#include <optional>

namespace zelk {

namespace {

// How one send on the worker thread ended.
struct Uitkomst {
    bool gelukt = false;
    bool loginGeweigerd = false;
    QString fout;
};

// Sends `stap` on a thread of its own; meanwhile this thread's events go on, so the windows
// keep answering while the server takes its time. Touches no table and no document.
Uitkomst verstuurApart(const mail::Verzendinstelling &instelling, const mail::Verzendstap &stap)
{
    auto uitkomst = std::make_shared<Uitkomst>();
    std::unique_ptr<QThread> thread(QThread::create([uitkomst, instelling, stap] {
        try {
            mail::verstuurStap(instelling, stap);
            uitkomst->gelukt = true;
        } catch (const mail::LoginGeweigerd &e) {
            uitkomst->loginGeweigerd = true;
            uitkomst->fout = e.message();
        } catch (const std::exception &e) {
            uitkomst->fout = errorText(e);
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait(); // the program may be ending: the send finishes first
    return *uitkomst;
}

QString berichten(int aantal)
{
    if (aantal == 0)
        return QStringLiteral("Er is geen bericht verstuurd.");
    if (aantal == 1)
        return QStringLiteral("Er is 1 bericht verstuurd.");
    return QStringLiteral("Er zijn %1 berichten verstuurd.").arg(aantal);
}

// The summary at the end of a run: how many were sent, who was passed over for lack of an
// address (the first problemsShown by name), and where a stop by the user came.
QString samenvattingVan(const mail::Verzendrun &run, int gedaan, bool gestopt)
{
    QStringList regels;
    if (gestopt)
        regels << QStringLiteral("Gestopt na %1 van de %2 leden.").arg(gedaan).arg(run.aantalLeden());
    regels << berichten(run.verzonden());
    const QStringList &zonder = run.zonderAdres();
    if (!zonder.isEmpty()) {
        regels << (zonder.size() == 1 ? QStringLiteral("Geen e-mailadres, dus niet verstuurd aan 1 lid:")
                                      : QStringLiteral("Geen e-mailadres, dus niet verstuurd aan %1 leden:").arg(zonder.size()));
        for (const QString &naam : zonder.mid(0, problemsShown))
            regels << QStringLiteral("    ") + naam;
        if (zonder.size() > problemsShown)
            regels << QStringLiteral("    en nog %1 andere.").arg(zonder.size() - problemsShown);
    }
    return regels.join(u'\n');
}

} // namespace

bewerkemail::bewerkemail(AppContext &context) : TaskScreen(context, QStringLiteral("bewerkemail"), QStringLiteral("Bewerken e-mail"))
{
    auto *layout = new QVBoxLayout(this);
    m_menus = new QMenuBar(this);
    m_menus->setNativeMenuBar(false);
    layout->setMenuBar(m_menus);

    auto *header = new QFrame(this);
    header->setObjectName(QStringLiteral("emailhoofd"));
    header->setFrameShape(QFrame::StyledPanel);
    buildHeader(header);
    layout->addWidget(header);

    m_editor = new QTextEdit(this);
    m_editor->setObjectName(QStringLiteral("email"));
    m_editor->setAcceptRichText(true);
    m_editor->setTabChangesFocus(false); // Tab types a tab in the body
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_editor, 1);

    const auto folder = [this] { return werkmap(); };
    m_open = new DocumentFileDialog(
        DocumentFileDialog::Kind::Open, QStringLiteral("Inlezen e-mail"), &context.documentFileName, folder,
        [this](const QString &path) { rtf::readFile(path, email()); }, this);
    m_open->setObjectName(QStringLiteral("inlezenemail"));
    m_save = new DocumentFileDialog(
        DocumentFileDialog::Kind::Save, QStringLiteral("Opslaan e-mail"), &context.documentFileName, folder,
        [this](const QString &path) {
            rtf::writeFile(*email(), path);
            email()->setModified(false);
        },
        this);
    m_save->setObjectName(QStringLiteral("opslaanemail"));

    const auto item = [this](QMenu *menu, const QString &caption, void (bewerkemail::*work)()) {
        QAction *action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, guarded(this, [this, work] { (this->*work)(); }));
        return action;
    };
    QMenu *files = m_menus->addMenu(QStringLiteral("Files"));
    // Only a changed body can be saved; the item says so by being enabled.
    QAction *opslaanItem = item(files, QStringLiteral("Opslaan e-mail"), &bewerkemail::opslaan);
    opslaanItem->setEnabled(email()->isModified());
    connect(email(), &QTextDocument::modificationChanged, opslaanItem, &QAction::setEnabled);
    item(files, QStringLiteral("inlezen e-mail body"), &bewerkemail::inlezen);
    QAction *sluiten = files->addAction(QStringLiteral("Sluiten"));
    connect(sluiten, &QAction::triggered, this, [this] { sluitvenster(); });
    QMenu *opmaak = m_menus->addMenu(QStringLiteral("Opmaak"));
    item(opmaak, QStringLiteral("Font"), &bewerkemail::kiesfont);
    item(opmaak, QStringLiteral("Kleur"), &bewerkemail::kieskleur);
    QAction *blank = m_menus->addAction(QStringLiteral("    ")); // keeps "Uitvoer" apart; does nothing
    blank->setObjectName(QStringLiteral("scheiding"));
    QMenu *uitvoer = m_menus->addMenu(QStringLiteral("Uitvoer"));
    m_emailen = item(uitvoer, QStringLiteral("E-mailen"), &bewerkemail::emailen);

    // F10 opens the menus from the keyboard, wherever the focus is in the editor.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        m_menus->setFocus(Qt::ShortcutFocusReason);
        m_menus->setActiveAction(m_menus->actions().constFirst());
    });

    // The editor opens on the subject; Tab goes on to the body, where Tab then types a tab.
    setSteps({m_onderwerp, m_editor});
    resize(900, 700);
}

void bewerkemail::buildHeader(QWidget *header)
{
    auto *strip = new QHBoxLayout(header);
    auto *left = new QVBoxLayout;

    auto *note = new QFrame(header);
    note->setObjectName(QStringLiteral("gewonetekst"));
    note->setFrameShape(QFrame::Box);
    auto *noteLines = new QVBoxLayout(note);
    noteLines->addWidget(new QLabel(QStringLiteral("De e-mail wordt verstuurd in gewone tekst."), note));
    noteLines->addWidget(new QLabel(QStringLiteral("Ook wanneer de tekst is opgemaakt."), note));
    left->addWidget(note);

    left->addWidget(new QLabel(QStringLiteral("Mail onderwerp"), header));
    m_onderwerp = new QLineEdit(beginOnderwerp, header);
    m_onderwerp->setObjectName(QStringLiteral("onderwerp"));
    limitToField(m_onderwerp, schemas::mailtjes(), veld::mailtjes::Monderwerp);
    m_onderwerp->setMinimumWidth(m_onderwerp->fontMetrics().averageCharWidth() * 45);
    left->addWidget(m_onderwerp);
    left->addStretch();

    strip->addLayout(left);
    strip->addStretch();
    strip->addLayout(ledencodes(header));
    strip->addStretch();
}

QTextDocument *bewerkemail::email() const
{
    return m_editor->document();
}

QAction *bewerkemail::menuItem(const QString &menu, const QString &item) const
{
    for (QAction *top : m_menus->actions()) {
        if (top->text() != menu || !top->menu())
            continue;
        for (QAction *a : top->menu()->actions())
            if (a->text() == item)
                return a;
    }
    return nullptr;
}

QString bewerkemail::werkmap() const
{
    return context().data ? context().data->werkmap() : QString();
}

void bewerkemail::onClose()
{
    // A file dialog left open goes with the editor.
    for (DocumentFileDialog *dialog : {m_open, m_save})
        if (dialog->isVisible())
            dialog->reject();
}

void bewerkemail::sluitvenster()
{
    // While a run is going the editor stays: its document and the selection are in use.
    // Closing asks the run to stop before the next member.
    if (m_bezig) {
        stoppen();
        return;
    }
    TaskScreen::sluitvenster();
}

void bewerkemail::closeEvent(QCloseEvent *event)
{
    if (m_bezig) {
        stoppen();
        event->ignore();
        return;
    }
    TaskScreen::closeEvent(event);
}

void bewerkemail::opslaan()
{
    if (email()->isModified())
        m_save->start();
}

void bewerkemail::inlezen()
{
    m_open->start();
}

void bewerkemail::kiesfont()
{
    zelk::kiesfont(m_editor);
}

void bewerkemail::kieskleur()
{
    zelk::kieskleur(m_editor);
}

void bewerkemail::zetBezig(bool bezig)
{
    m_bezig = bezig;
    m_emailen->setEnabled(!bezig);
    m_menus->setEnabled(!bezig);
    m_editor->setReadOnly(bezig);
    m_onderwerp->setReadOnly(bezig);
}

void bewerkemail::toonVoortgang(int totaal)
{
    auto *dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("voortgang"));
    dialog->setWindowTitle(QStringLiteral("E-mailen"));
    dialog->setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(dialog);
    auto *stand = new QLabel(QStringLiteral("Bezig: 1 van %1").arg(totaal), dialog);
    stand->setObjectName(QStringLiteral("stand"));
    stand->setMinimumWidth(stand->fontMetrics().horizontalAdvance(QStringLiteral("Stoppen na het bericht dat nu weggaat…")));
    layout->addWidget(stand);
    auto *stop = new QPushButton(QStringLiteral("Stoppen"), dialog);
    stop->setObjectName(QStringLiteral("stoppen"));
    stop->setAutoDefault(false);
    layout->addWidget(stop, 0, Qt::AlignRight);
    connect(stop, &QPushButton::clicked, this, &bewerkemail::stoppen);
    connect(dialog, &QDialog::rejected, this, &bewerkemail::stoppen); // Escape or the window's close button
    m_voortgang = dialog;
    dialog->show();
}

void bewerkemail::toonStand(int nummer, int totaal)
{
    if (!m_voortgang)
        return;
    auto *stand = m_voortgang->findChild<QLabel *>(QStringLiteral("stand"));
    if (!m_stoppen)
        stand->setText(QStringLiteral("Bezig: %1 van %2").arg(nummer).arg(totaal));
}

void bewerkemail::stoppen()
{
    if (!m_bezig)
        return;
    m_stoppen = true;
    if (m_voortgang) {
        m_voortgang->findChild<QLabel *>(QStringLiteral("stand"))->setText(QStringLiteral("Stoppen na het bericht dat nu weggaat…"));
        m_voortgang->findChild<QPushButton *>(QStringLiteral("stoppen"))->setEnabled(false);
    }
}

void bewerkemail::emailen()
{
    if (m_bezig)
        return;
    if (!context().data)
        throw Error(QStringLiteral("Er is geen administratie geopend."));
    DataModule1 &data = *context().data;
    mail::Verzendinstelling instelling = mail::verzendinstelling(data, QString());
    const bool gewijzigd = email()->isModified(); // the run changes the body and puts it back
    mail::Verzendrun run(data, *email(), m_onderwerp->text(), instelling);
    if (!run.begin())
        return; // no outgoing server: the print copy is all
    const QString gebruiker = instelling.verbinding.gebruiker;
    const std::optional<QString> wachtwoord = MailWachtwoord::instance().wachtwoord(this, instelling.server, gebruiker);
    if (!wachtwoord)
        return; // declined: nothing is sent
    instelling.wachtwoord = *wachtwoord;

    m_stoppen = false;
    zetBezig(true);
    const int totaal = run.aantalLeden();
    if (totaal > 1)
        toonVoortgang(totaal);
    const auto einde = qScopeGuard([this, gewijzigd] {
        if (m_voortgang) {
            m_voortgang->hide();
            m_voortgang->deleteLater();
            m_voortgang = nullptr;
        }
        zetBezig(false);
        email()->setModified(gewijzigd);
    });

    auto *notice = context().screenAs<verzonderok>(QStringLiteral("verzonderok"));
    int gedaan = 0;
    while (!run.klaar() && !m_stoppen) {
        toonStand(gedaan + 1, totaal);
        const mail::Verzendstap stap = run.bereidVoor();
        if (stap.zonderAdres) {
            run.slaOver();
        } else {
            if (notice)
                notice->hide();
            const Uitkomst uitkomst = verstuurApart(instelling, stap);
            if (!uitkomst.gelukt) {
                if (uitkomst.loginGeweigerd)
                    MailWachtwoord::instance().vergeet(instelling.server, gebruiker); // asked again next time
                throw Error(QStringLiteral("De e-mail aan %1 (%2) is niet verstuurd.\n%3\nHet versturen is bij dit lid gestopt. %4")
                                .arg(stap.naam, stap.adres, uitkomst.fout, berichten(run.verzonden())));
            }
            try {
                run.gelukt(stap);
            } catch (const Error &e) {
                // The message went: say so, so that it is not sent to this member again.
                throw Error(QStringLiteral("De e-mail aan %1 (%2) is verstuurd, maar kon niet in het logboek worden gezet.\n%3\n"
                                           "Het versturen is bij dit lid gestopt. %4")
                                .arg(stap.naam, stap.adres, e.message(), berichten(run.verzonden() + 1)));
            }
            if (notice)
                notice->toon(this);
        }
        ++gedaan;
        Q_EMIT lidKlaar(gedaan, totaal);
    }

    // The summary says all the notice said; the notice would cover its text and its button.
    if (notice)
        notice->hide();
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("E-mailen"),
                                samenvattingVan(run, gedaan, m_stoppen && !run.klaar()), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("samenvatting"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace zelk
