#include "printtebetalen.h"

#include "databases.h"
#include "openpostenrapport.h"

namespace zelk {

printtebetalen::printtebetalen(DataModule1 &data) : m_report(openPostenRapport(data, data.betalentabel, titles::printtebetalen)) { }

} // namespace zelk
