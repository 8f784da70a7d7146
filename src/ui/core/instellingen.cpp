#include "instellingen.h"

#include "administraties.h"
#include "databases.h"
#include "mail/smtpverzending.h"
#include "mail/testbericht.h"
#include "main.h"
#include "toolkit/appcontext.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/mailwachtwoord.h"
#include "toolkit/messages.h"
#include "zelkerror.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QThread>
#include <QVBoxLayout>
#include <memory>
#include <tuple>
#include <utility>

namespace zelk {

namespace {
const QSize logoFrame(200, 130);

QLabel *frame(const QString &objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::Box);
    label->setFixedSize(logoFrame);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// A picture at its own size, or made smaller to fit the frame.
void showPicture(QLabel *frame, const QImage &image)
{
    const QSize room = frame->contentsRect().size();
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.width() > room.width() || pixmap.height() > room.height())
        pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    frame->setPixmap(pixmap);
}

QLabel *explanation(const QStringList &lines, QWidget *parent)
{
    auto *label = new QLabel(lines.join(u'\n'), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Shows the busy cursor while a long step runs, over the button and the whole program.
class BusyCursor {
public:
    explicit BusyCursor(QWidget *button) : m_button(button)
    {
        m_button->setCursor(Qt::BusyCursor);
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~BusyCursor()
    {
        QGuiApplication::restoreOverrideCursor();
        m_button->setCursor(Qt::PointingHandCursor);
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    QWidget *m_button;
};
} // namespace

instellingen::instellingen(AppContext &context)
    : TaskScreen(context, QStringLiteral("instellingen"), QStringLiteral("Instellingen"), QStringLiteral("17. INSTELLINGEN"))
{
    auto *top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(helpButton());
    top->addWidget(closeButton());
    helpButton()->setCursor(Qt::WhatsThisCursor);

    auto *middle = new QHBoxLayout;
    middle->addWidget(buildLogo());
    middle->addWidget(buildAdministraties(), 1);

    m_vereniging = new QLineEdit(this);
    m_vereniging->setObjectName(QStringLiteral("naamvereniging"));
    m_vereniging->setMaxLength(settingsfiles::maxVerenigingsnaam);
    m_vereniging->setMinimumWidth(m_vereniging->fontMetrics().horizontalAdvance(QString(34, u'n')));
    connect(m_vereniging, &QLineEdit::editingFinished, this, guarded(this, [this] { bewaarnaam(); }));
    m_nederlands = new QCheckBox(QStringLiteral("Nederlandse invoer/weergave bedragen"), this);
    m_nederlands->setObjectName(QStringLiteral("nederlands"));
    auto *naam = new QHBoxLayout;
    auto *naamLabel = new QLabel(QStringLiteral("Naam vereniging"), this);
    naamLabel->setBuddy(m_vereniging);
    naam->addWidget(naamLabel);
    naam->addWidget(m_vereniging);
    naam->addSpacing(24);
    naam->addWidget(m_nederlands);
    naam->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(naam);
    auto *mail = new QHBoxLayout;
    mail->addWidget(buildEmail(), 1);
    mail->addWidget(buildMailserver());
    // An exception is made for one server: another name typed needs its own tick.
    connect(m_server, &QLineEdit::textEdited, m_uitzondering, [this] { m_uitzondering->setChecked(false); });
    layout->addLayout(mail);
    layout->addStretch();
}

instellingen::~instellingen()
{
    // A test message on its way is let finish (the connection gives up by itself).
    if (m_testdraad)
        m_testdraad->wait();
}

QWidget *instellingen::buildLogo()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("logo"));
    resetHoverOver(box);
    m_huidig = frame(QStringLiteral("huidiglogo"), box);
    m_nieuw = frame(QStringLiteral("nieuwlogo"), box);
    HoverButton *zetOver = addButton(QStringLiteral("Zet over"), {}, box);
    HoverButton *laad = addButton(QStringLiteral("Laad logo"), {}, box);
    zetOver->setEnabled(false); // until a picture is loaded
    connect(zetOver, &QPushButton::clicked, this, guarded(this, [this] { zetover(); }));
    connect(laad, &QPushButton::clicked, this, guarded(this, [this] { laadlogo(); }));

    m_printLogo = new QCheckBox(QStringLiteral("Printen logo"), box);
    m_printLogo->setObjectName(QStringLiteral("printenlogo"));
    m_logoLinks = new QCheckBox(QStringLiteral("Printen logo links"), box);
    m_logoLinks->setObjectName(QStringLiteral("printenlogolinks"));
    m_logoRechts = new QCheckBox(QStringLiteral("Printen logo rechts"), box);
    m_logoRechts->setObjectName(QStringLiteral("printenlogorechts"));

    auto *grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Huidig logo"), box), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Nieuw logo"), box), 0, 2);
    grid->addWidget(m_huidig, 1, 0);
    grid->addWidget(zetOver, 1, 1, Qt::AlignVCenter);
    grid->addWidget(m_nieuw, 1, 2);
    grid->addWidget(laad, 2, 2);
    auto *checks = new QVBoxLayout;
    checks->addWidget(m_printLogo);
    checks->addWidget(m_logoLinks);
    checks->addWidget(m_logoRechts);
    grid->addLayout(checks, 2, 0, 2, 1);
    grid->setRowStretch(4, 1);
    return box;
}

