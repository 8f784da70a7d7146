#include "boekingen.h"

#include "databases.h"
#include "declar.h"
#include "rekeningschema.h"
#include "zelkerror.h"

#include <QStringList>
#include <algorithm>

namespace zelk::boekingen {

using rekeningschema::eigenVermogen;
using rekeningschema::nogTeBetalen;
using rekeningschema::nogTeOntvangen;

void overboeken(DataModule1 &data, int from, int to, const Boeking &b)
{
    Transaction transaction(data.database1());
    declar::boekpost(data, from, to, b.omschrijving, b.datum, b.bedrag);
    if (to == nogTeOntvangen)
        declar::nieuwteontvangen(data, b.omschrijving, b.datum, b.bedrag);
    if (from == nogTeBetalen)
        declar::nieuwtebetalen(data, b.omschrijving, b.datum, b.bedrag);
    transaction.commit();
}

namespace {
using Positions = std::vector<int>;

Positions joined(Positions list, std::initializer_list<int> more)
{
    list.insert(list.end(), more);
    return list;
}

void require(int position, const Positions &allowed, const QString &side)
{
    if (std::find(allowed.begin(), allowed.end(), position) != allowed.end())
        return;
    QStringList numbers;
    for (int p : allowed)
        numbers << QString::number(p);
    throw Error(QStringLiteral("Rekening %1 kan hier niet als %2 dienen; kies een van de posities %3.")
                    .arg(position)
                    .arg(side, numbers.join(QStringLiteral(", "))));
}

void checked(DataModule1 &data, int from, const Positions &froms, int to, const Positions &tos, const Boeking &b)
{
    require(from, froms, QStringLiteral("van-rekening"));
    require(to, tos, QStringLiteral("naar-rekening"));
    overboeken(data, from, to, b);
}
} // namespace

void inkomsten(DataModule1 &data, int from, int to, const Boeking &b)
{
    checked(data, from, rekeningschema::inkomsten(), to, joined(rekeningschema::financieel(), {nogTeOntvangen}), b);
}

void uitgaven(DataModule1 &data, int from, int to, const Boeking &b)
{
    checked(data, from, joined(rekeningschema::financieel(), {nogTeBetalen}), to, rekeningschema::kosten(), b);
}

void kruispost(DataModule1 &data, int from, int to, const Boeking &b)
{
    const Positions money = joined(rekeningschema::financieel(), {rekeningschema::stortingverschillen});
    checked(data, from, money, to, money, b);
}

void startbalansGeld(DataModule1 &data, int to, const Boeking &b)
{
    require(to, rekeningschema::financieel(), QStringLiteral("naar-rekening"));
    declar::boekpost(data, eigenVermogen, to, b.omschrijving, b.datum, b.bedrag);
}

void startbalansOpenPost(DataModule1 &data, int position, const Boeking &b)
{
    if (position != nogTeBetalen && position != nogTeOntvangen)
        throw Error(QStringLiteral("Een openstaande post van de startbalans hoort bij Nog te betalen (%1) of Nog te ontvangen (%2).")
                        .arg(nogTeBetalen)
                        .arg(nogTeOntvangen));
    Transaction transaction(data.database1());
    if (position == nogTeBetalen) {
        declar::boekpost(data, nogTeBetalen, eigenVermogen, b.omschrijving, b.datum, b.bedrag);
        declar::nieuwtebetalen(data, b.omschrijving, b.datum, b.bedrag);
    } else {
        declar::boekpost(data, eigenVermogen, nogTeOntvangen, b.omschrijving, b.datum, b.bedrag);
        declar::nieuwteontvangen(data, b.omschrijving, b.datum, b.bedrag);
    }
    transaction.commit();
}

void aflossen(DataModule1 &data, OpenPost soort, qint64 item, int account, const Boeking &b)
{
    const bool payable = soort == OpenPost::TeBetalen;
    Table &items = payable ? data.betalentabel : data.ontvangentabel;
    // Beginning rereads what other programs changed; the item must still be there.
    Transaction transaction(data.database1());
    if (item < 0 || !items.locate(item))
        throw Error(QStringLiteral("De gekozen openstaande post bestaat niet meer (intussen afgelost of verwijderd); "
                                   "er is niets geboekt."));
    if (payable) {
        declar::boekpost(data, account, nogTeBetalen, b.omschrijving, b.datum, b.bedrag);
        declar::aflossentebetalen(data, b.bedrag);
    } else {
        declar::boekpost(data, nogTeOntvangen, account, b.omschrijving, b.datum, b.bedrag);
        declar::aflossenteontvangen(data, b.bedrag);
    }
    transaction.commit();
}

} // namespace zelk::boekingen
