#include "journaalomschrijving.h"

#include "databases.h"
#include "store/velden.h"
#include "zelkerror.h"

namespace zelk::journaalomschrijving {

void aanpassen(DataModule1 &data, qint64 row, const QString &omschrijving)
{
    if (omschrijving.size() > maximum)
        throw Error(QStringLiteral("Een omschrijving heeft ten hoogste %1 tekens; deze heeft er %2. De omschrijving is niet aangepast.")
                        .arg(maximum)
                        .arg(omschrijving.size()));
    Table &journal = data.journaaltabel;
    // Beginning rereads what other programs changed; the row must still be there.
    Transaction transaction(data.database1());
    if (row < 0 || !journal.locate(row))
        throw Error(QStringLiteral("Deze boeking is intussen door een ander programma gewijzigd of verwijderd; "
                                   "de omschrijving is niet aangepast."));
    journal.edit();
    journal.setValue(veld::journaal::Omschrijving, omschrijving);
    journal.post();
    transaction.commit();
}

} // namespace zelk::journaalomschrijving
