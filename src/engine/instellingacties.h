#pragma once
// What the settings screen and `zelk-cli settings` change in the current administration:
// the logo switches, the e-mail sender, the Dutch amount format, and the logo picture.
// Each file is saved whole or not at all (see saveFile); the in-memory settings of the
// data module change only with the file they belong to, so they always say what is stored.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace zelk {

class DataModule1;

namespace instellingacties {

// The values the settings screen edits, as one set.
struct Keuzes {
    bool printLogo = true;
    bool logoLinks = true;
    bool logoRechts = false;
    QString emailAdres;   // at most 60 characters are kept
    QString afzenderNaam; // at most 40
    QString smtpServer;   // at most 40
    bool nederlandseBedragen = false;
};

inline constexpr int maxEmailAdres = 60;
inline constexpr int maxAfzenderNaam = 40;
inline constexpr int maxSmtpServer = 40;

// The values as last read from (or stored in) the administration's files.
Keuzes huidige(const DataModule1 &data);

// Stores the values: the logo switches and the e-mail fields (cut to their lengths) in
// instelling.dat and the logo working copies, the amount flag in konfigur.dat. A file whose
// record does not change is not rewritten. When instelling.dat cannot be saved, konfigur.dat
// is still tried; the first failure is thrown as zelk::Error and the files that could not
// be saved keep their old contents. The amount format itself is applied when the settings
// are read again (the main menu does so every time it shows).
void bewaar(DataModule1 &data, const Keuzes &keuzes);

// Why `text` cannot be stored as it is in a field of `maxLength` characters of a settings
// file (too long, a line break or another control character, a character the file's code
// page lacks), in Dutch; empty when it can.
QString tekstProbleem(const QString &text, int maxLength);

// A picture file as read for showing and for copying into the administration unchanged.
struct Plaatje {
    QString bron;     // the file it was read from
    QByteArray bytes; // its contents, exactly
    QImage image;     // decoded, for showing
    QString extensie; // "jpg", "bmp" or "png", after the contents
};

// Reads a JPEG, BMP or PNG file, recognised by its contents. Throws zelk::Error with a
// Dutch message ("De afbeelding … kan niet worden geladen: …") when the file is missing,
// no regular file (never opened then), too large, unreadable or no such picture.
Plaatje laadPlaatje(const QString &path);

// The current logo of the administration for showing (any picture Qt can read), or
// zelk::Error as laadPlaatje says.
QImage laadLogo(const QString &path);

// Copies the picture into the administration as werkmap/lidbedraglogo.<extensie>, its
// bytes unchanged, and names that file in logonaam.dat (only when the name changes).
// Returns the new logo path. When logonaam.dat cannot be saved, a logo file that was not
// there before is removed again, so the administration keeps using its old logo; the
// error is thrown as zelk::Error.
QString zetLogoOver(DataModule1 &data, const Plaatje &plaatje);

} // namespace instellingacties
} // namespace zelk
