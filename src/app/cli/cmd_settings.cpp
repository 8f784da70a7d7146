// settings: shows and changes the settings of the current administration, as the settings
// screen does (the logo switches, the e-mail sender, the amount format, the association
// name and the logo picture).
#include "command.h"
#include "instellingacties.h"
#include "mail/mailserverinstelling.h"
#include "session.h"
#include "settingsfiles.h"
#include "zelkerror.h"

#include <algorithm>
#include <functional>

namespace zelk::cli {
namespace {

using instellingacties::Keuzes;

// A setting of the administration: how it is shown, and (unless it is shown only) how a
// value is checked, before anything is opened, and stored.
struct Sleutel {
    QString naam;
    std::function<QString(const DataModule1 &)> toon;
    std::function<void(const QString &)> controleer; // throws UsageError
    std::function<void(DataModule1 &, const QString &)> zet;
};

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool toFlag(const QString &value)
{
    return value == u"1";
}

std::function<void(const QString &)> schakelaarWaarde(const QString &key)
{
    return [key](const QString &value) {
        if (value != u"0" && value != u"1")
            throw UsageError(QStringLiteral("%1 is 0 (uit) of 1 (aan), niet \"%2\"").arg(key, value).toStdString());
    };
}

std::function<void(const QString &)> tekstWaarde(const QString &key, int maxLength)
{
    return [key, maxLength](const QString &value) {
        if (const QString problem = instellingacties::tekstProbleem(value, maxLength); !problem.isEmpty())
            throw UsageError(QStringLiteral("%1: %2").arg(key, problem).toStdString());
    };
}

// A setting of instelling.dat or konfigur.dat: changed in the current values and stored.
std::function<void(DataModule1 &, const QString &)> keuze(std::function<void(Keuzes &, const QString &)> change)
{
    return [change](DataModule1 &data, const QString &value) {
        Keuzes keuzes = instellingacties::huidige(data);
        change(keuzes, value);
        instellingacties::bewaar(data, keuzes);
    };
}

Sleutel tekst(const QString &key, QString (Instelling::*read)() const, QString Keuzes::*field, int maxLength)
{
    return {key, [read](const DataModule1 &d) { return (d.settings.instelling.*read)(); }, tekstWaarde(key, maxLength),
            keuze([field](Keuzes &k, const QString &value) { k.*field = value; })};
}

Sleutel schakelaar(const QString &key, std::function<bool(const DataModule1 &)> read, bool Keuzes::*field)
{
    return {key, [read](const DataModule1 &d) { return flag(read(d)); }, schakelaarWaarde(key),
            keuze([field](Keuzes &k, const QString &value) { k.*field = toFlag(value); })};
}

// A setting of mailserver.txt: checked with the file's own rules, stored in that file.
Sleutel mailserver(const QString &key, std::function<QString(const mail::MailserverInstelling &)> read,
                   std::function<void(mail::MailserverInstelling &, const QString &)> change)
{
    return {key, [read](const DataModule1 &d) { return read(mail::lees(d.werkmap())); },
            [key, change](const QString &value) {
                mail::MailserverInstelling probe;
                try {
                    change(probe, value);
                } catch (const Error &e) {
                    throw UsageError(QStringLiteral("%1: %2").arg(key, e.message()).toStdString());
                }
            },
            [change](DataModule1 &d, const QString &value) {
                mail::MailserverInstelling instelling = mail::lees(d.werkmap());
                change(instelling, value);
                mail::bewaar(d.werkmap(), instelling);
            }};
}

const QList<Sleutel> &sleutels()
{
    using namespace instellingacties;
    static const QList<Sleutel> all = {
        {QStringLiteral("vereniging"), [](const DataModule1 &d) { return d.settings.verenigingsnaam; },
         tekstWaarde(QStringLiteral("vereniging"), settingsfiles::maxVerenigingsnaam),
         [](DataModule1 &d, const QString &value) { d.setVerenigingsnaam(value); }},
        tekst(QStringLiteral("email"), &Instelling::emailAdres, &Keuzes::emailAdres, maxEmailAdres),
        tekst(QStringLiteral("afzender"), &Instelling::afzenderNaam, &Keuzes::afzenderNaam, maxAfzenderNaam),
        tekst(QStringLiteral("server"), &Instelling::smtpServer, &Keuzes::smtpServer, maxSmtpServer),
        schakelaar(
            QStringLiteral("nederlands"), [](const DataModule1 &d) { return d.settings.konfigur.nederlandseBedragen(); },
            &Keuzes::nederlandseBedragen),
        schakelaar(
            QStringLiteral("logo"), [](const DataModule1 &d) { return d.settings.printLogo; }, &Keuzes::printLogo),
        schakelaar(
            QStringLiteral("logo-links"), [](const DataModule1 &d) { return d.settings.logoLinks; }, &Keuzes::logoLinks),
        schakelaar(
            QStringLiteral("logo-rechts"), [](const DataModule1 &d) { return d.settings.logoRechts; }, &Keuzes::logoRechts),
        mailserver(
            QStringLiteral("poort"), [](const mail::MailserverInstelling &m) { return QString::number(m.poort); },
            [](mail::MailserverInstelling &m, const QString &v) { m.poort = mail::poortVan(v); }),
        mailserver(
            QStringLiteral("beveiliging"), [](const mail::MailserverInstelling &m) { return mail::beveiligingNaam(m.beveiliging); },
            [](mail::MailserverInstelling &m, const QString &v) { m.beveiliging = mail::beveiligingVan(v); }),
        mailserver(
            QStringLiteral("gebruiker"), [](const mail::MailserverInstelling &m) { return m.gebruiker; },
            [](mail::MailserverInstelling &m, const QString &v) { m.gebruiker = v.trimmed(); }),
        mailserver(
            QStringLiteral("ca-bestand"), [](const mail::MailserverInstelling &m) { return m.caBestand; },
            [](mail::MailserverInstelling &m, const QString &v) { m.caBestand = v.trimmed(); }),
        mailserver(
            QStringLiteral("uitzondering"), [](const mail::MailserverInstelling &m) { return m.uitzondering; },
            [](mail::MailserverInstelling &m, const QString &v) { m.uitzondering = v.trimmed(); }),
        {QStringLiteral("logopad"), [](const DataModule1 &d) { return d.settings.logoPad; }, nullptr, nullptr},
        {QStringLiteral("backupmap"), [](const DataModule1 &d) { return d.settings.konfigur.backupMap(); }, nullptr, nullptr},
    };
    return all;
}

QStringList changeable()
{
    QStringList names;
    for (const Sleutel &s : sleutels())
        if (s.zet)
            names << s.naam;
    return names;
}

void show(const DataModule1 &data, Io &io)
{
    for (const Sleutel &s : sleutels())
        io.out << s.naam << "=" << s.toon(data) << "\n";
}

int settings(const QStringList &args, Io &io)
{
    if (args.isEmpty()) {
        show(*openForReading(io), io);
        return Ok;
    }
    const QString what = args.first();
    if (what == u"set") {
        if (args.size() != 3)
            throw UsageError("settings set heeft een sleutel en een waarde nodig");
        const QString &key = args.at(1);
        const auto it = std::find_if(sleutels().cbegin(), sleutels().cend(), [&](const Sleutel &s) { return s.naam == key; });
        if (it == sleutels().cend() || !it->zet)
            throw UsageError(QStringLiteral("onbekende sleutel \"%1\"; te wijzigen zijn: %2")
                                 .arg(key, changeable().join(QStringLiteral(", ")))
                                 .toStdString());
        it->controleer(args.at(2));
        const auto data = openForWriting(io);
        it->zet(*data, args.at(2));
        io.out << key << "=" << it->toon(*data) << "\n"; // as stored
        return Ok;
    }
    if (what == u"logo") {
        if (args.size() != 2)
            throw UsageError("settings logo heeft één bestand nodig");
        // The picture is read and checked before the administration is opened for writing.
        const instellingacties::Plaatje plaatje = instellingacties::laadPlaatje(args.at(1));
        const auto data = openForWriting(io);
        io.out << "logopad=" << instellingacties::zetLogoOver(*data, plaatje) << "\n";
        return Ok;
    }
    throw UsageError(QStringLiteral("onbekend argument: %1").arg(what).toStdString());
}

const Registration settingsCommand(
    QStringLiteral("settings"),
    {QStringLiteral("settings [set SLEUTEL WAARDE | logo BESTAND]"),
     QStringLiteral("toont de instellingen van de huidige administratie (sleutel=waarde), wijzigt er een (vereniging, email, "
                    "afzender, server: tekst; nederlands, logo, logo-links, logo-rechts: 0 of 1; poort: 1-65535; beveiliging: "
                    "geen, starttls of ssl; gebruiker; ca-bestand: een extra vertrouwde CA (PEM); uitzondering: de server "
                    "waarvan een niet vertrouwd certificaat toch aanvaard wordt) of zet een JPEG-, BMP- of PNG-afbeelding "
                    "over als logo"),
     settings});

} // namespace
} // namespace zelk::cli
