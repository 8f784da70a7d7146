#pragma once
// The five administrations side by side: the folders zelk, zelk01 … zelk04 under one root,
// and the alias file zelk.cfg that records which one is current. The alias names the
// folder relative to the root ("PATH=zelk01"), so a copied or moved root keeps working on
// its own folders; it never leads outside the root.
#include <QString>

namespace zelk::administraties {

inline constexpr int aantal = 5;

// $ZELK_HOME when set, otherwise $XDG_DATA_HOME/zelk (~/.local/share/zelk).
QString root();
QString folderName(int item); // "zelk", "zelk01" … "zelk04"
QString folder(int item);     // root + "/" + folderName
QString caption(int item);    // "Zelk (standaard)", "Zelk01" …
// The item whose folder `werkmap` is, by its last character: "1"-"4" give 1-4, the last
// letter of "zelk" gives 0; anything else gives -1.
int itemOf(const QString &werkmap);

QString aliasFile();
bool aliasExists();
// The full path of the folder the alias names. An alias written by an older version holds
// a full path: one inside the root counts as that folder, one outside it is not followed.
// Returns an empty string, with the Dutch reason in `problem`, when the alias cannot be
// read (also when it is not a regular file), names no folder, or names a place outside
// the root. Never creates anything.
QString aliasFolder(QString *problem = nullptr);
// Points the alias at `folder`, which must lie inside the root (written atomically,
// relative to the root). Throws zelk::Error otherwise or when it cannot be saved.
void setAliasPath(const QString &folder);

// The administration a start opens, and why it is another one than the alias names.
struct Opening {
    QString folder; // full path of a complete administration
    QString notice; // Dutch; empty when the alias was followed
};
// On the first start (no alias yet) creates the standard administration and the alias.
// Otherwise follows the alias; when it names a folder that is missing, lies outside the
// root or cannot be read, nothing is created there: the standard administration is used
// instead (created when it is missing) and `notice` says so. Also removes what a start
// that was stopped while creating an administration left behind. Throws zelk::Error when
// the administration cannot be created or is incomplete.
Opening openCurrent();

// Removes what programs stopped while building an administration left in the root (the
// building folders no running program holds). openCurrent() does this on every start.
void removeLeftovers();

// Makes administration `item` (0-4) the current one: creates it when it is missing, then
// points the alias at it. Throws zelk::Error and leaves the alias as it was on failure.
void choose(int item);

// Makes sure `folder`, a folder directly inside the root, holds a complete administration.
// A missing folder is built whole in a temporary folder inside the root (every table file,
// the 25 base accounts of a new chart and the default logo) and renamed into place in one
// step, so a stopped program never leaves half an administration. An existing folder gets
// the default logo when it has none; one with some tables but not all is reported, not
// patched (only the two never-used layout copies, or every table of a folder that holds
// none, are added).
void ensureAdministration(const QString &folder);

} // namespace zelk::administraties

namespace zelk::administraties {
// The program file's full path without its extension ("/usr/bin/zelk" for both zelk and
// zelk.exe); the help file and the alternative logo default are named after it.
QString programBase();
} // namespace zelk::administraties
