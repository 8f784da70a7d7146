#include "startup.h"

#include "backup/backuppen.h"
#include "backup/restore.h"
#include "bookkeeping/Tebetalen.h"
#include "bookkeeping/Teontvangen.h"
#include "bookkeeping/invoeromschr.h"
#include "bookkeeping/invoeroverin.h"
#include "bookkeeping/invoerstartbalans.h"
#include "bookkeeping/invoeruitgaven.h"
#include "bookkeeping/jaarafsluit.h"
#include "bookkeeping/kruisposten.h"
#include "bookkeeping/schonelei.h"
#include "budget/invoerbegroot.h"
#include "databases.h"
#include "helpfile.h"
#include "instellingen.h"
#include "letters/bewerkemail.h"
#include "letters/mailtjeszicht.h"
#include "letters/stanbrief.h"
#include "letters/standaardbrief.h"
#include "letters/verzonderok.h"
#include "main.h"
#include "members/invoercontri.h"
#include "members/invoerleden.h"
#include "overviews/mutaties.h"
#include "overviews/over_tebetalen.h"
#include "overviews/over_teontvangen.h"
#include "overviews/rekoverzicht.h"
#include "reports/reportunit.h"
#include "startscherm.h"
#include "toolkit/verwerkt.h"
#include "uitlegzelk.h"

#include <QHash>
#include <functional>

