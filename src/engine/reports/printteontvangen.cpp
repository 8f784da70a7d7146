#include "printteontvangen.h"

#include "databases.h"
#include "openpostenrapport.h"

namespace zelk {

printteontvangen::printteontvangen(DataModule1 &data) : m_report(openPostenRapport(data, data.ontvangentabel, titles::printteontvangen)) { }

} // namespace zelk
