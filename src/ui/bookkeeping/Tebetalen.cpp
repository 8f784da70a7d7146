#include "Tebetalen.h"

#include "databases.h"
#include "rekeningschema.h"

namespace zelk {

namespace {
OpenItemsDeclaration declaration()
{
    OpenItemsDeclaration d;
    d.unit = QStringLiteral("Tebetalen");
    d.caption = QStringLiteral("Verwerken van nog te betalen rekeningen");
    d.helpHeading = QStringLiteral("8. VERWERKEN NOG TE BETALEN");
    d.items = &DataModule1::betalentabel;
    d.ownPosition = rekeningschema::nogTeBetalen;
    d.ownInitialText = QStringLiteral("Nog te betalen");
    d.groupIsFrom = true;
    d.question = QStringLiteral("U boekt te betalen t.o.v. te betalen, is dit correct?");
    d.soort = boekingen::OpenPost::TeBetalen;
    return d;
}
} // namespace

Tebetalen::Tebetalen(AppContext &context) : OpenItemsScreen(context, declaration()) { }

} // namespace zelk
