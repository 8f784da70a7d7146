#include "recordnavigator.h"

#include "messages.h"
#include "zelkerror.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QToolButton>

namespace zelk {

bool confirmDeleteRecord(QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bevestiging"), QStringLiteral("Delete record?"),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("bevestiging"));
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QString RecordNavigator::hint(Action action)
{
    switch (action) {
    case First:
        return QStringLiteral("Eerste record");
    case Prior:
        return QStringLiteral("Vorig record");
    case Next:
        return QStringLiteral("Volgend record");
    case Last:
        return QStringLiteral("Laatste record");
    case Insert:
        return QStringLiteral("Invoegen record");
    case Delete:
        return QStringLiteral("Wis record");
    case Refresh:
        return QStringLiteral("Ververs data");
    }
    return {};
}

namespace {
QString glyph(RecordNavigator::Action action)
{
    switch (action) {
    case RecordNavigator::First:
        return QStringLiteral("|◀");
    case RecordNavigator::Prior:
        return QStringLiteral("◀");
    case RecordNavigator::Next:
        return QStringLiteral("▶");
    case RecordNavigator::Last:
        return QStringLiteral("▶|");
    case RecordNavigator::Insert:
        return QStringLiteral("+");
    case RecordNavigator::Delete:
        return QStringLiteral("−");
    case RecordNavigator::Refresh:
        return QStringLiteral("↻");
    }
    return {};
}
} // namespace

RecordNavigator::RecordNavigator(Table &table, const QList<Action> &actions, QWidget *parent) : QWidget(parent), m_table(table)
{
    setObjectName(QStringLiteral("navigator"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (Action action : actions) {
        auto *button = new QToolButton(this);
        button->setText(glyph(action));
        button->setToolTip(hint(action));
        button->setObjectName(hint(action));
        button->setMinimumSize(28, 25);
        // Reached with Tab (Space or Return presses it); a click leaves the focus where it is.
        button->setFocusPolicy(Qt::TabFocus);
        row->addWidget(button);
        m_buttons.insert(action, button);
        connect(button, &QToolButton::clicked, this, [this, action] { perform(action); });
    }
    row->addStretch();
    connect(&table, &Table::currentChanged, this, &RecordNavigator::updateButtons);
    connect(&table, &Table::rowsReset, this, &RecordNavigator::updateButtons);
    connect(&table, &Table::stateChanged, this, &RecordNavigator::updateButtons);
    updateButtons();
}

QToolButton *RecordNavigator::button(Action action) const
{
    return m_buttons.value(action);
}

void RecordNavigator::updateButtons()
{
    const bool open = m_table.isOpen();
    const int row = open ? m_table.currentRow() : -1;
    const int count = open ? m_table.recordCount() : 0;
    const bool editing = open && m_table.isEditing();
    auto enable = [this](Action a, bool on) {
        if (auto *b = button(a))
            b->setEnabled(on);
    };
    enable(First, editing || row > 0);
    enable(Prior, editing || row > 0);
    enable(Next, editing || (row >= 0 && row < count - 1));
    enable(Last, editing || (row >= 0 && row < count - 1));
    enable(Insert, open);
    enable(Delete, open && (count > 0 || editing));
    enable(Refresh, open);
}

void RecordNavigator::perform(Action action)
{
    if (!m_table.isOpen())
        return;
    Q_EMIT aboutToAct(action);
    if (action == Delete) {
        if (!confirmDeleteRecord(this))
            return;
    } else if (m_before && !m_before()) {
        return;
    }
    attempt(window(), [&] {
        switch (action) {
        case First:
            m_table.first();
            break;
        case Prior:
            m_table.prior();
            break;
        case Next:
            m_table.next();
            break;
        case Last:
            m_table.last();
            break;
        case Insert:
            m_table.insert();
            break;
        case Delete:
            m_table.remove();
            break;
        case Refresh:
            m_table.refresh();
            break;
        }
    });
    Q_EMIT acted(action);
}

} // namespace zelk
