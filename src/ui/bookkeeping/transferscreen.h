#pragma once
// The booking screen with a from-group and a to-group of accounts: income, expenses and
// transfers. Each of them is this screen with its own declaration (groups, steps, texts).
// The from-group has its first item chosen and keeps its choice; the to-group carries
// the markers "<", must be chosen before booking and is cleared on show and after every
// "Doorboeken". Booking to the receivables account or from the payables account also
// records the open item, in the same transaction.
#include "boekingen.h"
#include "entryscreen.h"
#include "toolkit/accountgroup.h"

namespace zelk {

struct GroupDeclaration {
    QString caption;
    QList<AccountItem> items;
};

struct TransferDeclaration {
    QString unit;
    QString caption;
    QString helpHeading;
    GroupDeclaration from; // under "Van rekening"
    GroupDeclaration to;   // under "Naar rekening"
    QString initialDescription;
    bool keepDescription = false; // the description stays for the next booking
    QStringList steps;
    // The booking action of "Doorboeken".
    void (*boek)(DataModule1 &, int from, int to, const boekingen::Boeking &) = &boekingen::overboeken;
};

class TransferScreen : public EntryScreen {
    Q_OBJECT
public:
    TransferScreen(AppContext &context, const TransferDeclaration &declaration);

    AccountGroup *fromGroup() const { return m_from; }
    AccountGroup *toGroup() const { return m_to; }

    void doorboeken() override;

protected:
    void onShow() override;

private:
    TransferDeclaration m_decl;
    AccountGroup *m_from;
    AccountGroup *m_to;
};

// Account items by position with their initial texts, for the declarations.
QList<AccountItem> financialItems(bool capitalised);

} // namespace zelk
