#pragma once
// Saving a whole file so that it is either completely the new contents or still the old
// file: never empty, never cut off (a full disk, a read-only folder, a vanished drive).
#include <QByteArray>
#include <QString>

namespace zelk {

// Replaces the file at `path` with `bytes`. They are written to a temporary file beside
// it; every write, the flush and the sync to disk are checked, and only then is the
// temporary file renamed over the old one. On any failure the old file (or its absence)
// is left exactly as it was and zelk::Error carries saveFailedMessage(path).
void saveFile(const QString &path, const QByteArray &bytes);

// Forces a written file (or a folder, after a rename in it) to the disk; false when the disk
// refuses.
bool syncToDisk(const QString &path);

// "Het bestand … kan niet worden opgeslagen: de schijf is vol of niet beschrijfbaar." (or,
// when its folder is missing, "… de map … bestaat niet.").
QString saveFailedMessage(const QString &path);

} // namespace zelk
