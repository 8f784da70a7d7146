// mail-test: sends the settings screen's test message to the sender's own address and prints
// the server's answer. The password comes from ZELK_SMTP_PASSWORD: zelk-cli never stores one.
#include "command.h"
#include "mail/testbericht.h"
#include "session.h"

namespace zelk::cli {
namespace {

int mailTest(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("mail-test heeft geen argumenten");
    const auto data = openForReading(io);
    const Instelling &instelling = data->settings.instelling;
    const QString answer = mail::verstuurTestbericht(instelling.smtpServer(), instelling.afzenderNaam(), instelling.emailAdres(),
                                                     mail::lees(data->werkmap()), qEnvironmentVariable("ZELK_SMTP_PASSWORD"));
    io.out << "Testbericht verstuurd naar " << instelling.emailAdres() << "; de server antwoordde: " << answer << "\n";
    return Ok;
}

const Registration mailTestCommand(QStringLiteral("mail-test"),
                                   {QStringLiteral("mail-test"),
                                    QStringLiteral("stuurt een testbericht naar het eigen e-mailadres van de afzender via de "
                                                   "ingestelde mailserver (wachtwoord uit ZELK_SMTP_PASSWORD) en toont het "
                                                   "antwoord van de server"),
                                    mailTest});

} // namespace
} // namespace zelk::cli
