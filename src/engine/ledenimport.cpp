#include "ledenimport.h"

#include "csvtext.h"
#include "filesave.h"
#include "ledenregels.h"
#include "store/connection.h"
#include "store/sqlite.h"
#include "store/table.h"
#include "store/velden.h"
#include "veiligheidskopie.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <optional>
#include <sqlite3.h>

namespace zelk::ledenimport {

namespace {

constexpr QChar exportSeparator = u';';
// Lines read before the separator is chosen.
constexpr int sampleLines = 100;

QString number(qint64 n)
{
    return QLocale(QLocale::Dutch).toString(n);
}

QString fieldText(const FieldDef &field, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (field.type) {
    case FieldType::Date:
        return value.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return csv::guarded(value.toString());
    }
}

std::optional<QVariant> parseBoolean(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t.isEmpty())
        return QVariant();
    static const QStringList yes = {"1", "ja", "j", "x", "waar", "true", "yes", "y"};
    static const QStringList no = {"0", "nee", "n", "onwaar", "false", "no"};
    if (yes.contains(t))
        return QVariant(true);
    if (no.contains(t))
        return QVariant(false);
    return std::nullopt;
}

// A heading as it is compared: lower case, letters and digits only ("E-mail adres" and
// "emailadres" are the same heading).
QString headingKey(const QString &heading)
{
    QString key;
    for (const QChar c : heading)
        if (c.isLetterOrNumber())
            key += c.toLower();
    return key;
}

// The headings a Dutch member list uses besides the field names.
struct Kopje {
    QStringView field;
    QStringList also;
};

const std::vector<Kopje> &bekendeKopjes()
{
    using namespace veld::leden;
    static const std::vector<Kopje> list = {
        {Naam, {"Lidnaam", "Naam lid", "Volledige naam", "Achternaam, voornaam", "Lid"}},
        {Straat, {"Adres", "Straat en huisnummer", "Straat + huisnummer", "Straatnaam", "Woonadres"}},
        {Pcode, {"Postcode"}},
        {Plaats, {"Woonplaats", "Plaatsnaam"}},
        {Email, {"E-mail", "E-mailadres", "Mailadres", "Mail"}},
        {BankGiro, {"IBAN", "Rekeningnummer", "Bankrekening", "Bankrekeningnummer", "Rekening", "Giro"}},
        {GebDatum, {"Geboortedatum", "Geb.dat.", "Geboren"}},
        {Lidbedrag, {"Contributie", "Bedrag", "Contributiebedrag"}},
        {Soortlid, {"Soort lid", "Lidsoort", "Lidmaatschap", "Soort lidmaatschap", "Categorie"}},
        {Opmerk1, {"Opmerking 1", "Opmerking", "Opmerkingen"}},
        {Opmerk2, {"Opmerking 2"}},
        {Opmerk3, {"Opmerking 3"}},
    };
    return list;
}

// Heading key -> field index of the member table.
const QHash<QString, int> &headingIndex(const TableSchema &schema)
{
    static const QHash<QString, int> index = [&schema] {
        QHash<QString, int> map;
        for (size_t i = 0; i < schema.fields.size(); ++i)
            map.insert(headingKey(schema.fields[i].name), static_cast<int>(i));
        for (const Kopje &k : bekendeKopjes())
            for (const QString &heading : k.also)
                map.insert(headingKey(heading), schema.indexOf(k.field));
        return map;
    }();
    return index;
}

// A member read from the file: only the fields that hold something, so that 50,000 rows of
// a few fields each stay small.
struct Row {
    int line;
    QString name;
    std::vector<std::pair<int, QVariant>> values; // field index, value
};

// Reads and checks a file a line at a time, keeping only what the import needs.
class Reading {
public:
    explicit Reading(const Table &leden) : m_schema(leden.schema()), m_keys(headingIndex(m_schema))
    {
        for (int i = 0; i < leden.recordCount(); ++i)
            m_names.insert(leden.valueAt(i, 0).toString().trimmed(), 0);
    }

    void read(QIODevice &device);

    QList<Problem> problems;
    int problemCount = 0;
    std::vector<Row> rows;
    QStringList ignored;

private:
    void problem(int line, const QString &message)
    {
        ++problemCount;
        if (problems.size() < maxProblems)
            problems << Problem{line, message};
    }
    void stop(const QString &message, int line = 0) // a problem that ends the reading and is the only one
    {
        problems.clear();
        problemCount = 0;
        rows.clear();
        problem(line, message);
        m_stopped = true;
    }
    bool refuseByLook(QIODevice &device);
    void take(const csv::Record &record);
    void header(const csv::Record &record);
    void row(const csv::Record &record);
    void setValue(Row &row, int index, const QString &text, int line);

