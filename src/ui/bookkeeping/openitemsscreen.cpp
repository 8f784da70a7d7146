#include "openitemsscreen.h"

#include "bookingentry.h"
#include "databases.h"
#include "rekeningschema.h"
#include "store/velden.h"
#include "toolkit/amountfield.h"
#include "toolkit/boundgrid.h"
#include "toolkit/datepicker.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "transferscreen.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelk {

namespace {
QList<GridColumn> itemColumns()
{
    using namespace veld::openpost;
    return {{Datum.toString(), QStringLiteral("Datum"), GridColumn::Kind::Date},
            {Omschrijving.toString(), QStringLiteral("Omschrijving"), GridColumn::Kind::Text},
            {Bedrag.toString(), QStringLiteral("Bedrag"), GridColumn::Kind::Amount}};
}

// Each typed value may stand anywhere in the field as the grid shows it.
QList<FieldRule> filterRules()
{
    using namespace veld::openpost;
    return {{Datum.toString(), Match::Contains, GridColumn::Kind::Date},
            {Omschrijving.toString(), Match::Contains, GridColumn::Kind::Text, true},
            {Bedrag.toString(), Match::Contains, GridColumn::Kind::Amount}};
}
} // namespace

OpenItemsScreen::OpenItemsScreen(AppContext &context, const OpenItemsDeclaration &declaration)
    : EntryScreen(context, declaration.unit, declaration.caption, declaration.helpHeading), m_decl(declaration)
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topBar(true));

    m_grid = new BoundGrid(items(), itemColumns(), this);
    m_grid->setObjectName(QStringLiteral("overzicht"));
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_grid->setMinimumHeight(160);
    m_filter = new FieldFilterPanel(QStringLiteral("  Filteren overzicht  "), items(), filterRules(), this, Arrangement::SideBySide);
    m_filter->setIgnoreOuterBlanks(true);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_filter);

    QGridLayout *grid = nullptr;
    QFrame *panel = newEntryPanel(grid);

    const QList<AccountItem> accounts = financialItems(false)
        << AccountItem{QStringLiteral("stortingverschillen"), rekeningschema::stortingverschillen}
        << AccountItem{m_decl.ownInitialText, m_decl.ownPosition};
    m_group = new AccountGroup(QStringLiteral("  Financiele rekeningen  "), accounts, true, panel);
    m_group->setObjectName(QStringLiteral("rekeningen"));
    QWidget *fixed = buildFixedLine();
    QWidget *first = m_decl.groupIsFrom ? static_cast<QWidget *>(m_group) : fixed;
    QWidget *second = m_decl.groupIsFrom ? fixed : static_cast<QWidget *>(m_group);
    grid->addLayout(sideBySide(first, second), 2, 0, 1, 3);

    addBody(layout, panel,
            {QStringLiteral("1. Selecteer de juiste openstaande post"), QStringLiteral("2. Kies de juiste datum"),
             QStringLiteral("3. Pas eventueel de omschrijving aan"), QStringLiteral("4. Pas eventueel het bedrag aan"),
             QStringLiteral("5. Klik op de rekening waar het naartoe is gegaan"), QStringLiteral("6. Klik op doorboeken")});

    addAccountList(m_group);
    addFixedLine(m_ownName, m_ownBalance, m_decl.ownPosition);
    m_entry = new BookingEntry(m_amount, m_doorboeken, this);
    m_entry->setRequiredGroup(m_group, BookingEntry::OnClick::FieldValue);
    m_entry->setExtraCondition([this] { return itemIsCurrent(); });
    connect(&items(), &Table::currentChanged, this, &OpenItemsScreen::followCurrentRow);
    // A click fills the fields from the row again, also when it is the current row already.
    connect(m_grid, &BoundGrid::rowClicked, this, [this] {
        m_shownItem = -1;
        followCurrentRow();
    });
    connect(&items(), &Table::rowsReset, m_entry, &BookingEntry::updateButton);
    connect(m_doorboeken, &QPushButton::clicked, this, &OpenItemsScreen::doorboeken);
    // The steps: the open item, date, description, amount, account, "Doorboeken"; then
    // the filter, which narrows the grid of the first step.
    QList<QWidget *> steps = QList<QWidget *>{m_grid} << entrySteps() << groupSteps(m_group) << m_doorboeken;
    for (const GridColumn &column : itemColumns())
        steps << m_filter->box(column.field);
    setSteps(steps);
}

QWidget *OpenItemsScreen::buildFixedLine()
{
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("vasterekening"));
    auto *row = new QHBoxLayout(line);
    m_ownName = new QLabel(m_decl.ownInitialText, line);
    m_ownName->setObjectName(QStringLiteral("vastenaam"));
    m_ownBalance = new QLabel(line);
    m_ownBalance->setObjectName(QStringLiteral("vastsaldo"));
    m_ownBalance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(m_ownName, 1);
    row->addWidget(m_ownBalance);
    row->addSpacing(24);
    return line;
}

Table &OpenItemsScreen::items() const
{
    return m_ctx.data->*(m_decl.items);
}

bool OpenItemsScreen::itemIsCurrent() const
{
    const Table &t = items();
    return t.isOpen() && !t.isEmpty() && t.currentRow() >= 0 && t.currentRowid() == m_shownItem;
}

void OpenItemsScreen::followCurrentRow()
{
    const Table &t = items();
    const qint64 current = t.isOpen() && t.currentRow() >= 0 ? t.currentRowid() : -1;
    // Only another row replaces the fields: the same row read again (after a failed
    // booking, or rows changed around it) keeps what the user typed.
    if (current != m_shownItem) {
        m_shownItem = current;
        if (current >= 0) {
            m_description->setText(t.text(veld::openpost::Omschrijving));
            m_amount->setValue(t.number(veld::openpost::Bedrag));
        } else {
            m_description->clear();
            m_amount->clearAmount();
        }
        m_entry->setPending(m_amount->value());
    }
    m_entry->updateButton();
}

void OpenItemsScreen::onShow()
{
    m_filter->setFiltering(true);
    BookingScreen::onShow();
    m_group->clearChoice();
    m_entry->updateButton();
}

void OpenItemsScreen::onClose()
{
    m_filter->clear();
    m_filter->setFiltering(false);
}

void OpenItemsScreen::doorboeken()
{
    const double amount = m_entry->pending();
    const int chosen = m_group->chosenPosition();
    const bool asked = chosen == m_decl.ownPosition;
    if (amount != 0 && chosen > 0 && itemIsCurrent() && (!asked || confirm(this, m_decl.question))) {
        const boekingen::Boeking boeking{m_description->text(), m_date->date(), amount};
        const qint64 item = m_shownItem;
        const bool ok = book([&] { boekingen::aflossen(data(), m_decl.soort, item, chosen, boeking); });
        if (ok) {
            // The fields are emptied; they take a row again when one is clicked or becomes current.
            m_entry->reset();
            m_description->clear();
            m_shownItem = -1;
            booked();
        }
    }
    m_group->clearChoice();
    m_entry->updateButton();
    focusFirstStep(); // the next settlement starts at the grid
}

} // namespace zelk
