#include "begroting.h"

#include "amountformat.h"
#include "cents.h"
#include "rekeningschema.h"
#include "zelkerror.h"

#include <algorithm>
#include <cmath>

namespace zelk {

const std::vector<int> &begroting::inkomstenRegels()
{
    return rekeningschema::inkomsten(); // 7 8 9 10 26 27 28 11 31 32, as the balance report
}

const std::vector<int> &begroting::uitgavenRegels()
{
    return rekeningschema::kosten(); // 12..21 29 30 22 33 34 35
}

BegrotingCijfers berekenBegroting(const Begroting &begroting)
{
    auto sum = [&](const std::vector<int> &positions) {
        qint64 total = 0;
        for (int p : positions)
            total += cents::of(cents::checked(begroting.bedrag(p)));
        return total;
    };
    const qint64 in = sum(begroting::inkomstenRegels());
    const qint64 out = sum(begroting::uitgavenRegels());
    const qint64 difference = out - in;
    const qint64 tekort = difference >= 0 ? difference : 0;
    const qint64 over = difference >= 0 ? 0 : -difference;

    BegrotingCijfers c;
    c.inkomsten = cents::amount(in);
    c.uitgaven = cents::amount(out);
    c.tekort = cents::amount(tekort);
    c.over = cents::amount(over);
    c.totaalInkomsten = cents::amount(in + tekort);
    c.totaalUitgaven = cents::amount(out + over);
    return c;
}

double werkelijkCijfer(double saldo)
{
    return cents::rounded(std::fabs(cents::checked(saldo)));
}

std::vector<BegrotingRegel> begrotingsregels(const QStringList &namen, const std::vector<double> &saldi, const Begroting &begroting)
{
    using rekeningschema::aantal;
    if (namen.size() != aantal || saldi.size() != std::size_t(aantal))
        throw Error(QStringLiteral("Het rekeningschema heeft %1 rekeningen in plaats van %2.").arg(saldi.size()).arg(aantal));
    std::vector<BegrotingRegel> lines;
    for (const auto *group : {&begroting::inkomstenRegels(), &begroting::uitgavenRegels()})
        for (int p : *group)
            lines.push_back({p, namen[p - 1], werkelijkCijfer(saldi[std::size_t(p - 1)]), begroting.bedrag(p)});
    return lines;
}

Begroting leesBegroting(const QString &text)
{
    const AmountFormat format; // "1250.50", as every amount zelk-cli takes
    const auto &in = begroting::inkomstenRegels();
    const auto &out = begroting::uitgavenRegels();
    Begroting result;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        auto refuse
            = [&](const QString &why) { throw Error(QStringLiteral("Regel %1 van de begroting (\"%2\"): %3").arg(i + 1).arg(line, why)); };
        const QStringList parts = line.split(u';');
        if (parts.size() != 2)
            refuse(QStringLiteral("verwacht rekeningpositie;bedrag, bijvoorbeeld 7;1250.00."));
        bool isNumber = false;
        const int position = parts[0].trimmed().toInt(&isNumber);
        if (!isNumber || (std::ranges::find(in, position) == in.end() && std::ranges::find(out, position) == out.end()))
            refuse(QStringLiteral("%1 is geen rekening van de begroting; de inkomsten staan op 7-11, 26-28, 31 en 32, "
                                  "de uitgaven op 12-22, 29, 30 en 33-35.")
                       .arg(parts[0].trimmed()));
        if (result.bedragen.contains(position))
            refuse(QStringLiteral("rekening %1 staat al eerder in de begroting.").arg(position));
        const std::optional<double> amount = format.parse(parts[1]);
        if (!amount)
            refuse(QStringLiteral("\"%1\" is geen bedrag; schrijf bijvoorbeeld 1250.50.").arg(parts[1].trimmed()));
        if (!cents::isValid(*amount))
            refuse(cents::invalidMessage(*amount));
        result.bedragen.insert(position, cents::rounded(*amount));
    }
    return result;
}

} // namespace zelk
