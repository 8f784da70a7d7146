#pragma once
// "Instellingen": the settings of the current administration (logo printing and the logo
// picture, the e-mail sender and how its mail server is reached, the Dutch amount format,
// the association name) and the choice between the five administrations. The association
// name is stored as soon as it is entered and shows in the main window's caption at once;
// the other settings are stored when the screen closes (and before a switch to another
// administration, so nothing typed is lost). "Sluit venster" keeps the screen open when
// they cannot be stored. The mail server's port, encryption, login name and certificate
// exception go to mailserver.txt; a password typed here goes to the keyring (or the memory
// of this program run), never to a file. "Testbericht" sends one message to the sender's
// own address off the user-interface thread, so the window keeps answering meanwhile.
#include "instellingacties.h"
#include "mail/mailserverinstelling.h"
#include "toolkit/taskscreen.h"

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QThread;

namespace zelk {

class instellingen : public TaskScreen {
    Q_OBJECT
public:
    explicit instellingen(AppContext &context);
    ~instellingen() override;

    // "Laad logo": asks for a picture and shows it in the second frame.
    void laadlogo();
    // Shows the picture at `path` in the second frame, ready for "Zet over"; false (after
    // showing the error) when it cannot be loaded.
    bool laadlogo(const QString &path);
    // "Zet over": copies the loaded picture into the administration as its logo.
    void zetover();
    // "Kies": stores this administration's settings, switches to the chosen one and shows
    // its settings.
    void kies();
    // Stores the settings shown (the association name too, when changed); false after
    // showing the error when they could not all be stored.
    bool bewaarinstellingen();
    // "Testbericht": sends the test message with the settings shown (stored or not) to the
    // address in "E-mail adres"; the server's answer or the error shows under the button.
    void testbericht();
    // Whether a test message is on its way.
    bool testLoopt() const { return m_testdraad != nullptr; }

    QLabel *huidigLogo() const { return m_huidig; }
    QLabel *nieuwLogo() const { return m_nieuw; }
    QCheckBox *printenLogo() const { return m_printLogo; }
    QCheckBox *printenLogoLinks() const { return m_logoLinks; }
    QCheckBox *printenLogoRechts() const { return m_logoRechts; }
    QCheckBox *nederlands() const { return m_nederlands; }
    QLineEdit *emailAdres() const { return m_email; }
    QLineEdit *afzenderNaam() const { return m_afzender; }
    QLineEdit *emailAccount() const { return m_server; }
    QLineEdit *naamVereniging() const { return m_vereniging; }
    QSpinBox *poort() const { return m_poort; }
    QComboBox *beveiliging() const { return m_beveiliging; }
    QLineEdit *gebruikersnaam() const { return m_gebruiker; }
    QLineEdit *wachtwoord() const { return m_wachtwoord; }
    QCheckBox *uitzondering() const { return m_uitzondering; }
    QLabel *testantwoord() const { return m_testantwoord; }
    QRadioButton *administratie(int item) const;
    QLabel *caption() const;
    QLabel *rootLabel() const { return m_root; }

protected:
    void onShow() override;
    void onClose() override;
    void sluitvenster() override;

private:
    QWidget *buildLogo();
    QWidget *buildAdministraties();
    QWidget *buildEmail();
    QWidget *buildMailserver();
    // The mail server settings as the fields show them, for storing and for the test.
    mail::MailserverInstelling mailserverUitVelden() const;
    void toonmailserver();
    void bewaarmailserver(); // throws zelk::Error
    void toontestuitkomst(const QString &antwoord, const QString &fout);
    // Fills every control from the settings of the current administration.
    void vulvelden();
    void toonhuidiglogo();
    void bewaarnaam();
    void bewaaralles(); // throws the first zelk::Error
    void toonCaption();
    instellingacties::Keuzes keuzes() const;

    QLabel *m_huidig = nullptr;
    QLabel *m_nieuw = nullptr;
    QCheckBox *m_printLogo = nullptr;
    QCheckBox *m_logoLinks = nullptr;
    QCheckBox *m_logoRechts = nullptr;
    QCheckBox *m_nederlands = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_afzender = nullptr;
    QLineEdit *m_server = nullptr;
    QLineEdit *m_vereniging = nullptr;
    QSpinBox *m_poort = nullptr;
    QComboBox *m_beveiliging = nullptr;
    QLineEdit *m_gebruiker = nullptr;
    QLineEdit *m_wachtwoord = nullptr;
    QCheckBox *m_uitzondering = nullptr;
    QLabel *m_testantwoord = nullptr;
    QThread *m_testdraad = nullptr;       // the test message on its way, or null
    mail::MailserverInstelling m_gelezen; // mailserver.txt as last read or stored
    QButtonGroup *m_administraties = nullptr;
    QLabel *m_root = nullptr;
    std::optional<instellingacties::Plaatje> m_plaatje; // loaded by "Laad logo"
    std::optional<QString> m_mislukteNaam;              // a name whose save failed, not retried until changed
    bool m_bewaard = false;                             // stored by "Sluit venster" just before closing
};

} // namespace zelk
