#pragma once
// Delivers one message over SMTP with libcurl: plain on port 25 as a club's own server
// expects, or with STARTTLS or SSL/TLS and a login as today's providers demand. Certificates
// are verified against the system's authorities (plus an extra CA file when given); a server
// the system does not trust is refused unless the treasurer made an exception for it.
#include "zelkerror.h"

#include <QByteArray>
#include <QString>

namespace zelk::mail {

// The server refused the login name or the password (and not the message or the
// connection): the password a program run keeps is then forgotten and asked again.
class LoginGeweigerd : public Error {
public:
    using Error::Error;
};

enum class Beveiliging { Geen, StartTls, SslTls };

struct Verbinding {
    QString server;
    int poort = 25;
    Beveiliging beveiliging = Beveiliging::Geen;
    QString gebruiker;           // empty: no login
    QString wachtwoord;          // never stored by this program
    QString caBestand;           // an extra trusted authority (PEM), for a club's own server
    bool vertrouwServer = false; // the treasurer's explicit exception for this server
};

// Connects, sends `bericht` from `afzender` to the one `ontvanger`, disconnects. Returns the
// server's last answer ("250 …"). Throws zelk::Error with a Dutch message that carries the
// server's answer or the connection's error; LoginGeweigerd when the login was refused.
QString verstuur(const Verbinding &verbinding, const QString &afzender, const QString &ontvanger, const QByteArray &bericht);

} // namespace zelk::mail
