// mail: the e-mail editor's sending run over the mailing selection, or a dry run that writes
// the messages to files; mail-log: the log of sent e-mail; mail-test: the settings screen's
// test message to the sender's own address. The password comes from ZELK_SMTP_PASSWORD:
// zelk-cli never stores one.
#include "command.h"
#include "ledenselectie.h"
#include "mail/testbericht.h"
#include "mail/verzendrun.h"
#include "rtf/rtf.h"
#include "session.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

namespace zelk::cli {
namespace {

// A file name part for a member: letters without their accents, digits, '-' and '_' as
// they are, anything else '_', at most 40 characters; never empty.
QString veiligeNaam(const QString &naam)
{
    QString safe;
    for (const QChar c : naam.normalized(QString::NormalizationForm_KD)) {
        if (c.isMark())
            continue;
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-';
        safe += plain ? c : QChar(u'_');
    }
    safe = safe.left(40);
    return safe.isEmpty() ? QStringLiteral("lid") : safe;
}

void schrijfBericht(const QString &path, const QByteArray &bericht)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bericht) != bericht.size() || !file.commit())
        throw Error(QStringLiteral("Het bericht kon niet worden geschreven naar \"%1\": %2").arg(path, file.errorString()));
}

int mail(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const bool subjectGiven = args.contains(QStringLiteral("--subject"));
    const QString onderwerp = takeOption(args, QStringLiteral("--subject"));
    const bool dryRun = args.contains(QStringLiteral("--dry-run"));
    const QString folder = takeOption(args, QStringLiteral("--dry-run"));
    const FilterCriteria criteria = takeLedenfilter(args);
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
        throw UsageError("mail heeft precies één BERICHT nodig (een RTF-bestand)");
    if (!subjectGiven)
        throw UsageError("geef met --subject TEKST het onderwerp van de e-mail");
    if (dryRun && folder.isEmpty())
        throw UsageError("--dry-run heeft een map nodig");
    if (!QFileInfo(args.first()).isFile())
        throw Error(QStringLiteral("Het e-mailbericht \"%1\" bestaat niet.").arg(args.first()));
    QTextDocument document;
    rtf::readFile(args.first(), &document);
    if (dryRun && !QDir().mkpath(folder))
        throw Error(QStringLiteral("De map \"%1\" kan niet worden gemaakt.").arg(folder));

    auto data = openForWriting(io);
    applyLedenfilter(data->ledentabel, criteria);
    const mail::Verzendinstelling instelling = mail::verzendinstelling(*data, qEnvironmentVariable("ZELK_SMTP_PASSWORD"));
    mail::Verzendrun run(*data, document, onderwerp, instelling);
    if (!run.begin())
        throw Error(QStringLiteral("Er is nog geen mailserver ingevuld bij \"E-mail account\"; er is niets verstuurd."));

    int geschreven = 0;
    while (!run.klaar()) {
        const mail::Verzendstap stap = run.bereidVoor();
        if (stap.zonderAdres) {
            run.slaOver();
            continue;
        }
        if (dryRun) {
            ++geschreven;
            const QString path
                = QDir(folder).filePath(QStringLiteral("%1-%2.eml").arg(geschreven, 3, 10, QLatin1Char('0')).arg(veiligeNaam(stap.naam)));
            schrijfBericht(path, stap.bericht);
            io.out << "Geschreven voor " << stap.naam << " <" << stap.adres << ">: " << path << "\n";
            run.slaOver(); // nothing is sent, so nothing is logged
            continue;
        }
        try {
            mail::verstuurStap(instelling, stap);
        } catch (const Error &e) {
            io.out.flush();
            throw Error(QStringLiteral("Versturen aan %1 <%2> is mislukt (%3). Eerder verstuurd en gelogd: %4 e-mail(s); "
                                       "%1 en de leden na %1 hebben niets gekregen.")
                            .arg(stap.naam, stap.adres, e.message())
                            .arg(run.verzonden()));
        }
        try {
            run.gelukt(stap);
        } catch (const Error &e) {
            throw Error(QStringLiteral("De e-mail aan %1 <%2> is verstuurd, maar kon niet in het logboek worden gezet: %3 "
                                       "De leden na %1 hebben niets gekregen.")
                            .arg(stap.naam, stap.adres, e.message()));
        }
        io.out << "Verstuurd aan " << stap.naam << " <" << stap.adres << ">\n";
    }

    if (dryRun)
        io.out << QStringLiteral("%1 bericht(en) geschreven naar %2; niets verstuurd en niets gelogd.\n").arg(geschreven).arg(folder);
    else
        io.out << QStringLiteral("%1 e-mail(s) verstuurd.\n").arg(run.verzonden());
    if (!run.zonderAdres().isEmpty())
        io.out << QStringLiteral("Overgeslagen, geen e-mailadres: %1\n").arg(run.zonderAdres().join(QStringLiteral("; ")));
    return Ok;
}

// One line of the log as a tab-separated field: a tab or a line break in it becomes a blank.
QString logveld(const QString &text)
{
    QString line = text;
    for (QChar &c : line)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return line;
}

int mailLog(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("mail-log heeft geen argumenten");
    auto data = openForReading(io);
    using namespace veld::mailtjes;
    const Table &log = data->mailtjestabel;
    for (int row = 0; row < log.recordCount(); ++row)
        io.out << log.valueAt(row, Datum).toDate().toString(Qt::ISODate) << "\t"
               << log.valueAt(row, Tijd).toTime().toString(QStringLiteral("HH:mm:ss")) << "\t"
               << logveld(log.valueAt(row, Mnaam).toString()) << "\t" << logveld(log.valueAt(row, Madres).toString()) << "\t"
               << logveld(log.valueAt(row, Monderwerp).toString()) << "\n";
    return Ok;
}

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

const Registration mailCommand(
    QStringLiteral("mail"),
    {QStringLiteral("mail BERICHT.rtf --subject TEKST [--filter VELD=TEKST]... [--dry-run MAP]"),
     QStringLiteral("verstuurt het e-mailbericht, samengevoegd met de gegevens van elk lid, naar elk lid dat het filter doorlaat "
                    "(alle leden zonder filter) en een e-mailadres met @ heeft, via de ingestelde mailserver (wachtwoord uit "
                    "ZELK_SMTP_PASSWORD), en zet elk verstuurd bericht in het logboek; stopt bij de eerste fout (code 1). Met "
                    "--dry-run MAP wordt niets verstuurd en niets gelogd: elk bericht komt als MAP/NNN-naam.eml. VELD is een van: ")
         + ledenfilterVelden(),
     mail});

const Registration mailLogCommand(QStringLiteral("mail-log"),
                                  {QStringLiteral("mail-log"),
                                   QStringLiteral("toont het logboek van verzonden e-mail, nieuwste eerst: datum, tijd, naam, "
                                                  "mailadres, onderwerp (tab-gescheiden)"),
                                   mailLog});

const Registration mailTestCommand(QStringLiteral("mail-test"),
                                   {QStringLiteral("mail-test"),
                                    QStringLiteral("stuurt een testbericht naar het eigen e-mailadres van de afzender via de "
                                                   "ingestelde mailserver (wachtwoord uit ZELK_SMTP_PASSWORD) en toont het "
                                                   "antwoord van de server"),
                                    mailTest});

} // namespace
} // namespace zelk::cli
