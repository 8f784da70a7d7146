#pragma once
// The layout of every table file of an administration: file name, field names in order,
// types and sizes, and the key. These are fixed; stored files rely on them.
#include <QString>
#include <QStringList>
#include <vector>

namespace zelk {

enum class FieldType { Text, Date, Time, Boolean, AutoInc, Currency, Float, Memo };

struct FieldDef {
    QString name;
    FieldType type;
    int size = 0; // characters, for Text
};

enum class KeyKind {
    None,       // rows stay in the order they were placed (hidden order column)
    UniqueText, // the first field is a unique key and the browse order (members by Naam)
    AutoInc,    // the first field is assigned by the store and is the browse order
};

struct TableSchema {
    QString fileName;  // e.g. "leden.DB"
    QString tableName; // the table inside the file, also the schema name it is attached as
    std::vector<FieldDef> fields;
    KeyKind key = KeyKind::None;

    int indexOf(QStringView field) const; // case-insensitive; -1 when unknown
    // CREATE TABLE for this layout inside the attached database `schemaName`.
    QString createSql(const QString &schemaName) const;
};

namespace schemas {
const TableSchema &leden();
const TableSchema &rekeningen();
const TableSchema &journaal();
const TableSchema &tebetalen();
const TableSchema &teontvangen();
const TableSchema &mailtjes();
const TableSchema &hulp();
const TableSchema &ledennew();
const TableSchema &mailtjesnew();
// Every table file an administration holds, in the order they are created.
const std::vector<const TableSchema *> &all();
// The five tables that backup and restore copy.
const std::vector<const TableSchema *> &mainTables();
} // namespace schemas

// The column type a field is declared with ("VARCHAR(40)", "FLOAT", …).
QString declaredType(const FieldDef &field);

// The name of the hidden order column of unkeyed tables.
inline constexpr const char *orderColumn = "_volgorde";

} // namespace zelk