QWidget *instellingen::buildAdministraties()
{
    auto *area = new QWidget(this);
    auto *box = new QGroupBox(QStringLiteral("Kies een administrartie"), area);
    box->setObjectName(QStringLiteral("administraties"));
    resetHoverOver(box);
    m_administraties = new QButtonGroup(this);
    auto *items = new QVBoxLayout(box);
    for (int item = 0; item < administraties::aantal; ++item) {
        auto *radio = new QRadioButton(administraties::caption(item), box);
        radio->setObjectName(QStringLiteral("administratie%1").arg(item));
        m_administraties->addButton(radio, item);
        items->addWidget(radio);
    }
    m_administraties->button(0)->setChecked(true);

    HoverButton *kiesButton = addButton(QStringLiteral("Kies"), {}, area);
    kiesButton->setCursor(Qt::PointingHandCursor);
    connect(kiesButton, &QPushButton::clicked, this, guarded(this, [this] { kies(); }));

    m_root = new QLabel(QDir::toNativeSeparators(administraties::root()), area);
    m_root->setObjectName(QStringLiteral("administratiemap"));
    m_root->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *info = new QVBoxLayout;
    info->addWidget(new QLabel(QStringLiteral("Er zijn 5 administraties te voeren"), area));
    info->addWidget(new QLabel(QStringLiteral("De administraties bevinden zich in de"), area));
    info->addWidget(new QLabel(QStringLiteral("mappen zelk, zelk01 tm zelk04 in de map"), area));
    info->addWidget(m_root);
    info->addSpacing(12);
    info->addWidget(titleLabel());
    titleLabel()->setWordWrap(true);
    info->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(box);
    left->addWidget(kiesButton);
    left->addStretch();
    auto *layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left);
    layout->addSpacing(12);
    layout->addLayout(info, 1);
    return area;
}

