#include "bewerkemail.h"

#include "databases.h"
#include "letters/verzonderok.h"
#include "mail/verzendrun.h"
#include "store/tableschema.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
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
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
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

bewerkemail::bewerkemail(AppContext &context)
    : DocumentEditor(context, {QStringLiteral("bewerkemail"), QStringLiteral("Bewerken e-mail"), QStringLiteral("emailhoofd"),
                               QStringLiteral("email"), QStringLiteral("Inlezen e-mail"), QStringLiteral("inlezenemail"),
                               QStringLiteral("Opslaan e-mail"), QStringLiteral("opslaanemail")})
{
    buildHeader();
    QMenu *uitvoer = addMenus(QStringLiteral("Opslaan e-mail"), QStringLiteral("inlezen e-mail body"));
    // Only a changed body can be saved; the item says so by being enabled.
    opslaanItem()->setEnabled(email()->isModified());
    connect(email(), &QTextDocument::modificationChanged, opslaanItem(), &QAction::setEnabled);
    m_emailen = addItem(uitvoer, QStringLiteral("E-mailen"), [this] { emailen(); });

    // The editor opens on the subject; Tab goes on to the body, where Tab then types a tab.
    setSteps({m_onderwerp, editor()});
}

void bewerkemail::buildHeader()
{
    auto *strip = new QHBoxLayout(header());
    auto *left = new QVBoxLayout;

    auto *note = new QFrame(header());
    note->setObjectName(QStringLiteral("gewonetekst"));
    note->setFrameShape(QFrame::Box);
    auto *noteLines = new QVBoxLayout(note);
    noteLines->addWidget(new QLabel(QStringLiteral("De e-mail wordt verstuurd in gewone tekst."), note));
    noteLines->addWidget(new QLabel(QStringLiteral("Ook wanneer de tekst is opgemaakt."), note));
    left->addWidget(note);

    left->addWidget(new QLabel(QStringLiteral("Mail onderwerp"), header()));
    m_onderwerp = new QLineEdit(beginOnderwerp, header());
    m_onderwerp->setObjectName(QStringLiteral("onderwerp"));
    limitToField(m_onderwerp, schemas::mailtjes(), veld::mailtjes::Monderwerp);
    m_onderwerp->setMinimumWidth(m_onderwerp->fontMetrics().averageCharWidth() * 45);
    left->addWidget(m_onderwerp);
    left->addStretch();

    strip->addLayout(left);
    strip->addStretch();
    strip->addLayout(ledencodes(header()));
    strip->addStretch();
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

void bewerkemail::zetBezig(bool bezig)
{
    m_bezig = bezig;
    m_emailen->setEnabled(!bezig);
    menus()->setEnabled(!bezig);
    editor()->setReadOnly(bezig);
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
