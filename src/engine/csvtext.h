#pragma once
// Comma-, semicolon- or tab-separated text as spreadsheets write it: fields in double quotes
// may hold the separator, line breaks and doubled quotes. Read line by line, so that a file
// is never held whole in memory.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QIODevice;

namespace zelk::csv {

struct Record {
    int line = 0; // the line of the text on which the record starts, from 1
    QStringList fields;
    // True when every field is empty or blanks (a row a spreadsheet writes as ";;;;").
    bool isBlank() const;
};

// The lines of a file, read a piece at a time. Lines end in LF, CR LF or CR; a UTF-8
// byte-order mark at the start is skipped.
//
// Each line is decoded as UTF-8 when it is valid UTF-8, and as Windows-1252 (what a
// spreadsheet saving "CSV" on Windows writes) when it is not. A file may be only one of
// the two: once a UTF-8 multi-byte sequence (or the byte-order mark) has been seen,
// every line that was not valid UTF-8 is a stray byte, listed by strayLines() when the
// file has been read.
class LineSource {
public:
    // `longest` bounds one line in bytes: a longer line throws zelk::Error naming it.
    explicit LineSource(QIODevice &device, qsizetype longest);

    struct Line {
        int number = 0; // from 1
        QString text;
    };
    // The next line, or nothing at the end of the file. Throws zelk::Error when the device
    // cannot be read or the line is too long.
    std::optional<Line> next();

    // The lines that were not valid UTF-8 in a file that is UTF-8 (see above), each with
    // the position (from 1) of the first byte that is not, and that byte.
    struct Stray {
        int line;
        int position;
        unsigned char byte;
    };
    std::vector<Stray> strayLines() const;

private:
    std::optional<QByteArray> nextBytes();
    QString decode(const QByteArray &bytes);
    [[noreturn]] void tooLong() const;

    QIODevice &m_device;
    qsizetype m_longest;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    int m_number = 0;
    bool m_utf8 = false; // a multi-byte sequence or the byte-order mark was seen
    std::vector<Stray> m_notUtf8;
    QStringDecoder m_decoder{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

// Builds records from lines given one at a time (without their line ends): a quoted field
// may run over several lines, its line breaks become '\n'.
class Reader {
public:
    explicit Reader(QChar separator) : m_separator(separator) { }
    // Reads line `number`; true when that completed a record, to be taken with take().
    bool addLine(QStringView line, int number);
    Record take();
    // A quoted field is still open at the end of the lines given so far; it began on
    // quoteLine().
    bool inQuotes() const { return m_quoted; }
    int quoteLine() const { return m_quoteLine; }
    // Characters held for the record not yet complete.
    qsizetype pending() const;

private:
    QChar m_separator;
    Record m_record;
    QString m_field;
    bool m_quoted = false;
    int m_quoteLine = 0;
    bool m_done = false;
};

// The separator (';', ',' or a tab) of a text of which `lines` are the first lines, quoting
// taken into account: the one whose header names the most columns that `known` recognises;
// then one that splits the header at all; then the one that leaves the largest share of the
// rows with no more fields than the header has; then the one that gives the header the most
// columns; then ';' before ',' before a tab. Lines that are all empty rows read with one
// of them (";;;") give that one. A file of one column thus keeps "Jansen, Piet"
// whole.
QChar detectSeparator(const QStringList &lines, const std::function<int(const QStringList &header)> &known = {});

// Splits a whole `text` into records; empty lines are skipped. A quote left open at the end
// of the text throws zelk::Error naming the line where the field began.
std::vector<Record> parse(const QString &text, QChar separator);

// One line (with CRLF end) with fields quoted where they need it.
QString line(const QStringList &fields, QChar separator);

// A value as it is written to a spreadsheet file: a value that a spreadsheet would take for
// a formula (it starts with '=', '+', '-' or '@', possibly after quotes "'") gets a leading
// "'"; unguarded() takes exactly that quote off again, so a value survives the round trip.
QString guarded(const QString &value);
QString unguarded(const QString &value);

} // namespace zelk::csv
