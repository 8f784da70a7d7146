#include "invoercontri.h"

#include "databases.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "toolkit/boundgrid.h"
#include "toolkit/findpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/recordnavigator.h"
#include "zelkerror.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelk {

namespace {
const QString headings[3]
    = {QStringLiteral("           Vorig jaar"), QStringLiteral("           Huidig jaar"), QStringLiteral("          Volgend jaar")};
} // namespace

QStringList invoercontri::markFields()
{
    return veld::leden::maanden();
}

const QStringList &invoercontri::monthNames()
{
    static const QStringList names
        = {"januari", "februari", "maart", "april", "mei", "juni", "juli", "augustus", "september", "oktober", "november", "december"};
    return names;
}

invoercontri::invoercontri(AppContext &ctx, QWidget *parent)
    : TaskScreen(ctx, QStringLiteral("invoercontri"), QStringLiteral("Invoer contributies"), QStringLiteral("4. VERWERKEN CONTRIBUTIES"),
                 parent),
      m_ctx(ctx)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(900, 560);
}

Table &invoercontri::leden() const
{
    return m_ctx.data->ledentabel;
}

// Made before the data module at start-up: the bound controls are built on first show.
void invoercontri::ensureBuilt()
{
    if (m_grid)
        return;

    auto *left = new QVBoxLayout;
    m_find = new FindPanel(QStringLiteral("  ZOEKEN  "), leden(),
                           {{veld::leden::Naam.toString(), Match::Contains}, {veld::leden::Straat.toString(), Match::Contains}}, this);
    left->addWidget(m_find);
    m_grid = new BoundGrid(
        leden(), fieldColumns(leden(), {veld::leden::Naam.toString(), veld::leden::GebDatum.toString(), veld::leden::Straat.toString()}),
        this);
    m_grid->setMinimumWidth(380);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    left->addWidget(m_grid, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Kies de juiste naam"), this));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("naam"));
    m_name->setReadOnly(true);
    m_name->setFocusPolicy(Qt::ClickFocus); // shows the member; nothing to type
    right->addWidget(m_name);
    right->addWidget(buildLists());
    m_navigator = new RecordNavigator(leden(),
                                      {RecordNavigator::First, RecordNavigator::Prior, RecordNavigator::Next, RecordNavigator::Last}, this);
    right->addWidget(m_navigator);
    for (const char *line : {"Het bijwerken van de maandcontributies is alleen", "als hulp voor een overzicht !",
                             "Er worden GEEN bedragen in de administratie verwerkt !"}) {
        auto *notice = new QLabel(QString::fromUtf8(line), this);
        notice->setObjectName(QStringLiteral("mededeling"));
        right->addWidget(notice);
    }
    auto *buttons = new QHBoxLayout;
    HoverButton *overzicht = addUnitButton(QStringLiteral("Overzicht"), QStringLiteral("printcontribut"));
    buttons->addWidget(overzicht);
    buttons->addWidget(helpButton());
    buttons->addWidget(closeButton());
    right->addLayout(buttons);
    right->addStretch();

    auto *page = new QHBoxLayout(this);
    page->addLayout(left, 1);
    page->addLayout(right);

    // Tab walks the find panel, the grid, the navigator and the buttons (not the lists);
    // the screen opens in the find panel's "Naam".
    QList<QWidget *> steps
        = {m_find->box(veld::leden::Naam.toString()), m_find->box(veld::leden::Straat.toString()), m_find->nextButton(), m_grid};
    for (RecordNavigator::Action action : {RecordNavigator::First, RecordNavigator::Prior, RecordNavigator::Next, RecordNavigator::Last})
        steps << m_navigator->button(action);
    setSteps(steps << overzicht << helpButton() << closeButton());

    connect(&leden(), &Table::currentChanged, this, &invoercontri::toonnaam);
    connect(&leden(), &Table::rowsReset, this, &invoercontri::toonnaam);
    connect(&leden(), &Table::rowChanged, this, &invoercontri::toonnaam);
}

QWidget *invoercontri::buildLists()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    for (int family = 0; family < 3; ++family) {
        auto *column = new QVBoxLayout;
        column->addWidget(new QLabel(headings[family], box));
        auto *list = new QListWidget(box);
        list->setObjectName(headings[family].trimmed());
        list->setFocusPolicy(Qt::ClickFocus); // Tab skips the lists
        for (const QString &month : monthNames()) {
            auto *item = new QListWidgetItem(month, list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        list->setFixedSize(130, list->sizeHintForRow(0) * 12 + 2 * list->frameWidth() + 4);
        // A click anywhere on an item (also on its text) stores all marks; a click on the
        // box itself or a space bar toggle arrives as a changed item.
        connect(list, &QListWidget::itemChanged, this, [this] { bewaarmaanden(); });
        connect(list, &QListWidget::itemClicked, this, [this] { bewaarmaanden(); });
        m_lists[family] = list;
        column->addWidget(list);
        row->addLayout(column);
    }
    return box;
}

void invoercontri::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    TaskScreen::setVisible(visible);
}

void invoercontri::onShow()
{
    toonnaam();
}

void invoercontri::toonnaam()
{
    if (!isVisible())
        return;
    const QString name = leden().isOpen() && leden().recordCount() > 0 ? leden().text(veld::leden::Naam) : QString();
    m_name->setText(name);
    laadmaanden();
}

void invoercontri::laadmaanden()
{
    const QStringList fields = markFields();
    const bool any = leden().isOpen() && (leden().recordCount() > 0 || leden().isEditing());
    m_loading = true;
    for (int i = 0; i < fields.size(); ++i) {
        const bool set = any && leden().boolean(fields[i]);
        m_lists[i / 12]->item(i % 12)->setCheckState(set ? Qt::Checked : Qt::Unchecked);
    }
    m_loading = false;
}

void invoercontri::bewaarmaanden()
{
    if (m_loading || !leden().isOpen() || (leden().recordCount() == 0 && !leden().isEditing()))
        return; // no member to store into
    const QStringList fields = markFields();
    attempt(this, [&] {
        leden().edit();
        for (int i = 0; i < fields.size(); ++i)
            leden().setValue(fields[i], m_lists[i / 12]->item(i % 12)->checkState() == Qt::Checked);
        leden().post();
    });
}

} // namespace zelk