QWidget *instellingen::buildEmail()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("email"));
    resetHoverOver(box);
    auto field = [box](const QString &objectName, int maxLength) {
        auto *edit = new QLineEdit(box);
        edit->setObjectName(objectName);
        edit->setMaxLength(maxLength);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(32, u'n')));
        return edit;
    };
    m_email = field(QStringLiteral("emailadres"), instellingacties::maxEmailAdres);
    m_afzender = field(QStringLiteral("afzendernaam"), instellingacties::maxAfzenderNaam);
    m_server = field(QStringLiteral("emailaccount"), instellingacties::maxSmtpServer);

    auto *grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(10);
    const QList<std::tuple<QString, QLineEdit *, QStringList>> rows = {
        {QStringLiteral("E-mail adres"),
         m_email,
         {QStringLiteral("Vul hierin je eigen e-mail adres in, bijvoorbeeld: penningmeester@devereniging.nl"),
          QStringLiteral("Dit email adres moet horen bij de provider van de uitgaande post hieronder.")}},
        {QStringLiteral("Afzender naam"),
         m_afzender,
         {QStringLiteral("Vul hierin de afzendernaam. Dit mag een willikeurige naam zijn."),
          QStringLiteral("Voorbeeld: Penningmeester Altijd raak, of.......")}},
        {QStringLiteral("E-mail account"),
         m_server,
         {QStringLiteral("Hierin moet de servernaam komen voor uitgaande post (je provider)."),
          QStringLiteral("Dat is de server voor uitgaande post (SMTP) van de provider van je e-mail;"),
          QStringLiteral("je provider vermeldt hem bij de instellingen voor het versturen van e-mail."),
          QStringLiteral("Bijvoorbeeld: smtp.ziggo.nl of smtp.kpnmail.nl")}},
    };
    int row = 0;
    for (const auto &[caption, edit, lines] : rows) {
        auto *label = new QLabel(caption, box);
        label->setBuddy(edit);
        auto *column = new QVBoxLayout;
        column->addWidget(label);
        column->addWidget(edit);
        column->addStretch();
        grid->addLayout(column, row, 0);
        grid->addWidget(explanation(lines, box), row, 1);
        ++row;
    }
    return box;
}

QWidget *instellingen::buildMailserver()
{
    auto *box = new QGroupBox(QStringLiteral("Verbinding met de mailserver"), this);
    box->setObjectName(QStringLiteral("mailserver"));
    resetHoverOver(box);

    m_poort = new QSpinBox(box);
    m_poort->setObjectName(QStringLiteral("poort"));
    m_poort->setRange(1, 65535);
    m_poort->setValue(mail::MailserverInstelling().poort);
    m_poort->setToolTip(QStringLiteral("25 zonder beveiliging, meestal 587 met STARTTLS en 465 met SSL-TLS"));
    m_beveiliging = new QComboBox(box);
    m_beveiliging->setObjectName(QStringLiteral("beveiliging"));
    m_beveiliging->addItem(QStringLiteral("geen"), static_cast<int>(mail::Beveiliging::Geen));
    m_beveiliging->addItem(QStringLiteral("STARTTLS"), static_cast<int>(mail::Beveiliging::StartTls));
    m_beveiliging->addItem(QStringLiteral("SSL-TLS"), static_cast<int>(mail::Beveiliging::SslTls));
    m_gebruiker = new QLineEdit(box);
    m_gebruiker->setObjectName(QStringLiteral("gebruikersnaam"));
    m_gebruiker->setToolTip(QStringLiteral("Leeg laten als de server geen inlog vraagt"));
    m_wachtwoord = new QLineEdit(box);
    m_wachtwoord->setObjectName(QStringLiteral("wachtwoord"));
    m_wachtwoord->setEchoMode(QLineEdit::Password);
    m_wachtwoord->setPlaceholderText(QStringLiteral("leeg: blijft zoals het was"));
    m_wachtwoord->setToolTip(QStringLiteral("Het wachtwoord wordt nooit in een bestand bewaard: alleen in de sleutelbos van je "
                                            "bureaublad, of anders tot het programma stopt."));
    m_uitzondering = new QCheckBox(QStringLiteral("Certificaat van deze server toch vertrouwen"), box);
    m_uitzondering->setObjectName(QStringLiteral("uitzondering"));
    auto *uitleg = explanation({QStringLiteral("Alleen aanvinken voor een eigen server die je kent:"),
                                QStringLiteral("de echtheid van de server wordt dan niet gecontroleerd.")},
                               box);

    HoverButton *test = addButton(QStringLiteral("Testbericht"), {}, box);
    test->setToolTip(QStringLiteral("Verstuurt een testbericht naar je eigen e-mail adres"));
    connect(test, &QPushButton::clicked, this, guarded(this, [this] { testbericht(); }));
    m_testantwoord = new QLabel(box);
    m_testantwoord->setObjectName(QStringLiteral("testantwoord"));
    m_testantwoord->setWordWrap(true);
    m_testantwoord->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_testantwoord->setMinimumWidth(m_testantwoord->fontMetrics().horizontalAdvance(QString(44, u'n')));
    m_testantwoord->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *form = new QGridLayout(box);
    form->setVerticalSpacing(4);
    int row = 0;
    const QList<std::pair<QString, QWidget *>> rows = {{QStringLiteral("Poort"), m_poort},
                                                       {QStringLiteral("Beveiliging"), m_beveiliging},
                                                       {QStringLiteral("Gebruikersnaam"), m_gebruiker},
                                                       {QStringLiteral("Wachtwoord"), m_wachtwoord}};
    for (const auto &[caption, field] : rows) {
        auto *label = new QLabel(caption, box);
        label->setBuddy(field);
        form->addWidget(label, row, 0);
        form->addWidget(field, row, 1, Qt::AlignLeft);
        ++row;
    }
    m_gebruiker->setMinimumWidth(m_gebruiker->fontMetrics().horizontalAdvance(QString(24, u'n')));
    m_wachtwoord->setMinimumWidth(m_gebruiker->minimumWidth());
    form->addWidget(m_uitzondering, row++, 0, 1, 2);
    form->addWidget(uitleg, row++, 0, 1, 2);
    form->addWidget(test, row, 0);
    form->addWidget(m_testantwoord, row++, 1);
    form->setRowStretch(row, 1);
    return box;
}

