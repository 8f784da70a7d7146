#include "ledenimport.h"

#include "cp1252.h"
#include "csvtext.h"
#include "filesave.h"
#include "store/connection.h"
#include "store/table.h"
#include "veiligheidskopie.h"
#include "zelkerror.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <optional>

namespace zelk::ledenimport {

namespace {

constexpr QChar exportSeparator = u';';

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
        return value.toString();
    }
}

// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise (a spreadsheet saving
// "CSV" on Windows writes its code page).
QString decode(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    return utf8.hasError() ? cp1252::decode(data) : text;
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

std::optional<QVariant> parseDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QVariant();
    for (const char *format : {"dd-MM-yyyy", "d-M-yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(t, QLatin1String(format));
        if (d.isValid())
            return QVariant(d);
    }
    return std::nullopt;
}

struct Row {
    int line;
    Table::Values values;
};

struct Checked {
    QList<Problem> problems;
    std::vector<Row> rows;
};

// Maps each column of the header to a field index of the member table (-1 unknown).
QList<int> mapHeader(const TableSchema &schema, const csv::Record &header, QList<Problem> &problems)
{
    QList<int> columns;
    QSet<int> seen;
    for (const QString &name : header.fields) {
        const int index = schema.indexOf(name.trimmed());
        if (index < 0)
            problems << Problem{header.line, QStringLiteral("de kolom \"%1\" is geen veld van de ledentabel").arg(name.trimmed())};
        else if (seen.contains(index))
            problems << Problem{header.line, QStringLiteral("de kolom \"%1\" komt twee keer voor").arg(name.trimmed())};
        seen.insert(index);
        columns << index;
    }
    if (!seen.contains(0))
        problems << Problem{header.line, QStringLiteral("de kolom \"Naam\" ontbreekt")};
    return columns;
}

Row convertRow(const TableSchema &schema, const QList<int> &columns, const csv::Record &record, QList<Problem> &problems)
{
    Row row{record.line, {}};
    for (size_t i = 0; i < schema.fields.size(); ++i)
        row.values << QVariant();
    if (record.fields.size() > columns.size())
        problems << Problem{record.line,
                            QStringLiteral("de regel heeft %1 velden, de kopregel maar %2").arg(record.fields.size()).arg(columns.size())};
    for (int c = 0; c < std::min(columns.size(), record.fields.size()); ++c) {
        const int index = columns[c];
        if (index < 0)
            continue;
        const FieldDef &field = schema.fields[index];
        const QString text = record.fields[c];
        switch (field.type) {
        case FieldType::Date:
            if (const auto d = parseDate(text))
                row.values[index] = *d;
            else
                problems << Problem{
                    record.line,
                    QStringLiteral("\"%1\" is geen geldige datum voor %2 (gebruik dd-mm-jjjj of jjjj-mm-dd)").arg(text, field.name)};
            break;
        case FieldType::Boolean:
            if (const auto b = parseBoolean(text))
                row.values[index] = *b;
            else
                problems << Problem{record.line,
                                    QStringLiteral("\"%1\" is geen maandteken voor %2 (gebruik 1 of 0)").arg(text, field.name)};
            break;
        default:
            if (text.size() > field.size)
                problems << Problem{
                    record.line,
                    QStringLiteral("%1 is %2 tekens lang, er passen er %3 in").arg(field.name).arg(text.size()).arg(field.size)};
            else if (!text.isEmpty())
                row.values[index] = text;
        }
    }
    return row;
}

Checked checkText(const Table &leden, const QString &text)
{
    Checked result;
    std::vector<csv::Record> records;
    try {
        records = csv::parse(text, csv::detectSeparator(text));
    } catch (const Error &e) {
        result.problems << Problem{0, e.message()};
        return result;
    }
    if (records.empty()) {
        result.problems << Problem{1, QStringLiteral("het bestand heeft geen kopregel met veldnamen")};
        return result;
    }
    const TableSchema &schema = leden.schema();
    const QList<int> columns = mapHeader(schema, records.front(), result.problems);
    if (!result.problems.isEmpty())
        return result;
    QHash<QString, int> names; // name -> line where it first occurs (0 for existing members)
    for (int i = 0; i < leden.recordCount(); ++i)
        names.insert(leden.valueAt(i, 0).toString(), 0);
    for (size_t r = 1; r < records.size(); ++r) {
        Row row = convertRow(schema, columns, records[r], result.problems);
        const QString name = row.values[0].toString();
        if (name.trimmed().isEmpty())
            result.problems << Problem{row.line, QStringLiteral("de naam ontbreekt")};
        else if (const auto it = names.constFind(name); it != names.constEnd())
            result.problems << Problem{row.line,
                                       it.value() == 0 ? QStringLiteral("er bestaat al een lid met de naam \"%1\"").arg(name)
                                                       : QStringLiteral("de naam \"%1\" staat ook op regel %2").arg(name).arg(it.value())};
        else
            names.insert(name, row.line);
        result.rows.push_back(std::move(row));
    }
    return result;
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

QString problemList(const QList<Problem> &problems)
{
    QStringList lines;
    for (const Problem &p : problems)
        lines << p.text();
    return QStringLiteral("Er is niets ingelezen, want het bestand bevat fouten:\n") + lines.join(u'\n');
}

} // namespace

QString Problem::text() const
{
    return line > 0 ? QStringLiteral("Regel %1: %2").arg(line).arg(message) : message;
}

QByteArray exportBytes(const Table &leden)
{
    const TableSchema &schema = leden.schema();
    QStringList header;
    for (const FieldDef &f : schema.fields)
        header << f.name;
    QString text = csv::line(header, exportSeparator);
    for (int r = 0; r < leden.recordCount(); ++r) {
        QStringList fields;
        for (size_t i = 0; i < schema.fields.size(); ++i)
            fields << fieldText(schema.fields[i], leden.valueAt(r, static_cast<int>(i)));
        text += csv::line(fields, exportSeparator);
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

int exportCsv(const Table &leden, const QString &path)
{
    saveFile(path, exportBytes(leden));
    return leden.recordCount();
}

QList<Problem> check(Table &leden, const QByteArray &bytes)
{
    AllRows all(leden);
    return checkText(leden, decode(bytes)).problems;
}

int importBytes(Table &leden, Connection &connection, const QByteArray &bytes)
{
    if (leden.isEditing())
        leden.post(); // a pending member counts for the duplicate check like any other
    Checked checked;
    {
        AllRows all(leden);
        checked = checkText(leden, decode(bytes));
    }
    if (!checked.problems.isEmpty())
        throw Error(problemList(checked.problems));
    veiligheidskopie::maak(connection, veiligheidskopie::ledenInlezen);
    Transaction transaction(connection);
    const TableSchema &schema = leden.schema();
    for (const Row &row : checked.rows) {
        leden.append();
        for (size_t i = 0; i < schema.fields.size(); ++i)
            leden.setValue(schema.fields[i].name, row.values[static_cast<int>(i)]);
        leden.post();
    }
    transaction.commit();
    return static_cast<int>(checked.rows.size());
}

int importCsv(Table &leden, Connection &connection, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het bestand %1 kan niet worden gelezen: %2").arg(path, file.errorString()));
    return importBytes(leden, connection, file.readAll());
}

} // namespace zelk::ledenimport
