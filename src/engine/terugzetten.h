#pragma once
// The restore ("terugzetten"): tables of a backup folder copied back into the current
// administration, replacing its tables. Nothing changes before every selected file is
// known to be a whole table of this program with the fields it expects; then a safety
// copy of the administration is made; then the rows of all selected tables replace the
// present ones in one transaction over the table files. SQLite commits such a
// transaction atomically across the files (its super-journal is the marker a stopped
// program leaves; the next program that opens the files completes or undoes it), so the
// administration is always either wholly the old or wholly the restored one.
#include "veiligheidskopie.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zelk {

class DataModule1;
struct TableSchema;

namespace terugzetten {

// The table of this program a file name stands for, regardless of letter case ("leden.db"
// is the program's leden.DB); null when the name is no table of this program.
const TableSchema *tabelVan(const QString &bestandsnaam);

// The files in `map` whose name ends in ".db" in any letter case, sorted by name.
QStringList bestanden(const QString &map);

// Checks that `bestand` in `map` is a whole table of this program with the expected
// fields and, when the backup's zelk-backup.txt names it, the rows and checksum written
// there. Throws zelk::Error naming the file otherwise.
void controleer(const QString &map, const QString &bestand);

struct Resultaat {
    QStringList teruggezet;        // the program's file names, in the order restored
    veiligheidskopie::Kopie kopie; // the safety copy made before (empty naam: none needed)
};

// Restores `selectie` (file names in `bronmap`) into the current administration of
// `data`, and then remembers `bronmap` (veiligstellen::onthoud). `naElkeTabel` is called
// after each table has been read. An empty selection copies nothing and only remembers
// the folder. Throws zelk::Error (Dutch): for the administration folder itself as
// source, an unknown, damaged or foreign file (named) or a failing safety copy before
// anything changed; for a failure while replacing, with the administration as it was.
// The tables of `data` are open again afterwards, also after a failure.
Resultaat zetTerug(DataModule1 &data, const QString &bronmap, const QStringList &selectie,
                   const std::function<void(const TableSchema &)> &naElkeTabel = {});

} // namespace terugzetten
} // namespace zelk
