#include "balans.h"

#include "rekeningschema.h"
#include "zelkerror.h"

#include <QString>

namespace zelk {

BalansCijfers berekenBalans(const std::vector<double> &saldi)
{
    using namespace rekeningschema;
    if (saldi.size() != std::size_t(aantal))
        throw Error(QStringLiteral("Het rekeningschema heeft %1 rekeningen in plaats van %2.").arg(saldi.size()).arg(aantal));
    auto saldo = [&](int position) { return saldi[std::size_t(position - 1)]; };

    BalansCijfers c;
    for (int p : financieel())
        c.activa += saldo(p);
    for (int p : inkomsten())
        c.inkomsten -= saldo(p);
    for (int p : kosten())
        c.uitgaven += saldo(p);
    const double verschil = saldo(stortingverschillen);
    if (verschil > 0)
        c.uitgaven += verschil;
    else if (verschil < 0)
        c.inkomsten -= verschil;

    c.resultaat = c.inkomsten - c.uitgaven;
    c.toegenomen = c.inkomsten >= c.uitgaven;
    c.saldoRegel = c.toegenomen ? c.inkomsten - c.uitgaven : c.uitgaven - c.inkomsten;
    c.totaal = c.toegenomen ? c.inkomsten : c.uitgaven;
    c.nogTeBetalen = -saldo(nogTeBetalen);
    c.nogTeOntvangen = saldo(nogTeOntvangen);
    c.eigenVermogenOud = -saldo(eigenVermogen);
    c.eigenVermogenNieuw = -saldo(eigenVermogen) + c.resultaat;
    return c;
}

} // namespace zelk
