#include "rekoverzicht.h"

#include "databases.h"
#include "rekeningmutaties.h"
#include "store/velden.h"
#include "toolkit/boundgrid.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace zelk {

namespace {
ListDeclaration declaration()
{
    using Kind = GridColumn::Kind;
    ListDeclaration d;
    d.unit = QStringLiteral("rekoverzicht");
    d.caption = QStringLiteral("Overzicht mutaties per rekening");
    d.table = &DataModule1::rekeningtabel;
    d.columns = {{veld::rekeningen::Naam.toString(), QStringLiteral("Naam"), Kind::Text},
                 {veld::rekeningen::Saldo.toString(), QStringLiteral("Saldo"), Kind::Amount}};
    return d;
}

QList<GridColumn> mutationColumns()
{
    using namespace veld::journaal;
    using Kind = GridColumn::Kind;
    return {{JrNr.toString(), QStringLiteral("Bkst"), Kind::Text},
            {Datum.toString(), QStringLiteral("Datum"), Kind::Date},
            {Omschrijving.toString(), QStringLiteral("Omschrijving"), Kind::Text},
            {Bedrag.toString(), QStringLiteral("Bedrag"), Kind::Amount}};
}

QLabel *bold(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

rekoverzicht::rekoverzicht(AppContext &context) : ListScreen(context, declaration())
{
    resize(1040, 600);
}

void rekoverzicht::build()
{
    grid()->setObjectName(QStringLiteral("rekeningen"));
    grid()->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid()->setColumnWidth(1, 110);
    grid()->setMinimumWidth(340);

    auto *left = new QVBoxLayout;
    left->addWidget(bold(QStringLiteral("Rekeningen tabel"), this));
    left->addWidget(grid(), 1);

    auto *account = new QHBoxLayout;
    account->addWidget(bold(QStringLiteral("Rekening :"), this));
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("rekeningnaam"));
    m_balance = new QLabel(this);
    m_balance->setObjectName(QStringLiteral("saldo"));
    m_balance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_balance->setMinimumWidth(m_balance->fontMetrics().horizontalAdvance(QStringLiteral("-9,999,999,999.99")));
    account->addWidget(m_name, 1);
    account->addWidget(m_balance);

    HoverButton *opbouw = addButton(QStringLiteral("Opbouw vanuit journaal"), QStringLiteral("opbouw"));
    connect(opbouw, &QPushButton::clicked, this, [this] { opbouwvanuitjournaal(); });
    auto *buildLine = new QHBoxLayout;
    buildLine->addWidget(opbouw);
    buildLine->addStretch();

    m_mutations = new BoundGrid(data().hulpT, mutationColumns(), this);
    m_mutations->setObjectName(QStringLiteral("mutaties"));
    m_mutations->setColumnWidth(0, 55);
    m_mutations->setColumnWidth(1, 85);
    m_mutations->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_mutations->setColumnWidth(3, 110);

    auto *warning = new QLabel(QStringLiteral("Let op!! Wanneer een rekeningnaam gewijzigd is en er is voorheen op geboekt,\n"
                                              "dan zal het totaal (saldo) van de bovenstaande mutaties niet correct zijn!"),
                               this);
    warning->setObjectName(QStringLiteral("waarschuwing"));

    auto *right = new QVBoxLayout;
    right->addWidget(titleLabel());
    right->addLayout(account);
    right->addLayout(buildLine);
    right->addWidget(m_mutations, 1);
    right->addWidget(warning);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addUnitButton(QStringLiteral("Overzicht"), QStringLiteral("overzichtmutrekeningen")));
    buttons->addWidget(closeButton());
    right->addLayout(buttons);

    auto *page = new QHBoxLayout(this);
    page->addLayout(left, 2);
    page->addLayout(right, 3);
}

void rekoverzicht::onShow()
{
    ListScreen::onShow();
    if (m_name)
        toonopbouw();
}

void rekoverzicht::toonopbouw()
{
    const rekeningmutaties::Opbouw last = rekeningmutaties::laatste(data());
    m_name->setText(last.naam);
    m_balance->setText(last.saldo);
}

bool rekoverzicht::opbouwvanuitjournaal()
{
    const Table &accounts = data().rekeningtabel;
    const int position = accounts.isOpen() ? accounts.currentRow() + 1 : 0;
    const bool built = attempt(this, [&] { rekeningmutaties::opbouwen(data(), position); });
    toonopbouw();
    return built;
}

} // namespace zelk
