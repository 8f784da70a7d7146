#pragma once
// Members to and from a spreadsheet file (CSV), so that a treasurer can bring an existing
// member list into the register and take it out again.
//
// Export writes UTF-8 (with a byte-order mark, so spreadsheets recognise it), ';' between
// fields, a header row of the field names of leden.DB, dates as dd-MM-yyyy and month marks
// as 1 (set), 0 (not set) or nothing (blank).
//
// Import reads UTF-8 or Windows-1252, ',' or ';' between fields, a header row whose names
// are field names of leden.DB in any order and case (only `Naam` is required; month marks
// are optional), dates as dd-MM-yyyy or yyyy-MM-dd. It is all or nothing: every row is
// checked first, and when any row is wrong nothing is imported.
#include <QString>
#include <QStringList>

namespace zelk {

class Table;
class Connection;

namespace ledenimport {

struct Problem {
    int line;        // line in the file, the header being line 1
    QString message; // Dutch, without the line number
    QString text() const;
};

// The members that `leden` shows (all members when it is not filtered), in Naam order.
// Returns the number written; a file that cannot be saved throws zelk::Error and a
// previous file at `path` is left as it was.
int exportCsv(const Table &leden, const QString &path);
QByteArray exportBytes(const Table &leden);

// Every problem of the file against the members already in `leden`; empty when it can be
// imported. A file that cannot be read or decoded gives one problem on line 0.
QList<Problem> check(Table &leden, const QByteArray &bytes);

// Checks the file and, when it has no problem, adds all its members in one transaction on
// `connection`. Throws zelk::Error listing every problem (each with its line number) and
// adds nothing when there is any. Returns the number of members added.
int importCsv(Table &leden, Connection &connection, const QString &path);
int importBytes(Table &leden, Connection &connection, const QByteArray &bytes);

} // namespace ledenimport
} // namespace zelk
