#include "velden.h"

namespace zelk::veld::leden {

QStringList maandenVan(int jaar)
{
    static const QStringList months = {QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mrt"), QStringLiteral("apr"),
                                       QStringLiteral("mei"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
                                       QStringLiteral("sep"), QStringLiteral("okt"), QStringLiteral("nov"), QStringLiteral("dec")};
    QStringList fields;
    for (const QString &m : months)
        fields << (jaar == 0 ? u'A' + m : jaar == 2 ? u'V' + m : m.left(1).toUpper() + m.mid(1));
    return fields;
}

const QStringList &maanden()
{
    static const QStringList all = maandenVan(0) + maandenVan(1) + maandenVan(2);
    return all;
}

} // namespace zelk::veld::leden
