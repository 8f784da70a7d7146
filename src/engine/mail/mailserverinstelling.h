#pragma once
// How the administration reaches its mail server beyond the three e-mail settings of
// instelling.dat (whose layout stays as it is): port, encryption, login name, an extra trusted
// authority and the one server whose untrusted certificate the treasurer accepted. Kept in the
// small text file mailserver.txt beside the settings files; the password is never written.
#include "smtpverzending.h"

#include <QString>

namespace zelk::mail {

struct MailserverInstelling {
    int poort = 25;
    Beveiliging beveiliging = Beveiliging::Geen;
    QString gebruiker;
    QString caBestand;
    QString uitzondering; // the server whose untrusted certificate is accepted, or empty

    static constexpr const char *fileName = "mailserver.txt";
};

// The settings of the administration in `werkmap`; the defaults when the file is missing.
// Lines it does not know are passed over, so a newer program's file still reads.
MailserverInstelling lees(const QString &werkmap);

// Writes the file whole or not at all.
void bewaar(const QString &werkmap, const MailserverInstelling &instelling);

// The names used in the file and by zelk-cli: "geen", "starttls", "ssl".
QString beveiligingNaam(Beveiliging beveiliging);
// Throws zelk::Error for an unknown name.
Beveiliging beveiligingVan(const QString &naam);
// A port from 1 to 65535; throws zelk::Error otherwise.
int poortVan(const QString &tekst);

// The connection to `server` with these settings and the password of this program run.
Verbinding verbinding(const QString &server, const MailserverInstelling &instelling, const QString &wachtwoord);

} // namespace zelk::mail
