// seed: fills the current administration with realistic, repeatable Dutch demo data,
// through the same routines the screens use.
#include "boekingen.h"
#include "command.h"
#include "rekeningschema.h"
#include "session.h"
#include "store/connection.h"
#include "store/velden.h"

#include <QRandomGenerator>

namespace zelk::cli {
namespace {

const QStringList firstNames = {"Jan",  "Piet",  "Klaas", "Henk",   "Willem", "Kees",  "Gerrit", "Johan", "Marco", "Sander",
                                "Anna", "Maria", "Els",   "Ingrid", "Sanne",  "Femke", "Lotte",  "Fleur", "Noor",  "Julia"};
const QStringList lastNames
    = {"de Jong", "Jansen", "de Vries", "van den Berg", "van Dijk", "Bakker", "Janssen",  "Visser",      "Smit",   "Meijer",
       "de Boer", "Mulder", "de Groot", "Bos",          "Vos",      "Peters", "Hendriks", "van Leeuwen", "Dekker", "Brouwer"};
const QStringList streets = {"Dorpsstraat", "Kerkstraat",    "Molenweg",  "Schoolstraat",  "Stationsweg",
                             "Julianalaan", "Beatrixstraat", "Lindelaan", "Raadhuisplein", "Wilhelminastraat"};
const QStringList towns = {"Delft", "Gouda", "Leiden", "Zwolle", "Amersfoort", "Haarlem", "Alkmaar", "Deventer", "Tiel", "Assen"};
const QStringList kinds = {"Senior", "Junior", "Donateur", "Erelid"};
const QStringList incomeTexts = {"Contributie", "Gift", "Opbrengst loterij", "Verkoop kantine", "Sponsorbijdrage"};
const QStringList costTexts = {"Zaalhuur",         "Kantoorartikelen",   "Advertentie krant", "Bondsafdracht",
                               "Prijzen toernooi", "Koffie vergadering", "Reiskosten",        "Drukwerk"};

struct Generator {
    QRandomGenerator random;
    int pick(int n) { return static_cast<int>(random.bounded(n)); }
    template <typename List> QString from(const List &list) { return list.at(pick(static_cast<int>(list.size()))); }
    double amount(int maxEuros) { return (1 + pick(maxEuros * 100)) / 100.0; }
    int fromList(const std::vector<int> &positions) { return positions.at(pick(static_cast<int>(positions.size()))); }
    QDate dateIn(int year) { return QDate(year, 1, 1).addDays(pick(365)); }
};

void seedMembers(DataModule1 &data, Generator &g, int count)
{
    Table &members = data.ledentabel;
    QSet<QString> used;
    for (int i = 0; i < members.recordCount(); ++i)
        used.insert(members.valueAt(i, 0).toString());
    for (int made = 0; made < count;) {
        QString name = g.from(lastNames) + QStringLiteral(", ") + g.from(firstNames);
        for (int n = 2; used.contains(name); ++n)
            name = g.from(lastNames) + QStringLiteral(", ") + g.from(firstNames) + QStringLiteral(" (%1)").arg(n);
        used.insert(name);
        const QString town = g.from(towns);
        members.append();
        members.setValue(veld::leden::Naam, name);
        members.setValue(veld::leden::Straat, QStringLiteral("%1 %2").arg(g.from(streets)).arg(1 + g.pick(180)));
        members.setValue(veld::leden::Pcode,
                         QStringLiteral("%1 %2%3").arg(1000 + g.pick(9000)).arg(QChar(u'A' + g.pick(26))).arg(QChar(u'A' + g.pick(26))));
        members.setValue(veld::leden::Plaats, town);
        members.setValue(veld::leden::Email,
                         QString(name).remove(u',').remove(u' ').remove(u'(').remove(u')').toLower() + QStringLiteral("@voorbeeld.nl"));
        members.setValue(veld::leden::BankGiro, QString::number(100000000 + g.pick(899999999)));
        members.setValue(veld::leden::GebDatum, QDate(1940 + g.pick(70), 1 + g.pick(12), 1 + g.pick(28)));
        const QString kind = g.from(kinds);
        members.setValue(veld::leden::Soortlid, kind);
        members.setValue(veld::leden::Lidbedrag, kind == QLatin1String("Junior") ? QStringLiteral("12,50") : QStringLiteral("25,00"));
        const int paidUpTo = g.pick(13);
        const QStringList previousYear = veld::leden::maandenVan(0);
        const QStringList currentYear = veld::leden::maandenVan(1);
        for (int m = 0; m < 12; ++m) {
            members.setValue(currentYear[m], m < paidUpTo);
            members.setValue(previousYear[m], true);
        }
        members.post();
        ++made;
    }
}

// Draws amount, text, to-account and from-account in this order, so that a seed gives the
// same administration as it always did.
template <typename Text>
void book(DataModule1 &data, void (*action)(DataModule1 &, int, int, const boekingen::Boeking &), const std::vector<int> &froms,
          const std::vector<int> &tos, Text text, const QDate &date, int maxEuros, Generator &g)
{
    const double amount = g.amount(maxEuros);
    const QString description = text();
    const int to = g.fromList(tos);
    const int from = g.fromList(froms);
    action(data, from, to, {description, date, amount});
}

void seedBookings(DataModule1 &data, Generator &g, int count, int year)
{
    using namespace rekeningschema;
    for (int i = 0; i < count; ++i) {
        const QDate date = g.dateIn(year);
        switch (g.pick(10)) {
        case 0: // between bank and cash
            book(
                data, &boekingen::kruispost, {1, 2, 4}, {1, 2, 4, 5}, [] { return QStringLiteral("Kasopname"); }, date, 200, g);
            break;
        case 1:
        case 2:
        case 3:
        case 4:
            book(
                data, &boekingen::inkomsten, inkomsten(), {1, 2, 4}, [&] { return g.from(incomeTexts); }, date, 150, g);
            break;
        default:
            book(
                data, &boekingen::uitgaven, {1, 2, 4}, kosten(), [&] { return g.from(costTexts); }, date, 250, g);
        }
    }
}

void seedOpenItems(DataModule1 &data, Generator &g, int count, int year)
{
    for (int i = 0; i < count; ++i) {
        const QDate date = g.dateIn(year);
        const double amount = g.amount(300);
        if (i % 2 == 0) {
            const QString text = g.from(costTexts) + QStringLiteral(" (factuur)");
            boekingen::uitgaven(data, rekeningschema::nogTeBetalen, g.fromList(rekeningschema::kosten()), {text, date, amount});
        } else {
            const QString text = QStringLiteral("Nog te ontvangen ") + g.from(incomeTexts).toLower();
            boekingen::inkomsten(data, g.fromList(rekeningschema::inkomsten()), rekeningschema::nogTeOntvangen, {text, date, amount});
        }
    }
}

int seed(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    auto count = [&](const QString &option) {
        const QString text = takeOption(args, option);
        const int n = text.isEmpty() ? 0 : toInt(text, option);
        if (n < 0)
            throw UsageError((option + QStringLiteral(" mag niet negatief zijn")).toStdString());
        return n;
    };
    const int members = count(QStringLiteral("--members"));
    const int bookings = count(QStringLiteral("--bookings"));
    const int openItems = count(QStringLiteral("--open-items"));
    const QString seedText = takeOption(args, QStringLiteral("--seed"));
    const int year = [&] {
        const QString y = takeOption(args, QStringLiteral("--year"));
        return y.isEmpty() ? 2026 : toInt(y, QStringLiteral("--year"));
    }();
    if (!args.isEmpty())
        throw UsageError("onbekend argument: " + args.first().toStdString());
    Generator g{QRandomGenerator(seedText.isEmpty() ? 1 : static_cast<quint32>(toInt(seedText, QStringLiteral("--seed"))))};
    auto data = openForWriting(io);
    // One transaction: thousands of bookings land in one go, or not at all.
    Transaction transaction(data->database1());
    seedMembers(*data, g, members);
    seedBookings(*data, g, bookings, year);
    seedOpenItems(*data, g, openItems, year);
    transaction.commit();
    io.out << QStringLiteral("%1 leden, %2 boekingen, %3 openstaande posten toegevoegd in %4\n")
                  .arg(members)
                  .arg(bookings + openItems)
                  .arg(openItems)
                  .arg(data->werkmap());
    return Ok;
}

const Registration seedCommand(QStringLiteral("seed"),
                               {QStringLiteral("seed [--members N] [--bookings M] [--open-items K] [--seed S] [--year JJJJ]"),
                                QStringLiteral("vult de huidige administratie met herhaalbare voorbeeldgegevens"), seed});

} // namespace
} // namespace zelk::cli
