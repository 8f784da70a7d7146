#include "csvtext.h"

#include "cp1252.h"
#include "zelkerror.h"

#include <QIODevice>
#include <QLocale>
#include <array>
#include <tuple>

namespace zelk::csv {

bool Record::isBlank() const
{
    for (const QString &f : fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

// --- LineSource ---

LineSource::LineSource(QIODevice &device, qsizetype longest) : m_device(device), m_longest(longest) { }

void LineSource::tooLong() const
{
    throw Error(QStringLiteral("Regel %1 is langer dan %2 tekens; dit lijkt geen ledenlijst uit een rekenblad.")
                    .arg(m_number + 1)
                    .arg(QLocale(QLocale::Dutch).toString(m_longest)));
}

std::optional<QByteArray> LineSource::nextBytes()
{
    constexpr qint64 piece = 64 * 1024;
    for (;;) {
        const qsizetype end = [&] {
            for (qsizetype i = m_pos; i < m_buffer.size(); ++i)
                if (m_buffer.at(i) == '\n' || m_buffer.at(i) == '\r')
                    return i;
            return qsizetype(-1);
        }();
        // A CR at the end of the piece read so far may be followed by its LF in the next.
        const bool needMore = end < 0 || (m_buffer.at(end) == '\r' && end + 1 == m_buffer.size() && !m_atEnd);
        if (!needMore) {
            if (end - m_pos > m_longest)
                tooLong();
            QByteArray bytes = m_buffer.mid(m_pos, end - m_pos);
            m_pos = end + 1;
            if (m_buffer.at(end) == '\r' && m_pos < m_buffer.size() && m_buffer.at(m_pos) == '\n')
                ++m_pos;
            return bytes;
        }
        if (m_atEnd) {
            if (m_pos >= m_buffer.size())
                return std::nullopt;
            QByteArray bytes = m_buffer.mid(m_pos);
            m_pos = m_buffer.size();
            return bytes;
        }
        if (m_buffer.size() - m_pos > m_longest)
            tooLong();
        m_buffer.remove(0, m_pos);
        m_pos = 0;
        const qsizetype had = m_buffer.size();
        m_buffer.resize(had + piece);
        const qint64 got = m_device.read(m_buffer.data() + had, piece);
        if (got < 0)
            throw Error(QStringLiteral("Het bestand kan niet verder worden gelezen: %1").arg(m_device.errorString()));
        m_buffer.resize(had + got);
        if (got == 0)
            m_atEnd = true;
    }
}

QString LineSource::decode(const QByteArray &bytes)
{
    qsizetype firstHigh = -1;
    for (qsizetype i = 0; i < bytes.size() && firstHigh < 0; ++i)
        if (static_cast<unsigned char>(bytes.at(i)) >= 0x80)
            firstHigh = i;
    if (firstHigh < 0)
        return QString::fromLatin1(bytes); // plain ASCII reads the same in both
    m_decoder.resetState();
    QString text = m_decoder.decode(bytes);
    if (!m_decoder.hasError()) {
        m_utf8 = true;
        return text;
    }
    // Not UTF-8 as a whole: find the first byte that does not fit in a UTF-8 sequence (for
    // the message), and whether a valid multi-byte sequence occurs all the same.
    qsizetype bad = -1;
    for (qsizetype at = firstHigh; at < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes.at(at));
        const qsizetype length = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        bool valid = length == 1;
        if (length > 1 && at + length <= bytes.size()) {
            m_decoder.resetState();
            const QString sequence = m_decoder.decode(QByteArrayView(bytes).sliced(at, length));
            valid = !m_decoder.hasError() && !sequence.isEmpty();
        }
        if (valid && length > 1)
            m_utf8 = true;
        if (!valid && bad < 0)
            bad = at;
        at += valid ? length : 1;
    }
    bad = std::max<qsizetype>(bad, firstHigh);
    m_notUtf8.push_back({m_number, static_cast<int>(bad + 1), static_cast<unsigned char>(bytes.at(bad))});
    return cp1252::decode(bytes);
}

std::optional<LineSource::Line> LineSource::next()
{
    std::optional<QByteArray> bytes = nextBytes();
    if (!bytes)
        return std::nullopt;
    ++m_number;
    if (m_number == 1 && bytes->startsWith("\xEF\xBB\xBF")) {
        bytes->remove(0, 3);
        m_utf8 = true;
    }
    return Line{m_number, decode(*bytes)};
}

std::vector<LineSource::Stray> LineSource::strayLines() const
{
    return m_utf8 ? m_notUtf8 : std::vector<Stray>{};
}

// --- Reader ---

bool Reader::addLine(QStringView text, int number)
{
    if (m_done) {
        m_record = Record{};
        m_done = false;
    }
    if (!m_quoted && m_record.fields.isEmpty() && m_field.isEmpty()) {
        if (text.isEmpty())
            return false; // an empty line between records
        m_record.line = number;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (m_quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                m_field += u'"';
                ++i;
            } else if (c == u'"') {
                m_quoted = false;
            } else {
                m_field += c;
            }
        } else if (c == u'"' && m_field.isEmpty()) {
            m_quoted = true;
            m_quoteLine = number;
        } else if (c == m_separator) {
            m_record.fields << m_field;
            m_field.clear();
        } else {
            m_field += c;
        }
    }
    if (m_quoted) {
        m_field += u'\n';
        return false;
    }
    m_record.fields << m_field;
    m_field.clear();
    m_done = true;
    return true;
}

Record Reader::take()
{
    m_done = false;
    Record record = std::move(m_record);
    m_record = Record{};
    return record;
}

qsizetype Reader::pending() const
{
    qsizetype size = m_field.size();
    for (const QString &f : m_record.fields)
        size += f.size() + 1;
    return size;
}

// --- detection ---

QChar detectSeparator(const QStringList &lines, const std::function<int(const QStringList &)> &known)
{
    struct Score {
        int known = 0;      // header columns the caller recognises
        bool split = false; // the header has more than one column
        int fitting = 0;    // per mille of the rows with no more fields than the header
        int columns = 0;
        auto tuple() const { return std::tuple(known, split, fitting, columns); }
    };
    // The fields of a record up to its last one that holds something.
    auto width = [](const Record &r) {
        qsizetype n = r.fields.size();
        while (n > 1 && r.fields.at(n - 1).trimmed().isEmpty())
            --n;
        return static_cast<int>(n);
    };
    constexpr std::array<char16_t, 3> candidates = {u';', u',', u'\t'};
    QChar best = u';';
    Score bestScore{-1, false, -1, -1};
    for (const char16_t candidate : candidates) {
        Reader reader(candidate);
        std::vector<Record> records;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (reader.addLine(lines.at(i), static_cast<int>(i + 1)))
                if (Record r = reader.take(); !r.isBlank())
                    records.push_back(std::move(r));
        if (records.empty())
            return candidate; // read this way the lines are all empty rows
        Score score;
        score.columns = width(records.front());
        score.split = score.columns > 1;
        score.known = known ? known(records.front().fields) : 0;
        size_t fitting = 0;
        for (size_t r = 1; r < records.size(); ++r)
            if (width(records[r]) <= score.columns)
                ++fitting;
        score.fitting = records.size() > 1 ? static_cast<int>(fitting * 1000 / (records.size() - 1)) : 1000;
        if (score.tuple() > bestScore.tuple()) {
            bestScore = score;
            best = candidate;
        }
    }
    return best;
}

std::vector<Record> parse(const QString &text, QChar separator)
{
    std::vector<Record> records;
    Reader reader(separator);
    int number = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != u'\n' && text.at(end) != u'\r')
            ++end;
        ++number;
        if (reader.addLine(QStringView(text).sliced(start, end - start), number))
            records.push_back(reader.take());
        if (end + 1 < text.size() && text.at(end) == u'\r' && text.at(end + 1) == u'\n')
            ++end;
        start = end + 1;
    }
    if (reader.inQuotes())
        throw Error(QStringLiteral("Regel %1: een veld tussen aanhalingstekens wordt niet afgesloten.").arg(reader.quoteLine()));
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

namespace {
// A value a spreadsheet would read as a formula once one leading "'" is taken off.
bool looksGuarded(QStringView value)
{
    qsizetype i = 0;
    while (i < value.size() && value.at(i) == u'\'')
        ++i;
    return i > 0 && i < value.size() && QStringView(u"=+-@").contains(value.at(i));
}
} // namespace

QString guarded(const QString &value)
{
    if (value.isEmpty())
        return value;
    const QChar first = value.front();
    const bool formula = first == u'=' || first == u'+' || first == u'-' || first == u'@';
    return formula || looksGuarded(value) ? u'\'' + value : value;
}

QString unguarded(const QString &value)
{
    return looksGuarded(value) ? value.mid(1) : value;
}

} // namespace zelk::csv
