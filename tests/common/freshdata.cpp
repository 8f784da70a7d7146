#include "freshdata.h"

namespace zelk::test {

FreshData::FreshData(Open open)
{
    if (open == Open::All)
        openAll();
    else
        openForUse();
}

} // namespace zelk::test
