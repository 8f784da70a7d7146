#include "rekeningnamen.h"

#include "databases.h"
#include "store/velden.h"

namespace zelk::rekeningnamen {

void bewaar(DataModule1 &data, const QMap<int, QString> &names)
{
    Table &accounts = data.rekeningtabel;
    Transaction transaction(data.database1());
    accounts.first(); // throws on a table that is not open
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        if (it.key() < 1 || it.key() > accounts.recordCount())
            continue;
        accounts.moveTo(it.key() - 1);
        accounts.edit();
        accounts.setValue(veld::rekeningen::Naam, it.value());
        accounts.post();
    }
    transaction.commit();
    accounts.first();
}

} // namespace zelk::rekeningnamen
