#pragma once
// The test message of the settings screen and of zelk-cli mail-test: one short message from
// the treasurer's own address to that same address, so the connection can be tried before a
// mailing goes to the members.
#include "mailserverinstelling.h"

#include <QString>

namespace zelk::mail {

// Sends it with the server, sender name and address given and returns the server's answer.
// Throws zelk::Error when a setting is missing or the server refuses.
QString verstuurTestbericht(const QString &server, const QString &afzenderNaam, const QString &afzenderAdres,
                            const MailserverInstelling &instelling, const QString &wachtwoord);

} // namespace zelk::mail
