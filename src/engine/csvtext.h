#pragma once
// Comma- or semicolon-separated text as spreadsheets write it: fields in double quotes may
// hold the separator, line breaks and doubled quotes.
#include <QString>
#include <QStringList>
#include <vector>

namespace zelk::csv {

struct Record {
    int line = 0; // the line of the text on which the record starts, from 1
    QStringList fields;
};

// The separator of the first line: ';' when it has more semicolons than commas outside
// quotes, ',' otherwise.
QChar detectSeparator(const QString &text);

// Splits `text` into records; empty lines are skipped. A quote left open at the end of the
// text throws zelk::Error naming the line where the field began.
std::vector<Record> parse(const QString &text, QChar separator);

// One line (with CRLF end) with fields quoted where they need it.
QString line(const QStringList &fields, QChar separator);

} // namespace zelk::csv
