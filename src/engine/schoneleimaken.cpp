#include "schoneleimaken.h"

#include "databases.h"
#include "store/velden.h"

namespace zelk {

veiligheidskopie::Kopie schoneLei(DataModule1 &data)
{
    Table &accounts = data.rekeningtabel;
    Table &journal = data.journaaltabel;
    Table &payables = data.betalentabel;
    Table &receivables = data.ontvangentabel;
    data.openTables({&accounts, &journal, &payables, &receivables});
    for (Table *table : {&accounts, &journal, &payables, &receivables})
        table->flush(); // a row still being edited belongs in the copy
    const veiligheidskopie::Kopie kopie = veiligheidskopie::maak(data.database1(), veiligheidskopie::schoneLei);

    Transaction transaction(data.database1());
    journal.emptyTable();
    for (int row = 0; row < accounts.recordCount(); ++row) {
        accounts.moveTo(row);
        accounts.edit();
        accounts.setValue(veld::rekeningen::Saldo, 0.0);
        accounts.post();
    }
    // Every item, also those a screen's filter hides.
    payables.emptyTable();
    receivables.emptyTable();
    transaction.commit();
    accounts.first();
    return kopie;
}

} // namespace zelk