    const TableSchema &m_schema;
    const QHash<QString, int> &m_keys;
    QHash<QString, int> m_names; // name -> line where it first occurs (0 for existing members)
    QList<int> m_columns;        // field index per column, -1 for a column left out
    QStringList m_headings;
    std::vector<bool> m_holdsData; // per column left out: a value was seen in it
    bool m_haveHeader = false;
    bool m_stopped = false;
    int m_members = 0;
};

// Files that are no CSV text at all get a message that says what to do instead.
bool Reading::refuseByLook(QIODevice &device)
{
    if (!device.isSequential() && device.size() > maxBytes) {
        stop(QStringLiteral("Het bestand is groter dan %1 MB; Zelk leest per keer een bestand van hoogstens %1 MB en %2 leden in. "
                            "Verdeel de leden over meer bestanden.")
                 .arg(maxBytes / 1000 / 1000)
                 .arg(number(maxLeden)));
        return true;
    }
    const QByteArray start = device.peek(4);
    const QString saveAsCsv = QStringLiteral("Sla het in het rekenblad op als \"CSV UTF-8\" of \"CSV (puntkomma-gescheiden)\" "
                                             "en lees dat bestand in.");
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")) {
        stop(QStringLiteral("Dit bestand is opgeslagen als Unicode-tekst (UTF-16). ") + saveAsCsv);
        return true;
    }
    if (start.startsWith("PK\x03\x04") || start.startsWith("\xD0\xCF\x11\xE0")) {
        stop(QStringLiteral("Dit is een werkmap van een rekenblad (zoals .xlsx of .ods), geen CSV-bestand. ") + saveAsCsv);
        return true;
    }
    return false;
}

void Reading::read(QIODevice &device)
{
    if (refuseByLook(device))
        return;
    csv::LineSource lines(device, maxRegel);
    try {
        QStringList sample;
        while (sample.size() < sampleLines)
            if (auto line = lines.next())
                sample << std::move(line->text);
            else
                break;
        const QChar separator = csv::detectSeparator(sample, [this](const QStringList &heading) {
            int known = 0;
            for (const QString &h : heading)
                known += m_keys.contains(headingKey(h)) ? 1 : 0;
            return known;
        });
        csv::Reader reader(separator);
        auto feed = [&](QStringView text, int number) {
            if (reader.addLine(text, number))
                take(reader.take());
            else if (reader.pending() > maxRegel)
                stop(QStringLiteral("Een veld tussen aanhalingstekens wordt niet afgesloten."), reader.quoteLine());
        };
        for (qsizetype i = 0; i < sample.size() && !m_stopped; ++i)
            feed(sample.at(i), static_cast<int>(i + 1));
        sample.clear();
        while (!m_stopped)
            if (const auto line = lines.next())
                feed(line->text, line->number);
            else
                break;
        if (m_stopped)
            return;
        if (reader.inQuotes())
            problem(reader.quoteLine(), QStringLiteral("Een veld tussen aanhalingstekens wordt niet afgesloten."));
    } catch (const Error &e) {
        stop(e.message());
        return;
    }
    for (const csv::LineSource::Stray &s : lines.strayLines())
        problem(s.line,
                QStringLiteral("Het bestand is in UTF-8 geschreven, maar op deze regel staat een teken dat geen UTF-8 is "
                               "(byte %1 op plaats %2). Sla het bestand opnieuw op als \"CSV UTF-8\".")
                    .arg(QString::number(s.byte, 16).toUpper())
                    .arg(s.position));
    if (!m_haveHeader)
        problem(1,
                QStringLiteral("Het bestand heeft geen kopregel met kolomnamen; de eerste regel moet de kolommen noemen, "
                               "bijvoorbeeld Naam;Straat;Postcode;Woonplaats."));
    for (size_t c = 0; c < m_holdsData.size(); ++c)
        if (m_columns.value(static_cast<int>(c)) < 0 && m_headings.value(static_cast<int>(c)).trimmed().isEmpty() && m_holdsData[c])
            ignored << QStringLiteral("kolom %1 zonder kopje").arg(c + 1);
    std::stable_sort(problems.begin(), problems.end(), [](const Problem &a, const Problem &b) { return a.line < b.line; });
}

void Reading::take(const csv::Record &record)
{
    if (record.isBlank())
        return; // an empty row, as a spreadsheet writes it after the last member
    if (!m_haveHeader) {
        m_haveHeader = true;
        header(record);
        return;
    }
    if (++m_members > maxLeden) {
        stop(QStringLiteral("Het bestand bevat meer dan %1 leden; Zelk leest per keer hoogstens %1 leden in. "
                            "Verdeel de leden over meer bestanden.")
                 .arg(number(maxLeden)));
        return;
    }
    row(record);
}

