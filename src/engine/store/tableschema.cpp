#include "tableschema.h"

#include "velden.h"

namespace zelk {

int TableSchema::indexOf(QStringView field) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

QString declaredType(const FieldDef &f)
{
    switch (f.type) {
    case FieldType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(f.size);
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Time:
        return QStringLiteral("TIME");
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Currency:
        return QStringLiteral("CURRENCY");
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    }
    return {};
}

namespace {
QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

FieldDef field(QStringView name, FieldType type, int size = 0)
{
    return {name.toString(), type, size};
}

std::vector<FieldDef> memberFields()
{
    using namespace veld::leden;
    std::vector<FieldDef> f = {field(Naam, FieldType::Text, 40),   field(Straat, FieldType::Text, 40), field(Pcode, FieldType::Text, 7),
                               field(Plaats, FieldType::Text, 40), field(Email, FieldType::Text, 60),  field(BankGiro, FieldType::Text, 15),
                               field(GebDatum, FieldType::Date)};
    for (const QString &month : maanden())
        f.push_back(field(month, FieldType::Boolean));
    for (QStringView text : {Lidbedrag, Soortlid})
        f.push_back(field(text, FieldType::Text, 15));
    for (QStringView remark : {Opmerk1, Opmerk2, Opmerk3})
        f.push_back(field(remark, FieldType::Text, 40));
    return f;
}

std::vector<FieldDef> openItemFields()
{
    using namespace veld::openpost;
    return {field(Datum, FieldType::Date), field(Omschrijving, FieldType::Text, 40), field(Bedrag, FieldType::Currency)};
}

std::vector<FieldDef> mailFields()
{
    using namespace veld::mailtjes;
    return {field(Mnaam, FieldType::Text, 40),  field(Datum, FieldType::Date),          field(Tijd, FieldType::Time),
            field(Madres, FieldType::Text, 60), field(Monderwerp, FieldType::Text, 60), field(Mmail, FieldType::Memo)};
}
} // namespace

QString TableSchema::createSql(const QString &schemaName) const
{
    QStringList columns;
    for (const FieldDef &f : fields) {
        QString column = quoted(f.name) + u' ' + declaredType(f);
        if (key == KeyKind::UniqueText && &f == &fields.front())
            column += QStringLiteral(" NOT NULL UNIQUE");
        columns << column;
    }
    if (key == KeyKind::None)
        columns << quoted(QString::fromLatin1(orderColumn)) + QStringLiteral(" REAL NOT NULL");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1.%2 (%3)")
        .arg(quoted(schemaName), quoted(tableName), columns.join(QStringLiteral(", ")));
}

namespace schemas {

const TableSchema &leden()
{
    static const TableSchema s{QStringLiteral("leden.DB"), QStringLiteral("leden"), memberFields(), KeyKind::UniqueText};
    return s;
}

const TableSchema &rekeningen()
{
    static const TableSchema s{QStringLiteral("rekeningen.db"),
                               QStringLiteral("rekeningen"),
                               {field(veld::rekeningen::Nummer, FieldType::AutoInc), field(veld::rekeningen::Naam, FieldType::Text, 40),
                                field(veld::rekeningen::Saldo, FieldType::Currency)},
                               KeyKind::AutoInc};
    return s;
}

const TableSchema &journaal()
{
    static const TableSchema s{
        QStringLiteral("journaal.db"),
        QStringLiteral("journaal"),
        {field(veld::journaal::JrNr, FieldType::Float), field(veld::journaal::Datum, FieldType::Date),
         field(veld::journaal::Omschrijving, FieldType::Text, 40), field(veld::journaal::Vanrekening, FieldType::Text, 40),
         field(veld::journaal::Naarrekening, FieldType::Text, 40), field(veld::journaal::Bedrag, FieldType::Currency)},
        KeyKind::None};
    return s;
}

const TableSchema &tebetalen()
{
    static const TableSchema s{QStringLiteral("tebetalen.db"), QStringLiteral("tebetalen"), openItemFields(), KeyKind::None};
    return s;
}

const TableSchema &teontvangen()
{
    static const TableSchema s{QStringLiteral("teontvangen.db"), QStringLiteral("teontvangen"), openItemFields(), KeyKind::None};
    return s;
}

const TableSchema &mailtjes()
{
    static const TableSchema s{QStringLiteral("mailtjes.db"), QStringLiteral("mailtjes"), mailFields(), KeyKind::None};
    return s;
}

const TableSchema &hulp()
{
    static const TableSchema s{QStringLiteral("hulp.db"),
                               QStringLiteral("hulp"),
                               {field(veld::journaal::JrNr, FieldType::Float), field(veld::journaal::Datum, FieldType::Date),
                                field(veld::journaal::Omschrijving, FieldType::Text, 40),
                                field(veld::journaal::Bedrag, FieldType::Currency)},
                               KeyKind::None};
    return s;
}

const TableSchema &ledennew()
{
    static const TableSchema s{QStringLiteral("ledennew.DB"), QStringLiteral("ledennew"), memberFields(), KeyKind::UniqueText};
    return s;
}

const TableSchema &mailtjesnew()
{
    static const TableSchema s{QStringLiteral("mailtjesnew.db"), QStringLiteral("mailtjesnew"), mailFields(), KeyKind::None};
    return s;
}

const std::vector<const TableSchema *> &all()
{
    static const std::vector<const TableSchema *> list
        = {&leden(), &rekeningen(), &journaal(), &tebetalen(), &teontvangen(), &mailtjes(), &hulp(), &ledennew(), &mailtjesnew()};
    return list;
}

const std::vector<const TableSchema *> &mainTables()
{
    static const std::vector<const TableSchema *> list = {&leden(), &rekeningen(), &journaal(), &tebetalen(), &teontvangen()};
    return list;
}

} // namespace schemas
} // namespace zelk
