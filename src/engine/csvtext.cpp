#include "csvtext.h"

#include "zelkerror.h"

namespace zelk::csv {

QChar detectSeparator(const QString &text)
{
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? QChar(u';') : QChar(u',');
}

std::vector<Record> parse(const QString &text, QChar separator)
{
    std::vector<Record> records;
    Record record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false; // something was read for the current record
    int line = 1;
    int quoteLine = 0;
    record.line = 1;
    auto endField = [&] {
        record.fields << field;
        field.clear();
    };
    auto endRecord = [&] {
        if (fieldStarted || !record.fields.isEmpty()) {
            endField();
            records.push_back(std::move(record));
        }
        record = Record{};
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'\r' || c == u'\n') {
            endRecord();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            ++line;
            record.line = line;
            continue;
        }
        if (!fieldStarted)
            record.line = line;
        fieldStarted = true;
        if (c == u'"' && field.isEmpty()) {
            quoted = true;
            quoteLine = line;
        } else if (c == separator) {
            endField();
        } else {
            field += c;
        }
    }
    if (quoted)
        throw Error(QStringLiteral("Regel %1: een veld tussen aanhalingstekens wordt niet afgesloten.").arg(quoteLine));
    endRecord();
    return records;
}

QString line(const QStringList &fields, QChar separator)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields) {
        const bool needsQuotes
            = f.contains(separator) || f.contains(u'"') || f.contains(u'\n') || f.contains(u'\r') || f.startsWith(u' ') || f.endsWith(u' ');
        out << (needsQuotes ? u'"' + QString(f).replace(u'"', QStringLiteral("\"\"")) + u'"' : f);
    }
    return out.join(separator) + QStringLiteral("\r\n");
}

} // namespace zelk::csv
