#pragma once
// A radio group of accounts, each item with its balance beside it (under "Saldo") and
// optionally a marker "<" that shows which item was clicked last. Items address accounts
// by position in the chart; fill() puts in the accounts' current names and balances.
#include <QGroupBox>
#include <QList>
#include <vector>

class QButtonGroup;
class QLabel;
class QRadioButton;

namespace zelk {

class Table;

struct AccountItem;
// The items of a group of the chart: the positions of that group (rekeningschema) in
// their order, each with the text it shows until the accounts' own names are read.
QList<AccountItem> accountItems(const std::vector<int> &positions, const QStringList &initialTexts);

struct AccountItem {
    QString initialText;
    int position;
};

// Shows a balance as ",0.00", black when zero or positive and red when negative.
void showBalance(QLabel *label, double balance);
// The name and balance of the account at `position` (the n-th row of the accounts table).
QString accountName(const Table &accounts, int position);
double accountBalance(const Table &accounts, int position);

class AccountGroup : public QGroupBox {
    Q_OBJECT
public:
    AccountGroup(const QString &caption, const QList<AccountItem> &items, bool markers, QWidget *parent = nullptr);

    int count() const { return static_cast<int>(m_items.size()); }
    int position(int item) const { return m_items.value(item).position; }
    QRadioButton *button(int item) const { return m_buttons.value(item); }
    QLabel *balanceLabel(int item) const { return m_balances.value(item); }
    QLabel *marker(int item) const { return m_markers.value(item); }

    int chosen() const;         // the chosen item, -1 when none
    int chosenPosition() const; // its account position, 0 when none
    void choose(int item);
    void clearChoice();
    // Shows the marker beside `item` only.
    void showMarkerAt(int item);

    // Every item takes the current name of its position and its balance.
    void fill(const Table &accounts);

Q_SIGNALS:
    void itemClicked(int item);

private:
    QList<AccountItem> m_items;
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
    QList<QLabel *> m_balances;
    QList<QLabel *> m_markers;
};

} // namespace zelk