void Reading::header(const csv::Record &record)
{
    QHash<int, QString> seen; // field index -> heading that named it
    m_headings = record.fields;
    for (const QString &heading : record.fields) {
        const int index = m_keys.value(headingKey(heading), -1);
        if (index < 0) {
            if (!heading.trimmed().isEmpty())
                ignored << heading.trimmed();
        } else if (seen.contains(index)) {
            problem(record.line,
                    QStringLiteral("De kolommen \"%1\" en \"%2\" zijn allebei %3; laat er één van staan.")
                        .arg(seen.value(index), heading.trimmed(), m_schema.fields[index].name));
        } else {
            seen.insert(index, heading.trimmed());
        }
        m_columns << index;
    }
    m_holdsData.assign(m_columns.size(), false);
    if (!seen.contains(0))
        problem(record.line,
                QStringLiteral("De kolom Naam ontbreekt. Zelk herkent deze kopjes (hoofdletters en spaties tellen niet "
                               "mee): %1.")
                    .arg(kopjes()));
    if (problemCount > 0)
        m_stopped = true; // without the columns the rows cannot be read
}

void Reading::setValue(Row &row, int index, const QString &text, int line)
{
    const FieldDef &field = m_schema.fields[index];
    try {
        switch (field.type) {
        case FieldType::Date:
            if (const QDate d = ledenregels::geboortedatum(text); d.isValid())
                row.values.emplace_back(index, d);
            break;
        case FieldType::Boolean:
            if (const auto b = parseBoolean(text))
                row.values.emplace_back(index, *b);
            else
                problem(line,
                        QStringLiteral("\"%1\" is geen maandteken voor %2; gebruik 1 of 0 (of ja of nee).")
                            .arg(text.trimmed().left(40), field.name));
            break;
        default:
            if (const QString t = ledenregels::tekst(field, csv::unguarded(text.trimmed())); !t.isEmpty())
                row.values.emplace_back(index, t);
        }
    } catch (const Error &e) {
        problem(line, e.message());
    }
}

void Reading::row(const csv::Record &record)
{
    const int before = problemCount;
    Row row{record.line, {}, {}};
    int filled = 0;
    for (qsizetype c = 0; c < record.fields.size(); ++c) {
        const QString &text = record.fields.at(c);
        const bool empty = text.trimmed().isEmpty();
        if (!empty)
            filled = static_cast<int>(c + 1);
        const int index = m_columns.value(c, -1);
        if (index >= 0)
            setValue(row, index, text, record.line);
        else if (c < m_columns.size() && !empty)
            m_holdsData[c] = true;
    }
    if (filled > m_columns.size())
        problem(record.line,
                QStringLiteral("De regel heeft %1 velden, de kopregel maar %2; staat er een scheidingsteken in een waarde "
                               "zonder aanhalingstekens?")
                    .arg(filled)
                    .arg(m_columns.size()));
    for (const auto &[index, value] : row.values)
        if (index == 0)
            row.name = value.toString();
    const QString &name = row.name;
    if (name.isEmpty()) {
        if (problemCount == before) // a name refused by the rules has its own message
            problem(record.line, ledenregels::naamOntbreekt());
    } else if (const auto it = m_names.constFind(name); it != m_names.constEnd()) {
        problem(record.line,
                it.value() == 0 ? QStringLiteral("Er bestaat al een lid met de naam \"%1\".").arg(name)
                                : QStringLiteral("De naam \"%1\" staat ook op regel %2.").arg(name).arg(it.value()));
    } else {
        m_names.insert(name, record.line);
    }
    if (problemCount == 0)
        rows.push_back(std::move(row)); // once a row is wrong nothing is imported: no need to keep rows
    else
        rows.clear();
}

// Every member, also those a filter hides, must count for the duplicate check.
class AllRows {
public:
    explicit AllRows(Table &table) : m_table(table), m_filtered(table.isFiltered())
    {
        if (m_filtered)
            m_table.setFiltered(false);
    }
    ~AllRows()
    {
        if (m_filtered)
            m_table.setFiltered(true);
    }

private:
    Table &m_table;
    bool m_filtered;
};

Reading readAll(Table &leden, QIODevice &device)
{
    AllRows all(leden);
    Reading reading(leden);
    reading.read(device);
    return reading;
}

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