namespace zelk {

const QStringList &Program::creationOrder()
{
    static const QStringList order = {QStringLiteral("main"),
                                      QStringLiteral("ledenlijst03"),
                                      QStringLiteral("rekoverzicht"),
                                      QStringLiteral("overzichtmutrekeningen"),
                                      QStringLiteral("invoerleden"),
                                      QStringLiteral("invoeromschr"),
                                      QStringLiteral("invoerstartbalans"),
                                      QStringLiteral("databases"),
                                      QStringLiteral("printleden"),
                                      QStringLiteral("printrekeningen"),
                                      QStringLiteral("invoercontri"),
                                      QStringLiteral("printcontribut"),
                                      QStringLiteral("printcontrijour"),
                                      QStringLiteral("mutaties"),
                                      QStringLiteral("uitlegzelk"),
                                      QStringLiteral("invoeroverin"),
                                      QStringLiteral("kruisposten"),
                                      QStringLiteral("printbalans"),
                                      QStringLiteral("Tebetalen"),
                                      QStringLiteral("Teontvangen"),
                                      QStringLiteral("verwerkt"),
                                      QStringLiteral("over_tebetalen"),
                                      QStringLiteral("over_teontvangen"),
                                      QStringLiteral("invoeruitgaven"),
                                      QStringLiteral("jaarafsluit"),
                                      QStringLiteral("printteontvangen"),
                                      QStringLiteral("printtebetalen"),
                                      QStringLiteral("backuppen"),
                                      QStringLiteral("restore"),
                                      QStringLiteral("standaardbrief"),
                                      QStringLiteral("inlezenbrief"),
                                      QStringLiteral("papportstand"),
                                      QStringLiteral("instellingen"),
                                      QStringLiteral("stanbrief"),
                                      QStringLiteral("opslaanbrief"),
                                      QStringLiteral("verzonderok"),
                                      QStringLiteral("bewerkemail"),
                                      QStringLiteral("opslaanemail"),
                                      QStringLiteral("inlezenemail"),
                                      QStringLiteral("printledenall"),
                                      QStringLiteral("mailtjeszicht"),
                                      QStringLiteral("printbegroot"),
                                      QStringLiteral("invoerbegroot"),
                                      QStringLiteral("schonelei"),
                                      QStringLiteral("report1")};
    return order;
}

int Program::gaugeAfter(int created)
{
    // 10 before creating; 2 after the fourth and every later unit, 3 after the last.
    int position = 10;
    const int total = static_cast<int>(creationOrder().size());
    for (int n = 4; n <= created; ++n)
        position += n == total ? 3 : 2;
    return std::min(position, startscherm::maximum);
}

namespace {
using Factory = std::function<QObject *(AppContext &)>;

// The units this version has. A screen registers itself in the context by unit name.
const QHash<QString, Factory> &factories()
{
    static const QHash<QString, Factory> all = {
        {QStringLiteral("databases"), [](AppContext &c) { return c.data = new DataModule1; }},
        {QStringLiteral("verwerkt"), [](AppContext &c) { return c.notice = new verwerkt; }},
        {QStringLiteral("invoerleden"), [](AppContext &c) { return new invoerleden(c); }},
        {QStringLiteral("invoercontri"), [](AppContext &c) { return new invoercontri(c); }},
        {QStringLiteral("invoeromschr"), [](AppContext &c) { return new invoeromschr(c); }},
        {QStringLiteral("invoerstartbalans"), [](AppContext &c) { return new invoerstartbalans(c); }},
        {QStringLiteral("invoeroverin"), [](AppContext &c) { return new invoeroverin(c); }},
        {QStringLiteral("invoeruitgaven"), [](AppContext &c) { return new invoeruitgaven(c); }},
        {QStringLiteral("kruisposten"), [](AppContext &c) { return new kruisposten(c); }},
        {QStringLiteral("Tebetalen"), [](AppContext &c) { return new Tebetalen(c); }},
        {QStringLiteral("Teontvangen"), [](AppContext &c) { return new Teontvangen(c); }},
        {QStringLiteral("jaarafsluit"), [](AppContext &c) { return new jaarafsluit(c); }},
        {QStringLiteral("schonelei"), [](AppContext &c) { return new schonelei(c); }},
        {QStringLiteral("instellingen"), [](AppContext &c) { return new instellingen(c); }},
        {QStringLiteral("mutaties"), [](AppContext &c) { return new mutaties(c); }},
        {QStringLiteral("rekoverzicht"), [](AppContext &c) { return new rekoverzicht(c); }},
        {QStringLiteral("invoerbegroot"), [](AppContext &c) { return new invoerbegroot(c); }},
        {QStringLiteral("printbegroot"),
         [](AppContext &c) { return new ReportUnit(c, QStringLiteral("printbegroot"), [&c] { return begrotingsrapport(c); }); }},
        {QStringLiteral("over_tebetalen"), [](AppContext &c) { return new over_tebetalen(c); }},
        {QStringLiteral("over_teontvangen"), [](AppContext &c) { return new over_teontvangen(c); }},
        {QStringLiteral("backuppen"), [](AppContext &c) { return new backuppen(c); }},
        {QStringLiteral("restore"), [](AppContext &c) { return new restore(c); }},
        {QStringLiteral("stanbrief"), [](AppContext &c) { return new stanbrief(c); }},
        {QStringLiteral("standaardbrief"), [](AppContext &c) { return new standaardbrief(c); }},
        {QStringLiteral("verzonderok"), [](AppContext &) { return new verzonderok; }},
        {QStringLiteral("bewerkemail"), [](AppContext &c) { return new bewerkemail(c); }},
        {QStringLiteral("mailtjeszicht"), [](AppContext &c) { return new mailtjeszicht(c); }},
        {QStringLiteral("uitlegzelk"),
         [](AppContext &c) {
             auto *viewer = new uitlegzelk(helpfile::path());
             c.openHelp = [viewer](QWidget *, const QString &heading) { viewer->openAt(heading); };
             return viewer;
         }},
    };
    return all;
}
} // namespace

Program::Program(bool splash)
{
    std::unique_ptr<startscherm> gauge;
    if (splash) {
        gauge = std::make_unique<startscherm>();
        gauge->show();
        gauge->repaint();
    }
    if (gauge)
        gauge->advance(10);
    const QStringList &order = creationOrder();
    for (int n = 1; n <= order.size(); ++n) {
        if (QObject *unit = create(order[n - 1])) {
            if (unit == m_main)
                m_mainOwned.reset(m_main);
            else if (unit == m_ctx.data)
                m_data.reset(m_ctx.data);
            else
                m_owned.emplace_back(unit);
            if (auto *widget = qobject_cast<QWidget *>(unit); widget && widget != m_main)
                m_ctx.screens.insert(order[n - 1], widget);
        }
        if (gauge && n >= 4)
            gauge->advance(gaugeAfter(n) - gaugeAfter(n - 1));
    }
    m_main->enableAvailableButtons();
}

QObject *Program::create(const QString &unit)
{
    if (unit == QLatin1String("main")) {
        m_main = new zelk::main(m_ctx);
        m_ctx.mainMenu = m_main;
        return m_main;
    }
    if (const auto factory = factories().value(unit))
        return factory(m_ctx);
    return createReportUnit(m_ctx, unit); // nullptr for a unit this version does not have
}

Program::~Program()
{
    // The screens and reports go first, newest first; then the main menu they return to;
    // the data module, whose tables they all show, last. It is created eighth, after the
    // first screens, so reverse creation order alone would leave those screens on
    // destroyed tables: a screen still open at the end closes while it is destroyed, and
    // its grid asks its table for the row count.
    while (!m_owned.empty())
        m_owned.pop_back();
    m_mainOwned.reset();
    m_ctx.mainMenu = m_main = nullptr;
    m_data.reset();
    m_ctx.data = nullptr;
}

} // namespace zelk
