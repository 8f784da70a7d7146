#pragma once
// The backup ("veiligstellen"): the five main tables of the current administration copied
// to a folder the treasurer chooses, another folder on the disk or a removable drive.
// Every table is copied through SQLite's online backup (a consistent copy, also while the
// tables are open) into a temporary name in the target folder, forced to the disk and
// only then renamed over a previous copy of that name: a failing or interrupted backup
// never leaves a cut table and never spoils an older backup. Beside the tables,
// zelk-backup.txt says when and from which administration each table was copied, with
// its number of rows and a checksum that the restore checks.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace zelk {

class DataModule1;
struct TableSchema;

namespace veiligstellen {

// The tables a backup holds, in copy order, with the caption of their check box
// ("Leden", "Rekeningen", "Journaal", "Nog te betalen", "Nog te ontvangen") and their
// description in the restore screen's legend ("Leden bestand", …).
struct Onderdeel {
    const TableSchema *tabel;
    QString naam;
    QString omschrijving;
};
const std::vector<Onderdeel> &onderdelen();

// The description file written beside the tables of a backup.
inline constexpr const char *beschrijvingNaam = "zelk-backup.txt";

// The size in bytes of a table in `werkmap`: every file whose name is the table's name
// followed by a dot and any extension (the table and its SQLite companions). 64-bit.
qint64 grootte(const QString &werkmap, const TableSchema &tabel);

// Whether `map` is one of the five administration folders in the root (zelk, zelk01 …
// zelk04, also when reached through a link). Nothing is ever copied into one; a
// subfolder of one is an ordinary folder.
bool beschermd(const QString &map);
// Whether `map` is the administration folder `werkmap` itself.
bool isWerkmap(const QString &map, const QString &werkmap);

// Stores `map` as the folder remembered for backup and restore in konfigur.dat (shared by
// both screens). A folder that does not fit the record whole (more than 200 characters,
// or characters the record cannot hold) is not remembered, since a cut path would point
// elsewhere; returns whether it was stored. Throws zelk::Error when the file cannot be saved.
bool onthoud(DataModule1 &data, const QString &map);
// The remembered folder, empty when there is none.
QString onthouden(const DataModule1 &data);

// "Nieuwe map": creates the folder `naam`; a name without a folder part goes inside
// `binnen`. Returns the new folder's path. Throws zelk::Error (Dutch) for an empty or
// unusable name, an existing folder, or one that cannot be made.
QString nieuweMap(const QString &binnen, const QString &naam);

// The free space of the file system that holds `map`, as " Vrije ruimte  1,234 bytes"
// with the thousands separator of the amount format.
QString vrijeRuimte(const QString &map);

// What zelk-backup.txt says about one table.
struct Vermelding {
    QDateTime moment;
    qint64 rijen = 0;
    QString controlegetal; // SHA-256 of the table file, hexadecimal
};
// The tables zelk-backup.txt in `map` names, by file name; empty when there is no such file.
std::map<QString, Vermelding> beschrijving(const QString &map);
// The SHA-256 of a file, hexadecimal; throws zelk::Error when it cannot be read.
QString controlegetal(const QString &pad);

struct Resultaat {
    bool eigenMap = false;  // the target was the administration folder itself: nothing copied
    QStringList gekopieerd; // file names, in copy order
    std::map<QString, qint64> rijen;
};

// Copies `tabellen` (in the order of onderdelen(), whatever the order given) from the
// current administration of `data` into `doelmap` under their own file names, replacing
// copies of the same name, and remembers the folder first (onthoud). `naElkeTabel` is
// called after each table is in place. The administration folder itself as target
// copies nothing (eigenMap). Throws zelk::Error (Dutch): a protected or missing folder
// before anything is copied; a failing copy (full disk, a folder that cannot be written)
// with a message naming the table, the tables before it staying copied and the failing
// one keeping its previous copy.
Resultaat maak(DataModule1 &data, const QString &doelmap, const std::vector<const TableSchema *> &tabellen,
               const std::function<void(const TableSchema &)> &naElkeTabel = {});

} // namespace veiligstellen
} // namespace zelk