// Stores the members read with one prepared statement in one transaction, and reads the
// member table afresh once at the end. Posting them one by one through the table would
// place every member in the table's order and tell every grid (tens of seconds for 50,000
// members, minutes when they fall between existing ones). The values are those the table
// stores: checked texts that fit their field, dates, marks; a field not in the file is
// empty (NULL), as after Append.
void addMembers(Table &leden, Connection &connection, const std::vector<Row> &rows)
{
    const TableSchema &schema = leden.schema();
    QStringList columns, marks;
    for (const FieldDef &f : schema.fields) {
        columns << quoted(f.name);
        marks << QStringLiteral("?");
    }
    Transaction transaction(connection);
    sql::Statement insert(connection.handle(),
                          QStringLiteral("INSERT INTO %1.%2 (%3) VALUES (%4)")
                              .arg(connection.qualified(schema), quoted(schema.tableName), columns.join(u','), marks.join(u',')));
    for (const Row &row : rows) {
        for (int column = 1; column <= static_cast<int>(schema.fields.size()); ++column)
            insert.bind(column, QVariant());
        for (const auto &[index, value] : row.values)
            insert.bind(index + 1, value);
        try {
            insert.run();
        } catch (const Error &) {
            const int code = sql::extendedErrorCode(connection.handle());
            if (code != SQLITE_CONSTRAINT_UNIQUE && code != SQLITE_CONSTRAINT_PRIMARYKEY)
                throw;
            // Another program added the member after the file was checked.
            throw Error(
                QStringLiteral("Regel %1: Er bestaat al een lid met de naam \"%2\". Er is niets ingelezen.").arg(row.line).arg(row.name));
        }
        insert.reset();
    }
    transaction.commit();
}

Result importFrom(Table &leden, Connection &connection, QIODevice &device)
{
    if (leden.isEditing())
        leden.post(); // a pending member counts for the duplicate check like any other
    Reading reading = readAll(leden, device);
    if (reading.problemCount > 0)
        throw Refused(std::move(reading.problems), reading.problemCount);
    veiligheidskopie::maak(connection, veiligheidskopie::ledenInlezen);
    addMembers(leden, connection, reading.rows);
    leden.refresh();
    return {static_cast<int>(reading.rows.size()), reading.ignored};
}

QString problemText(const QList<Problem> &problems, int total)
{
    QString intro = total == 1 ? QStringLiteral("Er is niets ingelezen, want het bestand bevat een fout:")
                               : QStringLiteral("Er is niets ingelezen, want het bestand bevat %1 fouten:").arg(number(total));
    if (total > problems.size()) {
        intro.chop(1);
        intro += QStringLiteral("; de eerste %1 staan hieronder:").arg(number(problems.size()));
    }
    return intro;
}

} // namespace

QString Problem::text() const
{
    return line > 0 ? QStringLiteral("Regel %1: %2").arg(line).arg(message) : message;
}

Refused::Refused(QList<Problem> problems, int total)
    : Error(problemText(problems, total) + u'\n' +
            [&] {
                QStringList lines;
                for (const Problem &p : problems)
                    lines << p.text();
                return lines.join(u'\n');
            }()),
      m_problems(std::move(problems)),
      m_total(total)
{
}

QString Refused::intro() const
{
    return problemText(m_problems, m_total);
}

QStringList Refused::lines() const
{
    QStringList lines;
    lines.reserve(m_problems.size());
    for (const Problem &p : m_problems)
        lines << p.text();
    return lines;
}

QString kopjes()
{
    QStringList parts;
    for (const Kopje &k : bekendeKopjes()) {
        QStringList also;
        for (const QString &a : k.also)
            also << (a.contains(u',') ? u'"' + a + u'"' : a);
        parts << QStringLiteral("%1 (of %2)").arg(k.field.toString(), also.join(QStringLiteral(", ")));
    }
    const QStringList &months = veld::leden::maanden();
    parts << QStringLiteral("en de maandtekens %1 tot en met %2").arg(months.front(), months.back());
    return parts.join(QStringLiteral("; "));
}

QByteArray exportBytes(const Table &leden)
{
    const TableSchema &schema = leden.schema();
    QStringList header;
    for (const FieldDef &f : schema.fields)
        header << f.name;
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += csv::line(header, exportSeparator).toUtf8();
    for (int r = 0; r < leden.recordCount(); ++r) {
        QStringList fields;
        for (size_t i = 0; i < schema.fields.size(); ++i)
            fields << fieldText(schema.fields[i], leden.valueAt(r, static_cast<int>(i)));
        bytes += csv::line(fields, exportSeparator).toUtf8();
    }
    return bytes;
}

int exportCsv(const Table &leden, const QString &path)
{
    saveFile(path, exportBytes(leden));
    return leden.recordCount();
}

QList<Problem> check(Table &leden, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readAll(leden, buffer).problems;
}

Result importBytes(Table &leden, Connection &connection, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return importFrom(leden, connection, buffer);
}

Result importCsv(Table &leden, Connection &connection, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het bestand %1 kan niet worden gelezen: %2").arg(path, file.errorString()));
    return importFrom(leden, connection, file);
}

} // namespace zelk::ledenimport
