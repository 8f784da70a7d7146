#include "controle.h"

#include "cents.h"
#include "databases.h"
#include "rekeningschema.h"
#include "store/sqlite.h"
#include "store/tableschema.h"
#include "store/velden.h"

#include <QSet>
#include <cmath>
#include <map>

namespace zelk::controle {

namespace {
using Soort = Bevinding::Soort;

QString plain(qint64 amountInCents)
{
    return QString::number(static_cast<double>(amountInCents) / 100.0, 'f', 2);
}

void damagedFiles(Connection &connection, std::vector<Bevinding> &found)
{
    for (const TableSchema *table : schemas::all()) {
        sql::Statement check(connection.handle(), QStringLiteral("PRAGMA %1.integrity_check").arg(connection.qualified(*table)));
        while (check.step()) {
            const QString result = check.column(0).toString();
            if (result != QLatin1String("ok"))
                found.push_back({Soort::Fout, QStringLiteral("%1 is beschadigd: %2").arg(table->fileName, result)});
        }
    }
}

// The columns in the file, in order, against the program's layout of the table.
void columns(Connection &connection, std::vector<Bevinding> &found)
{
    for (const TableSchema *table : schemas::all()) {
        QStringList expected;
        for (const FieldDef &f : table->fields)
            expected << f.name + u' ' + declaredType(f).section(u' ', 0, 0);
        if (table->key == KeyKind::None)
            expected << QString::fromLatin1(orderColumn) + QStringLiteral(" REAL");
        QStringList actual;
        sql::Statement info(connection.handle(),
                            QStringLiteral("PRAGMA %1.table_info(\"%2\")").arg(connection.qualified(*table), table->tableName));
        while (info.step())
            actual << info.column(1).toString() + u' ' + info.column(2).toString();
        if (actual != expected)
            found.push_back({Soort::Fout,
                             QStringLiteral("De kolommen van %1 wijken af: gevonden %2, verwacht %3.")
                                 .arg(table->fileName, actual.join(QStringLiteral(", ")), expected.join(QStringLiteral(", ")))});
    }
}

// An amount in a file must be there, finite and within range; returns it in cents.
std::optional<qint64> amountAt(const Table &table, int row, QStringView field, const QString &where, std::vector<Bevinding> &found)
{
    const QVariant value = table.valueAt(row, field);
    if (!value.isValid() || value.isNull()) {
        found.push_back({Soort::Fout, QStringLiteral("%1: het bedrag ontbreekt (leeg veld %2).").arg(where, field.toString())});
        return std::nullopt;
    }
    const double amount = value.toDouble();
    if (!cents::isValid(amount)) {
        found.push_back({Soort::Fout, QStringLiteral("%1: het bedrag %2 is ongeldig.").arg(where, QString::number(amount, 'g', 17))});
        return std::nullopt;
    }
    return cents::of(amount);
}

void balances(DataModule1 &data, std::vector<Bevinding> &found)
{
    Table &accounts = data.rekeningtabel;
    if (accounts.totalCount() != rekeningschema::aantal)
        found.push_back(
            {Soort::Fout, QStringLiteral("Het rekeningschema heeft %1 rekeningen in plaats van 37.").arg(accounts.totalCount())});
    qint64 sum = 0;
    bool complete = true;
    for (int i = 0; i < accounts.recordCount(); ++i) {
        const QString where = QStringLiteral("Rekening %1 (%2)").arg(i + 1).arg(accounts.valueAt(i, veld::rekeningen::Naam).toString());
        const auto balance = amountAt(accounts, i, veld::rekeningen::Saldo, where, found);
        complete = complete && balance.has_value();
        sum += balance.value_or(0);
    }
    if (complete && sum != 0)
        found.push_back({Soort::Fout, QStringLiteral("De saldi tellen op tot %1 in plaats van 0.").arg(plain(sum))});
}

// Per account name, what the journal moved into it (minus what it moved out).
std::map<QString, qint64> journalMoves(DataModule1 &data, std::vector<Bevinding> &found)
{
    Table &journal = data.journaaltabel;
    std::map<QString, qint64> moved;
    QSet<qint64> numbers;
    bool reportedOrder = false;
    for (int i = 0; i < journal.recordCount(); ++i) {
        const double number = journal.valueAt(i, veld::journaal::JrNr).toDouble();
        const qint64 jrnr = std::isfinite(number) ? std::llround(number) : -1;
        if (numbers.contains(jrnr))
            found.push_back({Soort::Fout, QStringLiteral("Boekstuknummer %1 komt meer dan eens voor in het journaal.").arg(jrnr)});
        numbers.insert(jrnr);
        if (!reportedOrder && number != i + 1) {
            found.push_back({Soort::Fout, QStringLiteral("Journaalregel %1 heeft boekstuknummer %2.").arg(i + 1).arg(number)});
            reportedOrder = true;
        }
        const auto amount = amountAt(journal, i, veld::journaal::Bedrag, QStringLiteral("Journaalregel %1").arg(i + 1), found);
        if (!amount)
            continue;
        moved[journal.valueAt(i, veld::journaal::Vanrekening).toString()] -= *amount;
        moved[journal.valueAt(i, veld::journaal::Naarrekening).toString()] += *amount;
    }
    return moved;
}

void accountsAgainstJournal(DataModule1 &data, const std::map<QString, qint64> &moved, std::vector<Bevinding> &found)
{
    Table &accounts = data.rekeningtabel;
    for (int i = 0; i < accounts.recordCount(); ++i) {
        const QVariant stored = accounts.valueAt(i, veld::rekeningen::Saldo);
        if (!stored.isValid() || !cents::isValid(stored.toDouble()))
            continue; // reported already
        const QString name = accounts.valueAt(i, veld::rekeningen::Naam).toString().left(40);
        const auto it = moved.find(name);
        const qint64 implied = it == moved.end() ? 0 : it->second;
        const qint64 balance = cents::of(stored.toDouble());
        if (balance != implied)
            found.push_back({Soort::Waarschuwing,
                             QStringLiteral("Het saldo van rekening %1 (%2) is %3, maar het journaal geeft %4. "
                                            "Een hernoemde rekening verklaart dit; anders is er buiten het journaal om geboekt.")
                                 .arg(i + 1)
                                 .arg(name, plain(balance), plain(implied))});
    }
}

void openItems(DataModule1 &data, std::vector<Bevinding> &found)
{
    for (Table *items : {&data.betalentabel, &data.ontvangentabel})
        for (int i = 0; i < items->totalCount() && i < items->recordCount(); ++i)
            amountAt(*items, i, veld::openpost::Bedrag, QStringLiteral("%1, post %2").arg(items->schema().fileName).arg(i + 1), found);
}
} // namespace

std::vector<Bevinding> controleer(DataModule1 &data)
{
    std::vector<Bevinding> found;
    damagedFiles(data.database1(), found);
    columns(data.database1(), found);
    balances(data, found);
    const auto moved = journalMoves(data, found);
    accountsAgainstJournal(data, moved, found);
    openItems(data, found);
    return found;
}

} // namespace zelk::controle
