#pragma once
// Where the help file lives. It is named after the program file: the program's path
// without its extension, followed by "uitleg.rtf" (zelk -> zelkuitleg.rtf). It lies beside
// the program; for an installed program, or when that folder is not writable, it lies in
// the administrations' root instead. Either way it starts as a copy of the shipped manual,
// and follows the manual of a newer program for as long as the treasurer has not changed it.
#include <QString>

namespace zelk::helpfile {

// The help file of the running program; seeds it from the manual when it is missing.
// Never throws: a seed that cannot be copied leaves the file missing, which the viewer
// handles by creating it from its (empty) document.
QString path();

// The rule itself: the help file of `programFile`, beside it when `besideProgram`,
// else in `root`.
QString pathFor(const QString &programFile, const QString &root, bool besideProgram);

// Writes `manual` (the shipped one when empty) as the RTF file `helpFile` when the manual
// exists and helpFile does not, or is the unchanged copy of another manual (the program was
// updated); a manual ending in ".html" is converted, any other is copied as it is. What the
// help file was made from is noted beside it ("<helpFile>.bron"), so that a help file the
// treasurer changed is never written over. Returns true when the help file was made.
bool seed(const QString &helpFile, const QString &manual = {});

} // namespace zelk::helpfile
