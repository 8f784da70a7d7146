#include "settingsfiles.h"

#include "cp1252.h"
#include "filesave.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelk {

SettingsRecord::SettingsRecord(int size, const QByteArray &bytes) : m_bytes(bytes.left(size))
{
    m_bytes.resize(size, '\0');
}

QString SettingsRecord::shortString(int offset, int maxLength) const
{
    const int length = std::min<int>(static_cast<unsigned char>(m_bytes.at(offset)), maxLength);
    return cp1252::decode(m_bytes.mid(offset + 1, length));
}

void SettingsRecord::setShortString(int offset, int maxLength, const QString &text)
{
    const QByteArray encoded = cp1252::encode(text).left(maxLength);
    m_bytes[offset] = static_cast<char>(encoded.size());
    for (int i = 0; i < maxLength; ++i)
        m_bytes[offset + 1 + i] = i < encoded.size() ? encoded.at(i) : '\0';
}

Instelling::Instelling() : SettingsRecord(size)
{
    setPrintLogo(true);
    setLogoLinks(true);
}

namespace settingsfiles {

namespace {
QString pathOf(const QString &werkmap, const char *fileName)
{
    return werkmap + u'/' + QLatin1String(fileName);
}

// Refuses what is there but is no regular file (a folder, a named pipe, a device, a link
// to nothing) before opening it: a named pipe would never give an answer.
void requireRegularFile(const QString &path, const QFileInfo &info)
{
    if (!info.isFile())
        throw Error(QStringLiteral("Het instellingenbestand %1 is geen gewoon bestand en wordt niet geopend. "
                                   "De standaardinstellingen worden gebruikt; verwijder het om het opnieuw te laten aanmaken.")
                        .arg(QDir::toNativeSeparators(path)));
}

bool isMissing(const QFileInfo &info)
{
    return !info.exists() && !info.isSymLink();
}

// Reads exactly `size` bytes, creating the file from `defaults` when it is missing.
QByteArray readRecord(const QString &path, int size, const QByteArray &defaults)
{
    const QFileInfo info(path);
    if (isMissing(info))
        saveFile(path, defaults);
    else
        requireRegularFile(path, info);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het instellingenbestand %1 kan niet worden gelezen: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.read(size);
    if (bytes.size() < size)
        throw Error(QStringLiteral("Het instellingenbestand %1 is beschadigd: het is %2 bytes lang in plaats van %3. "
                                   "De standaardinstellingen worden gebruikt; verwijder het bestand om het opnieuw te laten aanmaken.")
                        .arg(QDir::toNativeSeparators(path))
                        .arg(bytes.size())
                        .arg(size));
    return bytes;
}
} // namespace

Instelling readInstelling(const QString &werkmap)
{
    return Instelling(readRecord(pathOf(werkmap, Instelling::fileName), Instelling::size, Instelling().bytes()));
}

Logonaam readLogonaam(const QString &werkmap, const QString &defaultPath)
{
    return Logonaam(readRecord(pathOf(werkmap, Logonaam::fileName), Logonaam::size, Logonaam(defaultPath).bytes()));
}

Konfigur readKonfigur(const QString &werkmap)
{
    return Konfigur(readRecord(pathOf(werkmap, Konfigur::fileName), Konfigur::size, Konfigur().bytes()));
}

void write(const QString &werkmap, const Instelling &record)
{
    saveFile(pathOf(werkmap, Instelling::fileName), record.bytes());
}

void write(const QString &werkmap, const Logonaam &record)
{
    saveFile(pathOf(werkmap, Logonaam::fileName), record.bytes());
}

void write(const QString &werkmap, const Konfigur &record)
{
    saveFile(pathOf(werkmap, Konfigur::fileName), record.bytes());
}

QString readVerenigingsnaam(const QString &werkmap)
{
    const QString path = pathOf(werkmap, "vereniging.txt");
    const QFileInfo info(path);
    if (isMissing(info))
        return {};
    requireRegularFile(path, info);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed().left(maxVerenigingsnaam);
}

void writeVerenigingsnaam(const QString &werkmap, const QString &name)
{
    QString line = name;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    saveFile(pathOf(werkmap, "vereniging.txt"), line.trimmed().left(maxVerenigingsnaam).toUtf8() + '\n');
}

QString defaultLogoPath(const QString &werkmap)
{
    return werkmap + QStringLiteral("/lidbedraglogo.jpg");
}

} // namespace settingsfiles
} // namespace zelk
