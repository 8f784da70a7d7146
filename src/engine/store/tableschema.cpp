#include "tableschema.h"

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
    case FieldType::Text: return QStringLiteral("VARCHAR(%1)").arg(f.size);
    case FieldType::Date: return QStringLiteral("DATE");
    case FieldType::Time: return QStringLiteral("TIME");
    case FieldType::Boolean: return QStringLiteral("BOOLEAN");
    case FieldType::AutoInc: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Currency: return QStringLiteral("CURRENCY");
    case FieldType::Float: return QStringLiteral("FLOAT");
    case FieldType::Memo: return QStringLiteral("TEXT");
    }
    return {};
}

namespace {
QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

std::vector<FieldDef> memberFields()
{
    std::vector<FieldDef> f = {
        {QStringLiteral("Naam"), FieldType::Text, 40},   {QStringLiteral("Straat"), FieldType::Text, 40},
        {QStringLiteral("Pcode"), FieldType::Text, 7},   {QStringLiteral("Plaats"), FieldType::Text, 40},
        {QStringLiteral("Email"), FieldType::Text, 60},  {QStringLiteral("Bank-giro"), FieldType::Text, 15},
        {QStringLiteral("Geb datum"), FieldType::Date},
    };
    const QStringList months = {QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mrt"), QStringLiteral("apr"),
                                QStringLiteral("mei"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
                                QStringLiteral("sep"), QStringLiteral("okt"), QStringLiteral("nov"), QStringLiteral("dec")};
    for (const QString &m : months)
        f.push_back({u'A' + m, FieldType::Boolean});
    for (const QString &m : months)
        f.push_back({m.left(1).toUpper() + m.mid(1), FieldType::Boolean});
    for (const QString &m : months)
        f.push_back({u'V' + m, FieldType::Boolean});
    f.push_back({QStringLiteral("Lidbedrag"), FieldType::Text, 15});
    f.push_back({QStringLiteral("Soortlid"), FieldType::Text, 15});
    for (int i = 1; i <= 3; ++i)
        f.push_back({QStringLiteral("Opmerk%1").arg(i), FieldType::Text, 40});
    return f;
}

std::vector<FieldDef> openItemFields()
{
    return {{QStringLiteral("Datum"), FieldType::Date},
            {QStringLiteral("Omschrijving"), FieldType::Text, 40},
            {QStringLiteral("Bedrag"), FieldType::Currency}};
}

std::vector<FieldDef> mailFields()
{
    return {{QStringLiteral("Mnaam"), FieldType::Text, 40},      {QStringLiteral("Datum"), FieldType::Date},
            {QStringLiteral("Tijd"), FieldType::Time},           {QStringLiteral("Madres"), FieldType::Text, 60},
            {QStringLiteral("Monderwerp"), FieldType::Text, 60}, {QStringLiteral("Mmail"), FieldType::Memo}};
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
    static const TableSchema s{QStringLiteral("rekeningen.db"), QStringLiteral("rekeningen"),
                               {{QStringLiteral("Nummer"), FieldType::AutoInc},
                                {QStringLiteral("Naam"), FieldType::Text, 40},
                                {QStringLiteral("Saldo"), FieldType::Currency}},
                               KeyKind::AutoInc};
    return s;
}

const TableSchema &journaal()
{
    static const TableSchema s{QStringLiteral("journaal.db"), QStringLiteral("journaal"),
                               {{QStringLiteral("JrNr"), FieldType::Float},
                                {QStringLiteral("Datum"), FieldType::Date},
                                {QStringLiteral("Omschrijving"), FieldType::Text, 40},
                                {QStringLiteral("Vanrekening"), FieldType::Text, 40},
                                {QStringLiteral("Naarrekening"), FieldType::Text, 40},
                                {QStringLiteral("Bedrag"), FieldType::Currency}},
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
    static const TableSchema s{QStringLiteral("hulp.db"), QStringLiteral("hulp"),
                               {{QStringLiteral("JrNr"), FieldType::Float},
                                {QStringLiteral("Datum"), FieldType::Date},
                                {QStringLiteral("Omschrijving"), FieldType::Text, 40},
                                {QStringLiteral("Bedrag"), FieldType::Currency}},
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
    static const std::vector<const TableSchema *> list = {&leden(), &rekeningen(), &journaal(), &tebetalen(), &teontvangen(),
                                                          &mailtjes(), &hulp(), &ledennew(), &mailtjesnew()};
    return list;
}

const std::vector<const TableSchema *> &mainTables()
{
    static const std::vector<const TableSchema *> list = {&leden(), &rekeningen(), &journaal(), &tebetalen(), &teontvangen()};
    return list;
}

} // namespace schemas
} // namespace zelk
