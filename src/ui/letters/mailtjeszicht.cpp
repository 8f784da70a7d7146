#include "mailtjeszicht.h"

#include "databases.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/recordnavigator.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelk {

namespace {
ListDeclaration declaration()
{
    using namespace veld::mailtjes;
    using Kind = GridColumn::Kind;
    using Criterion = FilterCriterion::Kind;
    ListDeclaration d;
    d.unit = QStringLiteral("mailtjeszicht");
    d.caption = QStringLiteral("Overzicht verzonden mailtjes");
    d.helpHeading = QStringLiteral("18. MAILING");
    d.table = &DataModule1::mailtjestabel;
    d.columns = {{Datum.toString(), QStringLiteral("Datum"), Kind::Date},
                 {Tijd.toString(), QStringLiteral("Tijd"), Kind::Text},
                 {Mnaam.toString(), QStringLiteral("Naam"), Kind::Text},
                 {Madres.toString(), QStringLiteral("Mailadres"), Kind::Text},
                 {Monderwerp.toString(), QStringLiteral("Onderwerp"), Kind::Text}};
    // The date is matched as the grid shows it (dd-mm-jjjj), anywhere in it: "03-2026" finds
    // March 2026, a whole date that one day.
    d.criteria = {{QStringLiteral("Datum"), Datum.toString(), Criterion::Text},
                  {QStringLiteral("Naam"), Mnaam.toString(), Criterion::Text},
                  {QStringLiteral("Mailadres"), Madres.toString(), Criterion::Text},
                  {QStringLiteral("Onderwerp"), Monderwerp.toString(), Criterion::Text}};
    d.filterTitle = QString(); // a group box title has one line: the two-line heading stands beside it
    return d;
}
} // namespace

mailtjeszicht::mailtjeszicht(AppContext &context) : ListScreen(context, declaration())
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(960, 660);
}

void mailtjeszicht::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel());

    auto *kop = new QLabel(QStringLiteral("  Filteren \n  E-Mails"), this);
    kop->setObjectName(QStringLiteral("filtertitel"));
    QFont vet = kop->font();
    vet.setBold(true);
    kop->setFont(vet);
    filterPanel()->setObjectName(QStringLiteral("filter"));
    auto *filter = new QHBoxLayout;
    filter->addWidget(kop);
    filter->addWidget(filterPanel(), 1);
    layout->addLayout(filter);

    grid()->setObjectName(QStringLiteral("mailtjes"));
    grid()->setDeleteAllowed(true);
    grid()->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid(), 3);

    m_tekst = new QPlainTextEdit(this);
    m_tekst->setObjectName(QStringLiteral("mailtekst"));
    m_tekst->setReadOnly(true);
    m_tekst->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_tekst->setTabChangesFocus(true);
    layout->addWidget(m_tekst, 2);

    using Action = RecordNavigator::Action;
    m_navigator
        = new RecordNavigator(table(), {Action::First, Action::Prior, Action::Next, Action::Last, Action::Delete, Action::Refresh}, this);
    // On this screen the delete button says "Wissen record".
    QToolButton *wissen = m_navigator->button(Action::Delete);
    wissen->setToolTip(QStringLiteral("Wissen record"));
    wissen->setObjectName(QStringLiteral("Wissen record"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_navigator);
    bottom->addStretch();
    bottom->addWidget(helpButton());
    bottom->addWidget(closeButton());
    layout->addLayout(bottom);

    Table &log = table();
    connect(&log, &Table::currentChanged, this, &mailtjeszicht::toonmail);
    connect(&log, &Table::rowsReset, this, &mailtjeszicht::toonmail);
    connect(&log, &Table::rowChanged, this, &mailtjeszicht::toonmail);

    QList<QWidget *> steps;
    for (const auto &criterion : filterPanel()->criteria().criteria())
        steps << filterPanel()->fromBox(criterion.label);
    steps << grid() << m_tekst;
    setSteps(steps);
}

void mailtjeszicht::onShow()
{
    ListScreen::onShow();
    // What was sent since the log was last read, by this program or another, shows at once,
    // and the newest entry is the selected one.
    table().refresh();
    table().first();
    toonmail();
}

void mailtjeszicht::toonmail()
{
    const Table &log = table();
    if (!log.isOpen() || log.currentRow() < 0) {
        m_tekst->clear();
        return;
    }
    // Stored with CR LF between the lines, as the message went out.
    QString tekst = log.text(veld::mailtjes::Mmail);
    tekst.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (tekst != m_tekst->toPlainText())
        m_tekst->setPlainText(tekst);
}

} // namespace zelk
