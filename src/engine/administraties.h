#pragma once
// The five administrations side by side: the folders zelk, zelk01 … zelk04 under one root,
// and the alias file zelk.cfg that records which one is current.
#include <QString>

namespace zelk::administraties {

inline constexpr int aantal = 5;

// $ZELK_HOME when set, otherwise $XDG_DATA_HOME/zelk (~/.local/share/zelk).
QString root();
QString folderName(int item);      // "zelk", "zelk01" … "zelk04"
QString folder(int item);          // root + "/" + folderName
QString caption(int item);         // "Zelk (standaard)", "Zelk01" …
// The item whose folder `werkmap` is, by its last character: "1"-"4" give 1-4, the last
// letter of "zelk" gives 0; anything else gives -1.
int itemOf(const QString &werkmap);

QString aliasFile();
bool aliasExists();
// Creates the alias for the standard administration when there is none; an existing
// alias is kept, so the administration chosen last stays current.
void ensureAlias();
// The folder the alias names (creating the alias first when missing).
QString aliasPath();
// Points the alias at `folder` (written atomically).
void setAliasPath(const QString &folder);

// Makes sure `folder` holds a complete administration: creates the folder, every table
// file that is missing (only when none exists yet: a folder with some tables but not all
// is reported, not patched), the 25 base accounts of a new chart, and the default logo.
void ensureAdministration(const QString &folder);

} // namespace zelk::administraties

namespace zelk::administraties {
// The program file's full path without its extension ("/usr/bin/zelk" for both zelk and
// zelk.exe); the help file and the alternative logo default are named after it.
QString programBase();
} // namespace zelk::administraties