QRadioButton *instellingen::administratie(int item) const
{
    return qobject_cast<QRadioButton *>(m_administraties->button(item));
}

QLabel *instellingen::caption() const
{
    return findChild<QLabel *>(QStringLiteral("titel"));
}

void instellingen::onShow()
{
    m_bewaard = false;
    m_mislukteNaam.reset();
    vulvelden();
}

void instellingen::vulvelden()
{
    DataModule1 *data = context().data;
    if (!data)
        return;
    const instellingacties::Keuzes k = instellingacties::huidige(*data);
    m_printLogo->setChecked(k.printLogo);
    m_logoLinks->setChecked(k.logoLinks);
    m_logoRechts->setChecked(k.logoRechts);
    m_nederlands->setChecked(k.nederlandseBedragen);
    m_email->setText(k.emailAdres);
    m_afzender->setText(k.afzenderNaam);
    m_server->setText(k.smtpServer);
    m_vereniging->setText(data->settings.verenigingsnaam);
    toonmailserver();
    toonCaption();
    if (const int item = administraties::itemOf(data->werkmap()); item >= 0)
        m_administraties->button(item)->setChecked(true);
    m_root->setText(QDir::toNativeSeparators(administraties::root()));
    toonhuidiglogo(); // last: a logo that cannot be shown leaves the rest filled in
}

void instellingen::toonmailserver()
{
    m_gelezen = mail::lees(context().data->werkmap());
    m_poort->setValue(m_gelezen.poort);
    m_beveiliging->setCurrentIndex(m_beveiliging->findData(static_cast<int>(m_gelezen.beveiliging)));
    m_gebruiker->setText(m_gelezen.gebruiker);
    m_wachtwoord->clear(); // never shown; typing one replaces the one kept
    m_uitzondering->setChecked(!m_gelezen.uitzondering.isEmpty()
                               && m_gelezen.uitzondering.compare(m_server->text().trimmed(), Qt::CaseInsensitive) == 0);
    m_testantwoord->clear();
}

mail::MailserverInstelling instellingen::mailserverUitVelden() const
{
    mail::MailserverInstelling instelling = m_gelezen; // the CA file has no field here and stays
    instelling.poort = m_poort->value();
    instelling.beveiliging = static_cast<mail::Beveiliging>(m_beveiliging->currentData().toInt());
    instelling.gebruiker = m_gebruiker->text().trimmed();
    // The exception belongs to the server it was made for: another server name drops it.
    instelling.uitzondering = m_uitzondering->isChecked() ? m_server->text().trimmed() : QString();
    return instelling;
}

