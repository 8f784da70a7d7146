#include "entryscreen.h"

#include "bookingentry.h"
#include "store/velden.h"
#include "toolkit/amountfield.h"
#include "toolkit/datepicker.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/textlimit.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelk {

double EntryScreen::pendingAmount() const
{
    return m_entry->pending();
}

QFrame *EntryScreen::newEntryPanel(QGridLayout *&grid, const QString &initialDescription)
{
    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    grid = new QGridLayout(panel);
    grid->addWidget(heading(QStringLiteral("Datum")), 0, 0);
    grid->addWidget(heading(QStringLiteral("Omschrijving")), 0, 1);
    grid->addWidget(heading(QStringLiteral("Bedrag")), 0, 2);
    m_date = new DatePicker(panel);
    m_date->setObjectName(QStringLiteral("datum"));
    m_description = new QLineEdit(initialDescription, panel);
    m_description->setObjectName(QStringLiteral("omschrijving"));
    limitToField(m_description, schemas::journaal(), veld::journaal::Omschrijving);
    m_description->setMinimumWidth(220);
    m_amount = new AmountField(panel);
    m_amount->setObjectName(QStringLiteral("bedrag"));
    grid->addWidget(m_date, 1, 0);
    grid->addWidget(m_description, 1, 1);
    grid->addWidget(m_amount, 1, 2);
    return panel;
}

QLayout *EntryScreen::sideBySide(QWidget *from, QWidget *to)
{
    auto *columns = new QHBoxLayout;
    for (const auto &[caption, group] : {std::pair{QStringLiteral("Van rekening"), from}, std::pair{QStringLiteral("Naar rekening"), to}}) {
        auto *column = new QVBoxLayout;
        column->addWidget(heading(caption));
        column->addWidget(group);
        column->addStretch();
        columns->addLayout(column, 1);
    }
    return columns;
}

QList<QWidget *> EntryScreen::entrySteps() const
{
    return {m_date, m_description, m_amount};
}

void EntryScreen::addBody(QVBoxLayout *layout, QWidget *panel, const QStringList &steps)
{
    m_doorboeken = addButton(QStringLiteral("Doorboeken"), QStringLiteral("doorboeken"));
    auto *side = new QVBoxLayout;
    side->addWidget(stepsLabel(steps));
    side->addSpacing(12);
    side->addWidget(m_doorboeken);
    side->addStretch();
    side->addWidget(lastNumberBox());
    auto *body = new QHBoxLayout;
    body->addWidget(panel, 1);
    body->addLayout(side);
    layout->addLayout(body);
}

} // namespace zelk
