// accounts, journal and check: read the tables of the current administration.
#include "command.h"
#include "rekeningschema.h"
#include "session.h"
#include "store/sqlite.h"
#include "store/tableschema.h"

#include <cmath>

namespace zelk::cli {
namespace {

QString plainAmount(double amount)
{
    return QString::number(amount, 'f', 2);
}

int accounts(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("accounts heeft geen argumenten");
    auto data = openSession();
    Table &t = data->rekeningtabel;
    for (int i = 0; i < t.recordCount(); ++i)
        io.out << i + 1 << "\t" << t.valueAt(i, u"Nummer").toLongLong() << "\t" << t.valueAt(i, u"Naam").toString() << "\t"
               << plainAmount(t.valueAt(i, u"Saldo").toDouble()) << "\n";
    return Ok;
}

int journal(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("journal heeft geen argumenten");
    auto data = openSession();
    Table &t = data->journaaltabel;
    for (int i = 0; i < t.recordCount(); ++i)
        io.out << std::llround(t.valueAt(i, u"JrNr").toDouble()) << "\t" << t.valueAt(i, u"Datum").toDate().toString(Qt::ISODate)
               << "\t" << t.valueAt(i, u"Omschrijving").toString() << "\t" << t.valueAt(i, u"Vanrekening").toString() << "\t"
               << t.valueAt(i, u"Naarrekening").toString() << "\t" << plainAmount(t.valueAt(i, u"Bedrag").toDouble()) << "\n";
    return Ok;
}

QStringList integrityProblems(Connection &connection)
{
    QStringList problems;
    for (const TableSchema *table : schemas::all()) {
        sql::Statement check(connection.handle(), QStringLiteral("PRAGMA %1.integrity_check").arg(connection.qualified(*table)));
        while (check.step()) {
            const QString result = check.column(0).toString();
            if (result != QLatin1String("ok"))
                problems << QStringLiteral("%1 is beschadigd: %2").arg(table->fileName, result);
        }
    }
    return problems;
}

int check(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("check heeft geen argumenten");
    auto data = openSession();
    QStringList problems = integrityProblems(data->database1());
    Table &accounts = data->rekeningtabel;
    if (accounts.totalCount() != rekeningschema::aantal)
        problems << QStringLiteral("Het rekeningschema heeft %1 rekeningen in plaats van 37.").arg(accounts.totalCount());
    double sum = 0;
    for (int i = 0; i < accounts.recordCount(); ++i)
        sum += accounts.valueAt(i, u"Saldo").toDouble();
    if (std::fabs(sum) > 0.005)
        problems << QStringLiteral("De saldi tellen op tot %1 in plaats van 0.").arg(plainAmount(sum));
    Table &journal = data->journaaltabel;
    for (int i = 0; i < journal.recordCount(); ++i) {
        const double number = journal.valueAt(i, u"JrNr").toDouble();
        if (number != i + 1) {
            problems << QStringLiteral("Journaalregel %1 heeft boekstuknummer %2.").arg(i + 1).arg(number);
            break;
        }
    }
    for (const QString &problem : problems)
        io.out << problem << "\n";
    if (!problems.isEmpty())
        return Failed;
    io.out << "OK\n";
    return Ok;
}

const Registration accountsCommand(QStringLiteral("accounts"),
                                   {QStringLiteral("accounts"),
                                    QStringLiteral("toont de 37 rekeningen: positie, nummer, naam, saldo (tab-gescheiden)"), accounts});
const Registration journalCommand(QStringLiteral("journal"),
                                  {QStringLiteral("journal"),
                                   QStringLiteral("toont het journaal: boekstuknummer, datum, omschrijving, van, naar, bedrag"), journal});
const Registration checkCommand(QStringLiteral("check"),
                                {QStringLiteral("check"),
                                 QStringLiteral("controleert de tabellen, het rekeningschema, de saldi en de boekstuknummers"), check});

} // namespace
} // namespace zelk::cli