void instellingen::bewaarmailserver()
{
    const mail::MailserverInstelling instelling = mailserverUitVelden();
    const QString werkmap = context().data->werkmap();
    const mail::MailserverInstelling opgeslagen = mail::lees(werkmap);
    const bool zelfde = opgeslagen.poort == instelling.poort && opgeslagen.beveiliging == instelling.beveiliging
        && opgeslagen.gebruiker == instelling.gebruiker && opgeslagen.caBestand == instelling.caBestand
        && opgeslagen.uitzondering == instelling.uitzondering;
    if (!zelfde) // also: no file is made while everything stays at its defaults
        mail::bewaar(werkmap, instelling);
    m_gelezen = instelling;
    if (!m_wachtwoord->text().isEmpty() && !instelling.gebruiker.isEmpty())
        MailWachtwoord::instance().bewaar(m_server->text().trimmed(), instelling.gebruiker, m_wachtwoord->text());
}

void instellingen::testbericht()
{
    if (m_testdraad)
        return; // one at a time
    const QString server = m_server->text().trimmed();
    const QString naam = m_afzender->text();
    const QString adres = m_email->text().trimmed();
    const mail::MailserverInstelling instelling = mailserverUitVelden();
    QString wachtwoord = m_wachtwoord->text();
    if (wachtwoord.isEmpty() && !instelling.gebruiker.isEmpty() && !server.isEmpty()) {
        const std::optional<QString> bekend = MailWachtwoord::instance().wachtwoord(this, server, instelling.gebruiker);
        if (!bekend) {
            m_testantwoord->setText(QStringLiteral("Niet verstuurd: er is geen wachtwoord gegeven."));
            return;
        }
        wachtwoord = *bekend;
    }

    struct Uitkomst {
        QString antwoord;
        QString fout;
        bool loginGeweigerd = false;
    };
    auto uitkomst = std::make_shared<Uitkomst>();
    m_testdraad = QThread::create([=] {
        try {
            uitkomst->antwoord = mail::verstuurTestbericht(server, naam, adres, instelling, wachtwoord);
        } catch (const mail::LoginGeweigerd &e) {
            uitkomst->loginGeweigerd = true;
            uitkomst->fout = e.message();
        } catch (const std::exception &e) {
            uitkomst->fout = errorText(e);
        }
    });
    m_testdraad->setParent(this);
    connect(m_testdraad, &QThread::finished, this, [this, uitkomst, server, gebruiker = instelling.gebruiker] {
        m_testdraad->deleteLater();
        m_testdraad = nullptr;
        if (uitkomst->loginGeweigerd)
            MailWachtwoord::instance().vergeet(server, gebruiker); // asked again next time
        toontestuitkomst(uitkomst->antwoord, uitkomst->fout);
    });
    button(QStringLiteral("Testbericht"))->setEnabled(false);
    m_testantwoord->setStyleSheet({});
    m_testantwoord->setText(QStringLiteral("Het testbericht wordt verstuurd naar %1 …").arg(adres));
    m_testdraad->start();
}

void instellingen::toontestuitkomst(const QString &antwoord, const QString &fout)
{
    button(QStringLiteral("Testbericht"))->setEnabled(true);
    if (fout.isEmpty()) {
        m_testantwoord->setStyleSheet(QStringLiteral("color: darkgreen;"));
        m_testantwoord->setText(QStringLiteral("Verstuurd. Antwoord van de server: %1").arg(antwoord));
        return;
    }
    m_testantwoord->setStyleSheet(QStringLiteral("color: darkred;"));
    m_testantwoord->setText(QStringLiteral("Niet verstuurd."));
    showError(this, fout);
}

void instellingen::toonhuidiglogo()
{
    m_huidig->clear();
    const QString path = context().data->settings.logoPad;
    m_huidig->setToolTip(QDir::toNativeSeparators(path));
    attempt(this, [&] { showPicture(m_huidig, instellingacties::laadLogo(path)); });
}

