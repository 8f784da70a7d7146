#include "mailserverinstelling.h"

#include "filesave.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>

namespace zelk::mail {

namespace {

QString filePath(const QString &werkmap)
{
    return QDir(werkmap).filePath(QString::fromLatin1(MailserverInstelling::fileName));
}

// One line of the file: no line break may end a value early.
QString regel(const char *key, const QString &value)
{
    QString clean = value;
    clean.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return QString::fromLatin1(key) + QLatin1Char('=') + clean + QLatin1Char('\n');
}

} // namespace

QString beveiligingNaam(Beveiliging beveiliging)
{
    switch (beveiliging) {
    case Beveiliging::StartTls:
        return QStringLiteral("starttls");
    case Beveiliging::SslTls:
        return QStringLiteral("ssl");
    case Beveiliging::Geen:
        break;
    }
    return QStringLiteral("geen");
}

Beveiliging beveiligingVan(const QString &naam)
{
    const QString n = naam.trimmed().toLower();
    if (n == u"geen")
        return Beveiliging::Geen;
    if (n == u"starttls")
        return Beveiliging::StartTls;
    if (n == u"ssl" || n == u"ssl-tls" || n == u"ssl/tls")
        return Beveiliging::SslTls;
    throw Error(QStringLiteral("Beveiliging is geen, starttls of ssl, niet \"%1\".").arg(naam));
}

int poortVan(const QString &tekst)
{
    bool ok = false;
    const int poort = tekst.trimmed().toInt(&ok);
    if (!ok || poort < 1 || poort > 65535)
        throw Error(QStringLiteral("Een poort is een getal van 1 tot en met 65535, niet \"%1\".").arg(tekst));
    return poort;
}

MailserverInstelling lees(const QString &werkmap)
{
    MailserverInstelling instelling;
    QFile file(filePath(werkmap));
    if (!file.open(QIODevice::ReadOnly))
        return instelling;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        try {
            if (key == u"poort")
                instelling.poort = poortVan(value);
            else if (key == u"beveiliging")
                instelling.beveiliging = beveiligingVan(value);
            else if (key == u"gebruiker")
                instelling.gebruiker = value;
            else if (key == u"ca-bestand")
                instelling.caBestand = value;
            else if (key == u"uitzondering")
                instelling.uitzondering = value;
        } catch (const Error &) {
            // a damaged value keeps its default; the settings screen shows what is in use
        }
    }
    return instelling;
}

void bewaar(const QString &werkmap, const MailserverInstelling &instelling)
{
    QString text = QStringLiteral("# De verbinding met de mailserver; het wachtwoord staat hier nooit.\n");
    text += regel("poort", QString::number(instelling.poort));
    text += regel("beveiliging", beveiligingNaam(instelling.beveiliging));
    text += regel("gebruiker", instelling.gebruiker);
    text += regel("ca-bestand", instelling.caBestand);
    text += regel("uitzondering", instelling.uitzondering);
    saveFile(filePath(werkmap), text.toUtf8());
}

Verbinding verbinding(const QString &server, const MailserverInstelling &instelling, const QString &wachtwoord)
{
    Verbinding v;
    v.server = server.trimmed();
    v.poort = instelling.poort;
    v.beveiliging = instelling.beveiliging;
    v.gebruiker = instelling.gebruiker;
    v.wachtwoord = wachtwoord;
    v.caBestand = instelling.caBestand;
    v.vertrouwServer = !instelling.uitzondering.isEmpty() && instelling.uitzondering.compare(v.server, Qt::CaseInsensitive) == 0;
    return v;
}

} // namespace zelk::mail
