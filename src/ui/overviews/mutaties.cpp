#include "mutaties.h"

#include "databases.h"
#include "journaalomschrijving.h"
#include "store/velden.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelk {

namespace {
ListDeclaration declaration()
{
    using namespace veld::journaal;
    using Kind = GridColumn::Kind;
    ListDeclaration d;
    d.unit = QStringLiteral("mutaties");
    d.caption = QStringLiteral("Overzicht mutaties");
    d.helpHeading = QStringLiteral("11. OVERZICHT MUTATIES");
    d.table = &DataModule1::journaaltabel;
    d.columns = {{JrNr.toString(), QStringLiteral("Bkstuk"), Kind::Text},
                 {Datum.toString(), QStringLiteral("Datum"), Kind::Date},
                 {Omschrijving.toString(), QStringLiteral("Omschrijving"), Kind::Text},
                 {Vanrekening.toString(), QStringLiteral("Vanrekening"), Kind::Text},
                 {Naarrekening.toString(), QStringLiteral("Naarrekening"), Kind::Text},
                 {Bedrag.toString(), QStringLiteral("Bedrag"), Kind::Amount},
                 {van.toString(), QStringLiteral("van"), Kind::Text},
                 {naar.toString(), QStringLiteral("naar"), Kind::Text}};
    d.criteria = journaalCriteria();
    return d;
}
} // namespace

mutaties::mutaties(AppContext &context) : ListScreen(context, declaration())
{
    resize(1060, 600);
}

void mutaties::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel());

    grid()->setObjectName(QStringLiteral("journaal"));
    const int widths[] = {55, 85, 250, 170, 170, 100, 40, 40};
    for (int column = 0; column < int(std::size(widths)); ++column)
        grid()->setColumnWidth(column, widths[column]);
    grid()->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid(), 1);
    layout->addWidget(filterPanel());

    auto *bottom = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Omschrijving aanpassen"), this);
    m_omschrijving = new QLineEdit(this);
    m_omschrijving->setObjectName(QStringLiteral("omschrijving"));
    m_omschrijving->setMaxLength(journaalomschrijving::maximum);
    m_omschrijving->setMinimumWidth(m_omschrijving->fontMetrics().horizontalAdvance(QString(journaalomschrijving::maximum, u'n')));
    label->setBuddy(m_omschrijving);
    bottom->addWidget(label);
    bottom->addWidget(m_omschrijving);
    bottom->addStretch();

    HoverButton *print = addUnitButton(QStringLiteral("Afdrukken"), QStringLiteral("printcontrijour"));
    // The report shows the description as the box has it: stored before the click prints.
    connect(print, &QPushButton::pressed, this, [this] { bewaaromschrijving(); });
    bottom->addWidget(print);
    bottom->addWidget(helpButton());
    m_helpPicture = new QToolButton(this);
    m_helpPicture->setObjectName(QStringLiteral("helpplaatje"));
    m_helpPicture->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    m_helpPicture->setAutoRaise(true);
    m_helpPicture->setToolTip(QStringLiteral("Uitleg over dit overzicht"));
    connect(m_helpPicture, &QToolButton::clicked, helpButton(), &QPushButton::click);
    bottom->addWidget(m_helpPicture);
    bottom->addWidget(closeButton());
    layout->addLayout(bottom);

    connect(&table(), &Table::currentChanged, this, &mutaties::toonomschrijving);
    connect(m_omschrijving, &QLineEdit::textEdited, this, [this] { m_changed = m_row >= 0; });
    connect(m_omschrijving, &QLineEdit::returnPressed, this, [this] { bewaaromschrijving(); });
}

void mutaties::onShow()
{
    ListScreen::onShow();
    if (!m_omschrijving)
        return;
    m_helpPicture->setEnabled(helpButton()->isEnabled());
    m_row = -1;
    m_changed = false;
    toonomschrijving();
}

void mutaties::toonomschrijving()
{
    const Table &journal = table();
    const qint64 row = journal.isOpen() && journal.currentRow() >= 0 ? journal.currentRowid() : -1;
    if (row == m_row && m_changed)
        return; // the same row read again keeps what the user typed
    m_row = row;
    m_changed = false;
    m_omschrijving->setText(row >= 0 ? journal.text(veld::journaal::Omschrijving) : QString());
    m_omschrijving->setEnabled(row >= 0);
}

bool mutaties::bewaaromschrijving()
{
    if (!m_changed || m_row < 0)
        return true;
    const qint64 row = m_row;
    const QString text = m_omschrijving->text();
    if (attempt(this, [&] { journaalomschrijving::aanpassen(data(), row, text); })) {
        m_changed = false;
        return true;
    }
    // The typed text stays for another try, unless the row itself went meanwhile.
    m_changed = m_row == row;
    return false;
}

void mutaties::sluitvenster()
{
    if (bewaaromschrijving())
        close();
}

} // namespace zelk
