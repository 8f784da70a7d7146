#pragma once
// Members to and from a spreadsheet file (CSV), so that a treasurer can bring an existing
// member list into the register and take it out again.
//
// Export writes UTF-8 (with a byte-order mark, so spreadsheets recognise it), ';' between
// fields, a header row of the field names of leden.DB, dates as dd-MM-yyyy and month marks
// as 1 (set), 0 (not set) or nothing (blank). A text a spreadsheet would take for a formula
// (starting with '=', '+', '-' or '@') is written with a leading "'"; import takes it off.
//
// Import reads what a spreadsheet writes:
// - UTF-8 (with or without byte-order mark) or Windows-1252, not a mix: a UTF-8 file with
//   a stray byte is refused naming the line; control characters (a NUL byte) are refused;
// - ';', ',' or a tab between fields, found from the file with quoting taken into account;
//   quoted fields may hold separators, quotes and line breaks; lines end in CR LF, LF or CR;
// - a header row naming the columns in any order, by field name or by a usual Dutch
//   heading (Postcode, Woonplaats, E-mail, Geboortedatum, Adres, IBAN, …), without regard
//   to case, blanks or punctuation; only the name is required, columns it does not know
//   are left out and named in the result; empty rows are skipped;
// - every value checked by the member rules (ledenregels.h): texts trimmed, a name
//   required, birth dates as dd-mm-jjjj, d-m-jjjj, dd/mm/jjjj or jjjj-mm-dd.
// It is all or nothing: every row is checked first, and when any row is wrong nothing is
// imported. A file is read line by line and may hold at most maxLeden members and
// maxBytes bytes.
#include "zelkerror.h"

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

namespace zelk {

class Table;
class Connection;

namespace ledenimport {

// The most members one file may hold, and its largest size (stated in the manual).
inline constexpr int maxLeden = 50000;
inline constexpr qint64 maxBytes = 50LL * 1000 * 1000;
// The longest line of a file, in bytes; no member list comes near it.
inline constexpr qsizetype maxRegel = 64 * 1024;
// The problems that are kept to be shown; beyond these they are only counted.
inline constexpr int maxProblems = 10000;

struct Problem {
    int line;        // line in the file, the header being line 1; 0 for the whole file
    QString message; // Dutch, without the line number
    QString text() const;
};

// A file that was not imported: its problems in line order (at most maxProblems of them)
// and how many there were. message() gives the introduction and every problem kept.
class Refused : public Error {
public:
    Refused(QList<Problem> problems, int total);
    const QList<Problem> &problems() const { return m_problems; }
    int total() const { return m_total; }
    // "Er is niets ingelezen, want het bestand bevat 3 fouten:"
    QString intro() const;
    QStringList lines() const; // each problem's text()

private:
    QList<Problem> m_problems;
    int m_total;
};

struct Result {
    int added = 0;
    QStringList ignored; // the headings of the columns that were left out, as in the file
};

// The headings the import knows, as one Dutch sentence for messages and the manual.
QString kopjes();

// The members that `leden` shows (all members when it is not filtered), in Naam order.
// Returns the number written; a file that cannot be saved throws zelk::Error and a
// previous file at `path` is left as it was.
int exportCsv(const Table &leden, const QString &path);
QByteArray exportBytes(const Table &leden);

// Every problem of the file against the members already in `leden`; empty when it can be
// imported.
QList<Problem> check(Table &leden, const QByteArray &bytes);

// Checks the file and, when it has no problem, adds all its members in one transaction on
// `connection`. Throws Refused (and adds nothing) when there is any problem, zelk::Error
// when the file cannot be opened.
Result importCsv(Table &leden, Connection &connection, const QString &path);
Result importBytes(Table &leden, Connection &connection, const QByteArray &bytes);

} // namespace ledenimport
} // namespace zelk
