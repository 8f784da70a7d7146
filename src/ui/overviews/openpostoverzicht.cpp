#include "openpostoverzicht.h"

#include "databases.h"
#include "store/velden.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace zelk {

namespace {
ListDeclaration listOf(const OpenPostOverzichtDeclaration &d)
{
    using namespace veld::openpost;
    using Kind = GridColumn::Kind;
    ListDeclaration list;
    list.unit = d.unit;
    list.caption = d.caption;
    list.helpHeading = d.helpHeading;
    list.table = d.items;
    list.columns = {{Datum.toString(), QStringLiteral("Datum"), Kind::Date},
                    {Omschrijving.toString(), QStringLiteral("Omschrijving"), Kind::Text},
                    {Bedrag.toString(), QStringLiteral("Bedrag"), Kind::Amount}};
    list.criteria = openPostCriteria();
    return list;
}
} // namespace

OpenPostOverzicht::OpenPostOverzicht(AppContext &context, const OpenPostOverzichtDeclaration &declaration)
    : ListScreen(context, listOf(declaration)), m_report(declaration.report)
{
    resize(820, 520);
}

void OpenPostOverzicht::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel());
    grid()->setObjectName(QStringLiteral("posten"));
    grid()->setColumnWidth(0, 90);
    grid()->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid()->setColumnWidth(2, 120);
    layout->addWidget(grid(), 1);
    layout->addWidget(filterPanel());

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(addUnitButton(QStringLiteral("Overzicht"), m_report));
    bottom->addWidget(helpButton());
    bottom->addWidget(closeButton());
    layout->addLayout(bottom);
}

} // namespace zelk
