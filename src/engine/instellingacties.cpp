#include "instellingacties.h"

#include "cp1252.h"
#include "databases.h"
#include "filesave.h"
#include "settingsfiles.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <optional>

namespace zelk::instellingacties {

namespace {
// A logo is a small picture; a file larger than this is surely something else.
constexpr qint64 maxPlaatjeBytes = 32 * 1024 * 1024;

const QHash<QByteArray, QString> &extensies()
{
    static const QHash<QByteArray, QString> byFormat
        = {{"jpeg", QStringLiteral("jpg")}, {"jpg", QStringLiteral("jpg")}, {"bmp", QStringLiteral("bmp")}, {"png", QStringLiteral("png")}};
    return byFormat;
}

Error pictureError(const QString &path, const QString &reason)
{
    return Error(QStringLiteral("De afbeelding %1 kan niet worden geladen: %2").arg(QDir::toNativeSeparators(path), reason));
}

QByteArray readPictureFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw pictureError(path, QStringLiteral("het bestand bestaat niet."));
    if (!info.isFile()) // a folder or a named pipe: never opened, a pipe would not answer
        throw pictureError(path, QStringLiteral("het is geen gewoon bestand."));
    if (info.size() > maxPlaatjeBytes)
        throw pictureError(path,
                           QStringLiteral("het bestand is te groot voor een logo (meer dan %1 MB).").arg(maxPlaatjeBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw pictureError(path, QStringLiteral("het bestand kan niet worden gelezen."));
    QByteArray bytes = file.read(maxPlaatjeBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw pictureError(path, QStringLiteral("het bestand kan niet worden gelezen."));
    return bytes;
}

// Decodes `bytes`; the format Qt recognised in them is returned in `format`.
QImage decode(const QString &path, const QByteArray &bytes, QByteArray *format, const QString &whatIsRead)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    *format = reader.format().toLower();
    QImage image = reader.read();
    if (image.isNull())
        throw pictureError(path, QStringLiteral("het is geen %1, of het bestand is beschadigd.").arg(whatIsRead));
    return image;
}

const QString bruikbareSoorten = QStringLiteral("JPEG-, BMP- of PNG-afbeelding");

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}
} // namespace

Keuzes huidige(const DataModule1 &data)
{
    const Settings &s = data.settings;
    return Keuzes{s.printLogo,
                  s.logoLinks,
                  s.logoRechts,
                  s.instelling.emailAdres(),
                  s.instelling.afzenderNaam(),
                  s.instelling.smtpServer(),
                  s.konfigur.nederlandseBedragen()};
}

void bewaar(DataModule1 &data, const Keuzes &keuzes)
{
    std::optional<Error> firstError;
    Instelling instelling = data.settings.instelling;
    instelling.setPrintLogo(keuzes.printLogo);
    instelling.setLogoLinks(keuzes.logoLinks);
    instelling.setLogoRechts(keuzes.logoRechts);
    instelling.setEmailAdres(keuzes.emailAdres);
    instelling.setAfzenderNaam(keuzes.afzenderNaam);
    instelling.setSmtpServer(keuzes.smtpServer);
    try {
        if (instelling.bytes() != data.settings.instelling.bytes())
            settingsfiles::write(data.werkmap(), instelling);
        data.settings.instelling = instelling;
        data.settings.printLogo = keuzes.printLogo;
        data.settings.logoLinks = keuzes.logoLinks;
        data.settings.logoRechts = keuzes.logoRechts;
    } catch (const Error &e) {
        firstError = e;
    }
    Konfigur konfigur = data.settings.konfigur;
    konfigur.setNederlandseBedragen(keuzes.nederlandseBedragen);
    try {
        if (konfigur.bytes() != data.settings.konfigur.bytes())
            settingsfiles::write(data.werkmap(), konfigur);
        data.settings.konfigur = konfigur;
    } catch (const Error &e) {
        if (!firstError)
            firstError = e;
    }
    if (firstError)
        throw *firstError;
}

QString tekstProbleem(const QString &text, int maxLength)
{
    if (text.size() > maxLength)
        return QStringLiteral("ten hoogste %1 tekens, niet %2").arg(maxLength).arg(text.size());
    for (const QChar c : text)
        if (isControl(c))
            return QStringLiteral("een regeleinde of ander stuurteken kan niet worden bewaard");
    if (cp1252::decode(cp1252::encode(text)) != text)
        return QStringLiteral("bevat een teken dat het instellingenbestand niet kan bewaren (alleen Windows-1252)");
    return {};
}

Plaatje laadPlaatje(const QString &path)
{
    Plaatje plaatje;
    plaatje.bron = path;
    plaatje.bytes = readPictureFile(path);
    QByteArray format;
    plaatje.image = decode(path, plaatje.bytes, &format, bruikbareSoorten);
    plaatje.extensie = extensies().value(format);
    if (plaatje.extensie.isEmpty())
        throw pictureError(
            path, QStringLiteral("het is geen %1 maar een %2-bestand.").arg(bruikbareSoorten, QString::fromLatin1(format.toUpper())));
    return plaatje;
}

QImage laadLogo(const QString &path)
{
    if (path.isEmpty())
        throw Error(QStringLiteral("Er is geen logo ingesteld."));
    QByteArray format;
    return decode(path, readPictureFile(path), &format, QStringLiteral("afbeelding die het programma kan lezen"));
}

QString zetLogoOver(DataModule1 &data, const Plaatje &plaatje)
{
    if (plaatje.bytes.isEmpty() || plaatje.extensie.isEmpty())
        throw Error(QStringLiteral("Er is geen nieuw logo geladen; kies eerst met \"Laad logo\" een afbeelding."));
    if (data.werkmap().isEmpty())
        throw Error(QStringLiteral("De tabellen zijn niet geopend."));
    const QString target = data.werkmap() + QStringLiteral("/lidbedraglogo.") + plaatje.extensie;
    if (const QString problem = tekstProbleem(target, Logonaam::maxPath); !problem.isEmpty())
        throw Error(QStringLiteral("Het logo kan niet in de administratie worden gezet: logonaam.dat kan het pad %1 niet bewaren (%2).")
                        .arg(QDir::toNativeSeparators(target), problem));
    const bool existed = QFileInfo::exists(target) || QFileInfo(target).isSymLink();
    saveFile(target, plaatje.bytes);
    if (data.settings.logonaam.path() == target && data.settings.logoPad == target)
        return target;
    try {
        data.writeLogonaam(target);
    } catch (const Error &) {
        if (!existed)
            QFile::remove(target); // unused: logonaam.dat still names the old logo
        throw;
    }
    return target;
}

} // namespace zelk::instellingacties
