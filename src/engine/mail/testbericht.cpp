#include "testbericht.h"

#include "mailbericht.h"
#include "zelkerror.h"

namespace zelk::mail {

QString verstuurTestbericht(const QString &server, const QString &afzenderNaam, const QString &afzenderAdres,
                            const MailserverInstelling &instelling, const QString &wachtwoord)
{
    if (server.trimmed().isEmpty())
        throw Error(QStringLiteral("Er is nog geen mailserver ingevuld bij \"E-mail account\"."));
    if (!afzenderAdres.contains(QLatin1Char('@')))
        throw Error(QStringLiteral("Er is nog geen e-mailadres van de afzender ingevuld bij \"E-mail adres\"."));
    Bericht bericht;
    bericht.afzenderNaam = afzenderNaam;
    bericht.afzenderAdres = afzenderAdres;
    bericht.ontvanger = afzenderAdres;
    bericht.onderwerp = QStringLiteral("Testbericht van Zelk");
    bericht.regels = QStringList{QStringLiteral("Dit is een testbericht van Zelk."), QString(),
                                 QStringLiteral("Komt het aan, dan kan Zelk e-mail naar de leden versturen via %1.").arg(server.trimmed())};
    bericht.datum = QDateTime::currentDateTime();
    return verstuur(verbinding(server, instelling, wachtwoord), afzenderAdres, afzenderAdres, opgemaakt(bericht));
}

} // namespace zelk::mail
