#pragma once
// The three settings files of an administration, each exactly one fixed-size record
// (little-endian integers, one-byte booleans, length-prefixed Windows-1252 short strings),
// and the association name. Records keep all their bytes, reserved ones included, so a
// file is read and written as one block and unknown bytes survive a rewrite.
#include <QByteArray>
#include <QString>

namespace zelk {

class SettingsRecord {
public:
    const QByteArray &bytes() const { return m_bytes; }

protected:
    explicit SettingsRecord(int size) : m_bytes(size, '\0') { }
    SettingsRecord(int size, const QByteArray &bytes);
    bool flag(int offset) const { return m_bytes.at(offset) != 0; }
    void setFlag(int offset, bool on) { m_bytes[offset] = on ? 1 : 0; }
    QString shortString(int offset, int maxLength) const;
    void setShortString(int offset, int maxLength, const QString &text); // cut to maxLength

private:
    QByteArray m_bytes;
};

// instelling.dat: logo printing and the e-mail sender.
class Instelling : public SettingsRecord {
public:
    static constexpr int size = 146;
    static constexpr const char *fileName = "instelling.dat";
    Instelling(); // defaults: print the logo, at the left
    explicit Instelling(const QByteArray &bytes) : SettingsRecord(size, bytes) { }

    bool printLogo() const { return flag(0); }
    bool logoLinks() const { return flag(1); }
    bool logoRechts() const { return flag(2); }
    QString emailAdres() const { return shortString(3, 60); }
    QString afzenderNaam() const { return shortString(64, 40); }
    QString smtpServer() const { return shortString(105, 40); }
    void setPrintLogo(bool on) { setFlag(0, on); }
    void setLogoLinks(bool on) { setFlag(1, on); }
    void setLogoRechts(bool on) { setFlag(2, on); }
    void setEmailAdres(const QString &text) { setShortString(3, 60, text); }
    void setAfzenderNaam(const QString &text) { setShortString(64, 40, text); }
    void setSmtpServer(const QString &text) { setShortString(105, 40, text); }
};

// logonaam.dat: the full path of the logo picture.
class Logonaam : public SettingsRecord {
public:
    static constexpr int size = 201;
    static constexpr const char *fileName = "logonaam.dat";
    static constexpr int maxPath = 200;
    explicit Logonaam(const QString &path = {}) : SettingsRecord(size) { setPath(path); }
    explicit Logonaam(const QByteArray &bytes) : SettingsRecord(size, bytes) { }
    QString path() const { return shortString(0, 200); }
    void setPath(const QString &path) { setShortString(0, 200, path); }
};

// konfigur.dat: the amount format and the folder last used for backup and restore.
class Konfigur : public SettingsRecord {
public:
    static constexpr int size = 416;
    static constexpr const char *fileName = "konfigur.dat";
    Konfigur() : SettingsRecord(size) { }
    explicit Konfigur(const QByteArray &bytes) : SettingsRecord(size, bytes) { }
    bool nederlandseBedragen() const { return flag(0); }
    void setNederlandseBedragen(bool on) { setFlag(0, on); }
    QString backupMap() const { return shortString(12, 200); }
    void setBackupMap(const QString &folder) { setShortString(12, 200, folder); }
};

// Everything the settings of one administration hold, as the program uses them.
struct Settings {
    Instelling instelling;
    Logonaam logonaam;
    Konfigur konfigur;
    // Working copies of the logo switches, which reports apply.
    bool printLogo = true;
    bool logoLinks = true;
    bool logoRechts = false;
    QString logoPad;
    QString verenigingsnaam;
};

namespace settingsfiles {

// Reads one record from `werkmap`; a missing file is first created with `defaults`.
// A file shorter than its record, or one that is no regular file (a folder, a named pipe;
// it is not opened), throws zelk::Error (the file is left untouched).
Instelling readInstelling(const QString &werkmap);
Logonaam readLogonaam(const QString &werkmap, const QString &defaultPath);
Konfigur readKonfigur(const QString &werkmap);

// Rewrite a whole file atomically (see saveFile); throws zelk::Error when it cannot be
// saved, leaving the old file as it was.
void write(const QString &werkmap, const Instelling &record);
void write(const QString &werkmap, const Logonaam &record);
void write(const QString &werkmap, const Konfigur &record);

// The association name, at most 40 characters, in vereniging.txt (UTF-8, one line).
// A missing file reads as an empty name; one that is no regular file throws zelk::Error.
QString readVerenigingsnaam(const QString &werkmap);
void writeVerenigingsnaam(const QString &werkmap, const QString &name);
inline constexpr int maxVerenigingsnaam = 40;

// The default logo path of an administration: werkmap/lidbedraglogo.jpg.
QString defaultLogoPath(const QString &werkmap);

} // namespace settingsfiles
} // namespace zelk
