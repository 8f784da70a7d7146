#pragma once
// The screen that settles open payables or receivables: a grid of the open items with a
// filter panel, the fields of the item to settle, one group of money accounts and the
// screen's own fixed account. Booking moves the amount between the chosen account and the
// fixed account and settles the item, all in one transaction. The fields always show the
// current row, however it became current (click, arrow keys, wheel, filter), and the item
// settled is the one they show. "Doorboeken" stays disabled while no item is current.
#include "boekingen.h"
#include "entryscreen.h"
#include "toolkit/accountgroup.h"

namespace zelk {

class BoundGrid;
class FieldFilterPanel;
class Table;

struct OpenItemsDeclaration {
    QString unit;
    QString caption;
    QString helpHeading;
    Table DataModule1::*items = nullptr;
    int ownPosition = 0; // the payables or receivables account
    QString ownInitialText;
    bool groupIsFrom = false; // payables: the chosen account pays
    QString question;         // asked when the own account is chosen in the group
    boekingen::OpenPost soort = boekingen::OpenPost::TeBetalen;
};

class OpenItemsScreen : public EntryScreen {
    Q_OBJECT
public:
    OpenItemsScreen(AppContext &context, const OpenItemsDeclaration &declaration);

    BoundGrid *grid() const { return m_grid; }
    FieldFilterPanel *filterPanel() const { return m_filter; }
    AccountGroup *group() const { return m_group; }
    QLabel *ownName() const { return m_ownName; }
    QLabel *ownBalance() const { return m_ownBalance; }

    void doorboeken() override;

protected:
    void onShow() override;
    void onClose() override;

private:
    Table &items() const;
    bool itemIsCurrent() const;
    void followCurrentRow();
    QWidget *buildFixedLine();

    OpenItemsDeclaration m_decl;
    BoundGrid *m_grid;
    FieldFilterPanel *m_filter;
    AccountGroup *m_group;
    QLabel *m_ownName = nullptr;
    QLabel *m_ownBalance = nullptr;
    qint64 m_shownItem = -1; // the row whose description and amount the fields show, -1 for none
};

} // namespace zelk