void instellingen::toonCaption()
{
    if (context().mainMenu)
        titleLabel()->setText(context().mainMenu->windowTitle());
}

void instellingen::laadlogo()
{
    QFileDialog dialog(this, QStringLiteral("Laad logo"));
    dialog.setObjectName(QStringLiteral("logokiezen"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Afbeeldingen (*.jpg *.jpeg *.bmp *.png)"));
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    dialog.setDirectory(QDir(pictures).exists() ? pictures : QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return; // cancelled: nothing changes
    laadlogo(dialog.selectedFiles().constFirst());
}

bool instellingen::laadlogo(const QString &path)
{
    return attempt(this, [&] {
        instellingacties::Plaatje plaatje = instellingacties::laadPlaatje(path);
        showPicture(m_nieuw, plaatje.image);
        m_nieuw->setToolTip(QDir::toNativeSeparators(path));
        m_plaatje = std::move(plaatje);
        button(QStringLiteral("Zet over"))->setEnabled(true);
    });
}

void instellingen::zetover()
{
    if (!m_plaatje)
        return;
    if (attempt(this, [&] { instellingacties::zetLogoOver(*context().data, *m_plaatje); }))
        toonhuidiglogo();
}

instellingacties::Keuzes instellingen::keuzes() const
{
    return {m_printLogo->isChecked(), m_logoLinks->isChecked(), m_logoRechts->isChecked(), m_email->text(),
            m_afzender->text(),       m_server->text(),         m_nederlands->isChecked()};
}

void instellingen::bewaarnaam()
{
    DataModule1 *data = context().data;
    const QString name = m_vereniging->text().trimmed();
    if (!data || name == data->settings.verenigingsnaam || name == m_mislukteNaam)
        return; // unchanged, or just refused (the error box taking the focus ends the edit again)
    m_mislukteNaam = name;
    data->setVerenigingsnaam(name);
    m_mislukteNaam.reset();
    if (context().mainMenu)
        context().mainMenu->setWindowTitle(main::captionFor(data->settings.verenigingsnaam));
    toonCaption();
}

bool instellingen::bewaarinstellingen()
{
    DataModule1 *data = context().data;
    if (!data)
        return true;
    return attempt(this, [this] { bewaaralles(); });
}

void instellingen::bewaaralles()
{
    // The name and the settings files are saved apart: one that fails does not keep the
    // other from being stored. The first failure is reported.
    std::optional<Error> first;
    try {
        m_mislukteNaam.reset(); // storing everything tries a refused name once more
        bewaarnaam();
    } catch (const Error &e) {
        first = e;
    }
    try {
        instellingacties::bewaar(*context().data, keuzes());
    } catch (const Error &e) {
        if (!first)
            first = e;
    }
    try {
        bewaarmailserver();
    } catch (const Error &e) {
        if (!first)
            first = e;
    }
    if (first)
        throw *first;
}

void instellingen::sluitvenster()
{
    if (!bewaarinstellingen())
        return; // stays open: what is typed is not lost
    m_bewaard = true;
    close();
}

void instellingen::onClose()
{
    // Closed another way than "Sluit venster" (the window's close box): store now; an
    // error is shown and the screen closes all the same.
    if (std::exchange(m_bewaard, false) || !context().data)
        return;
    bewaaralles();
}

void instellingen::kies()
{
    DataModule1 *data = context().data;
    const int item = m_administraties->checkedId();
    if (!data || item < 0)
        return;
    // What is shown belongs to the administration being left: stored first, or no switch.
    if (!bewaarinstellingen())
        return;
    bool switched = false;
    {
        BusyCursor busy(button(QStringLiteral("Kies")));
        switched = attempt(this, [&] { data->switchAdministration(item); });
        if (switched)
            if (auto *menu = qobject_cast<zelk::main *>(context().mainMenu))
                menu->runShowSteps(); // status bar and caption of the new administration
    }
    vulvelden(); // a picture loaded for "Zet over" stays, to be put into this administration too
}

} // namespace zelk
