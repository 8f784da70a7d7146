#include "stanbrief.h"

#include "databases.h"
#include "reports/papportstand.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelk {

namespace {
ListDeclaration declaration()
{
    using namespace veld::leden;
    using Kind = GridColumn::Kind;
    ListDeclaration d;
    d.unit = QStringLiteral("stanbrief");
    d.caption = QStringLiteral("Mailing");
    d.helpHeading = QStringLiteral("18. MAILING");
    d.table = &DataModule1::ledentabel;
    d.columns = {{Naam.toString(), QStringLiteral("Naam"), Kind::Text},   {Straat.toString(), QStringLiteral("Straat"), Kind::Text},
                 {Pcode.toString(), QStringLiteral("Pcode"), Kind::Text}, {Plaats.toString(), QStringLiteral("Plaats"), Kind::Text},
                 {Email.toString(), QStringLiteral("Email"), Kind::Text}, {GebDatum.toString(), QStringLiteral("Geb datum"), Kind::Date}};
    d.criteria = mailingCriteria();
    d.filterTitle = QStringLiteral("Filter");
    return d;
}
} // namespace

const QList<std::pair<QString, QString>> &stanbrief::openedScreens()
{
    static const QList<std::pair<QString, QString>> screens = {{QStringLiteral("Bewerken brief"), QStringLiteral("standaardbrief")},
                                                               {QStringLiteral("Bewerken e-mail"), QStringLiteral("bewerkemail")},
                                                               {QStringLiteral("Verzonden e-mail"), QStringLiteral("mailtjeszicht")}};
    return screens;
}

stanbrief::stanbrief(AppContext &context) : ListScreen(context, declaration())
{
    resize(1100, 600);
}

void stanbrief::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel());
    filterPanel()->setObjectName(QStringLiteral("filter"));
    layout->addWidget(filterPanel());
    grid()->setObjectName(QStringLiteral("leden"));
    grid()->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid(), 1);

    auto *buttons = new QHBoxLayout;
    QList<QWidget *> steps;
    for (QWidget *box : filterPanel()->findChildren<QLineEdit *>())
        steps << box;
    steps << grid();
    for (const auto &opened : openedScreens()) {
        HoverButton *b = addButton(opened.first);
        connect(b, &QPushButton::clicked, this, guarded(this, [this, unit = opened.second] { openScreen(unit); }));
        buttons->addWidget(b);
        steps << b;
    }
    buttons->addStretch();
    buttons->addWidget(helpButton());
    buttons->addWidget(closeButton());
    layout->addLayout(buttons);
    setSteps(steps);
}

void stanbrief::onShow()
{
    ListScreen::onShow();
    // A screen that this version does not have leaves its button disabled.
    for (const auto &[caption, unit] : openedScreens())
        button(caption)->setEnabled(qobject_cast<TaskScreen *>(context().screen(unit)) != nullptr);
}

void stanbrief::openScreen(const QString &unit)
{
    // Only shown in front: the filter stays on, so that screen works on the selection.
    if (auto *screen = qobject_cast<TaskScreen *>(context().screen(unit)))
        screen->openFrom(this);
}

} // namespace zelk
