#include "rekeningschema.h"

namespace zelk::rekeningschema {

namespace {
const QStringList &basis()
{
    static const QStringList names = {QStringLiteral("Bank 1"),
                                      QStringLiteral("Bank 2"),
                                      QStringLiteral("Bank 3"),
                                      QStringLiteral("Kas 1"),
                                      QStringLiteral("Kas 2"),
                                      QStringLiteral("Stortingverschillen"),
                                      QStringLiteral("Contributies"),
                                      QStringLiteral("Donaties"),
                                      QStringLiteral("Loterij/tombola"),
                                      QStringLiteral("Verkopen"),
                                      QStringLiteral("Overige inkomsten"),
                                      QStringLiteral("Administratiekosten"),
                                      QStringLiteral("Advertentiekosten"),
                                      QStringLiteral("Arbiterkosten"),
                                      QStringLiteral("Autokosten"),
                                      QStringLiteral("Bondsafdrachten"),
                                      QStringLiteral("Presentatiekosten"),
                                      QStringLiteral("Prijzenkosten"),
                                      QStringLiteral("Secretariaatkosten"),
                                      QStringLiteral("Vergaderkosten"),
                                      QStringLiteral("Zaalhuurkosten"),
                                      QStringLiteral("Overigekosten"),
                                      QStringLiteral("Eigen vermogen"),
                                      QStringLiteral("Nog te betalen"),
                                      QStringLiteral("Nog te ontvangen")};
    return names;
}

const QStringList &startAanvulling()
{
    static const QStringList names = {QStringLiteral("Verkoop 2"),
                                      QStringLiteral("Verkoop 3"),
                                      QStringLiteral("Verkoop 4"),
                                      QStringLiteral("Jubileumkosten"),
                                      QStringLiteral("Organisatiekosten"),
                                      QStringLiteral("Overige inkomsten 2"),
                                      QStringLiteral("Overige inkomsten 3"),
                                      QStringLiteral("Overige kosten 2"),
                                      QStringLiteral("Overige kosten 3"),
                                      QStringLiteral("Overige kosten 4"),
                                      QStringLiteral("Kas 3"),
                                      QStringLiteral("Kas 4")};
    return names;
}
} // namespace

const QStringList &standaardNamen()
{
    static const QStringList names = [] {
        QStringList all = basis() + startAanvulling();
        for (int position = 33; position <= 35; ++position)
            all[position - 1] = QStringLiteral("Overigekosten %1").arg(position - 31);
        return all;
    }();
    return names;
}

QString nieuweNaam(int position)
{
    if (position >= 1 && position <= 25)
        return basis().at(position - 1);
    if (position >= 26 && position <= aantal)
        return startAanvulling().at(position - 26);
    return {};
}

QStringList aanvulling(int rowCount)
{
    QStringList names;
    for (int position = rowCount + 1; position <= aantal; ++position)
        names << nieuweNaam(position);
    return names;
}

const std::vector<int> &financieel()
{
    static const std::vector<int> p = {1, 2, 3, 4, 5, 36, 37};
    return p;
}

const std::vector<int> &inkomsten()
{
    static const std::vector<int> p = {7, 8, 9, 10, 26, 27, 28, 11, 31, 32};
    return p;
}

const std::vector<int> &kosten()
{
    static const std::vector<int> p = {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 29, 30, 22, 33, 34, 35};
    return p;
}

} // namespace zelk::rekeningschema
