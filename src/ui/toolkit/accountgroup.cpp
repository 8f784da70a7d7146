#include "accountgroup.h"

#include "amountformat.h"
#include "store/table.h"
#include "store/velden.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace zelk {

void showBalance(QLabel *label, double balance)
{
    label->setText(AmountFormat::current().display(balance));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, AmountFormat::isNegative(balance) ? QColor(Qt::red) : QColor(Qt::black));
    label->setPalette(pal);
}

QList<AccountItem> accountItems(const std::vector<int> &positions, const QStringList &initialTexts)
{
    Q_ASSERT(positions.size() == static_cast<size_t>(initialTexts.size()));
    QList<AccountItem> items;
    for (size_t i = 0; i < positions.size(); ++i)
        items.append({initialTexts.at(static_cast<qsizetype>(i)), positions[i]});
    return items;
}

QString accountName(const Table &accounts, int position)
{
    return accounts.valueAt(position - 1, veld::rekeningen::Naam).toString();
}

double accountBalance(const Table &accounts, int position)
{
    return accounts.valueAt(position - 1, veld::rekeningen::Saldo).toDouble();
}

AccountGroup::AccountGroup(const QString &caption, const QList<AccountItem> &items, bool markers, QWidget *parent)
    : QGroupBox(caption, parent), m_items(items), m_group(new QButtonGroup(this))
{
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    auto *heading = new QLabel(QStringLiteral("Saldo"), this);
    heading->setAlignment(Qt::AlignRight);
    grid->addWidget(heading, 0, 1);
    for (int i = 0; i < m_items.size(); ++i) {
        auto *button = new QRadioButton(m_items[i].initialText, this);
        button->setObjectName(QStringLiteral("item%1").arg(i + 1));
        m_group->addButton(button, i);
        auto *balance = new QLabel(this);
        balance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        balance->setMinimumWidth(90);
        grid->addWidget(button, i + 1, 0);
        grid->addWidget(balance, i + 1, 1);
        QLabel *mark = nullptr;
        if (markers) {
            mark = new QLabel(QStringLiteral("<"), this);
            mark->setObjectName(QStringLiteral("marker%1").arg(i + 1));
            mark->setVisible(false);
            grid->addWidget(mark, i + 1, 2);
        }
        m_buttons << button;
        m_balances << balance;
        m_markers << mark;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(2, 12);
    connect(m_group, &QButtonGroup::idClicked, this, &AccountGroup::itemClicked);
}

int AccountGroup::chosen() const
{
    return m_group->checkedId();
}

int AccountGroup::chosenPosition() const
{
    const int item = chosen();
    return item < 0 ? 0 : position(item);
}

void AccountGroup::choose(int item)
{
    if (QRadioButton *b = button(item))
        b->setChecked(true);
}

void AccountGroup::clearChoice()
{
    // An exclusive group cannot be emptied directly.
    m_group->setExclusive(false);
    for (QRadioButton *b : std::as_const(m_buttons))
        b->setChecked(false);
    m_group->setExclusive(true);
}

void AccountGroup::showMarkerAt(int item)
{
    for (int i = 0; i < m_markers.size(); ++i)
        if (m_markers[i])
            m_markers[i]->setVisible(i == item);
}

void AccountGroup::fill(const Table &accounts)
{
    if (!accounts.isOpen())
        return;
    for (int i = 0; i < m_items.size(); ++i) {
        const int position = m_items[i].position;
        if (position > accounts.recordCount())
            continue;
        m_buttons[i]->setText(accountName(accounts, position));
        showBalance(m_balances[i], accountBalance(accounts, position));
    }
}

} // namespace zelk
