#include "Teontvangen.h"

#include "databases.h"
#include "rekeningschema.h"

namespace zelk {

namespace {
OpenItemsDeclaration declaration()
{
    OpenItemsDeclaration d;
    d.unit = QStringLiteral("Teontvangen");
    d.caption = QStringLiteral("Verwerken van nog te ontvangen rekeningen");
    d.helpHeading = QStringLiteral("6. VERWERKEN");
    d.items = &DataModule1::ontvangentabel;
    d.ownPosition = rekeningschema::nogTeOntvangen;
    d.ownInitialText = QStringLiteral("Nog te ontvangen");
    d.groupIsFrom = false;
    d.question = QStringLiteral("U boekt te ontvangen t.o.v. te ontvangen, is dit correct?");
    d.soort = boekingen::OpenPost::TeOntvangen;
    return d;
}
} // namespace

Teontvangen::Teontvangen(AppContext &context) : OpenItemsScreen(context, declaration()) { }

} // namespace zelk
