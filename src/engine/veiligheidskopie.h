#pragma once
// Safety copies ("veiligheidskopieën"). Before every action that wipes or replaces data
// (the year-end closing, the clean slate, putting back a copy, a member import) the
// tables and settings files of the current administration are copied into
//     <root>/veiligheidskopieen/<administration folder>/<yyyy-MM-dd HH-mm-ss> <action>/
// so that the treasurer can always go back to the moment before. A copy is built in a
// hidden folder beside it and renamed into place, so a folder with a copy's name always
// holds a whole copy. The newest 20 copies of each administration are kept.
#include <QDateTime>
#include <QList>
#include <QString>

namespace zelk {

class Connection;
class DataModule1;

namespace veiligheidskopie {

// How many copies of one administration are kept.
inline constexpr int bewaard = 20;

// The actions that make a copy first, as they appear in a copy's name.
inline constexpr QStringView jaarafsluiting = u"jaarafsluiting";
inline constexpr QStringView schoneLei = u"schone lei";
inline constexpr QStringView ledenInlezen = u"leden inlezen";
inline constexpr QStringView terugzetten = u"terugzetten";
inline constexpr QStringView restore = u"restore";

struct Kopie {
    QString naam;      // the folder name: "2026-12-31 17-04-09 jaarafsluiting"
    QString handeling; // the action it was made before: "jaarafsluiting"
    QDateTime moment;  // when it was made (local time)
    QString pad;       // the full path of its folder
};

// <root>/veiligheidskopieen/<folder name of werkmap>: where the copies of that
// administration are.
QString map(const QString &werkmap);

// Copies every table file of the administration `connection` works on (through SQLite's
// online backup, consistent even while the tables are open) and its settings files,
// before `handeling`, and then removes the oldest copies beyond `bewaard`. Rows still
// being edited are not in the files: callers post them first. When the copy cannot be
// made whole (a full disk, a folder that cannot be written) nothing of it stays behind
// and zelk::Error says, in Dutch, that the action is therefore not carried out.
Kopie maak(const Connection &connection, QStringView handeling);

// The copies of administration `werkmap`, oldest first; empty when there are none.
QList<Kopie> lijst(const QString &werkmap);

// Puts the copy `naam` of the current administration back: its tables and settings
// files replace the current ones, together or not at all. The copy is checked first;
// then a safety copy of the present state is made (returned, so the user can be told
// where it is); then the administration is built whole in a folder beside it and the two
// folders are exchanged in one step, so that a program stopped at any moment leaves
// either the old or the restored administration, never a mix. Other files of the
// administration (logo, letters) stay as they are. Afterwards `data` has every table
// open again and its settings reread. Throws zelk::Error (Dutch); before the exchange
// nothing has changed, and the tables are open again in either case.
Kopie zetTerug(DataModule1 &data, const QString &naam);

} // namespace veiligheidskopie
} // namespace zelk
