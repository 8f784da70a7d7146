#include "invoerbegroot.h"

#include "amountformat.h"
#include "databases.h"
#include "report/reporttitles.h"
#include "reports/printbegroot.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/hoverbutton.h"
#include "zelkerror.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelk {

namespace {
const QString Heading = QStringLiteral("-------------Gegevens uit de administratie---------------");
const QString Warning1 = QStringLiteral("  Let op!  Na het afsluiten van Zelk gaan de door U aangepaste gegevens verloren!  ");
const QString Warning2
    = QStringLiteral("                        Leg deze gegevens eerst vast op de printer.                                        ");

QLineEdit *readOnlyBox(QWidget *parent, const QString &objectName, Qt::Alignment align, int width)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(align);
    box->setStyleSheet(QStringLiteral("QLineEdit { background-color: #f0f0f0; }"));
    if (width > 0)
        box->setFixedWidth(width);
    else
        box->setMinimumWidth(170);
    return box;
}

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

invoerbegroot::invoerbegroot(AppContext &context)
    : TaskScreen(context, QStringLiteral("invoerbegroot"), QStringLiteral("Invoer begrotinggegevens")), m_ctx(context)
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(titleLabel());

    auto *takeIncome = addButton(QStringLiteral("Overnemen"), QStringLiteral("overneminkomsten"));
    auto *takeExpenses = addButton(QStringLiteral("Overnemen"), QStringLiteral("overnemenuitgaven"));
    auto *panels = new QHBoxLayout;
    panels->addWidget(buildPanel(QStringLiteral("INKOMSTEN"), begroting::inkomstenRegels(), QStringLiteral("Negatief Saldo (tekort)"),
                                 m_shortfall, m_incomeTotal, takeIncome));
    panels->addWidget(buildPanel(QStringLiteral("UITGAVEN"), begroting::uitgavenRegels(), QStringLiteral("Positief Saldo (over)"),
                                 m_surplus, m_expenseTotal, takeExpenses));
    layout->addLayout(panels);
    m_shortfall->setObjectName(QStringLiteral("tekort"));
    m_surplus->setObjectName(QStringLiteral("over"));
    m_incomeTotal->setObjectName(QStringLiteral("totaalinkomsten"));
    m_expenseTotal->setObjectName(QStringLiteral("totaaluitgaven"));

    m_overview = addButton(QStringLiteral("Overzicht"), QStringLiteral("overzicht"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_overview);
    buttons->addWidget(closeButton());
    buttons->addStretch();
    layout->addLayout(buttons);

    for (const auto &[name, text] : {std::pair{"waarschuwing1", Warning1}, std::pair{"waarschuwing2", Warning2}}) {
        auto *warning = new QLabel(text, this);
        warning->setObjectName(QString::fromLatin1(name));
        warning->setTextFormat(Qt::PlainText); // the blanks stay as they are
        warning->setAlignment(Qt::AlignCenter);
        warning->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
        layout->addWidget(warning);
    }

    // Tab walks the income amounts, their "Overnemen", the expense amounts, theirs, then
    // "Overzicht" and "Sluit venster".
    QList<QWidget *> steps;
    for (int p : begroting::inkomstenRegels())
        steps << m_amounts.value(p);
    steps << takeIncome;
    for (int p : begroting::uitgavenRegels())
        steps << m_amounts.value(p);
    steps << takeExpenses << m_overview << closeButton();
    setSteps(steps);

    connect(takeIncome, &QPushButton::clicked, this, [this] { overnemen(begroting::inkomstenRegels()); });
    connect(takeExpenses, &QPushButton::clicked, this, [this] { overnemen(begroting::uitgavenRegels()); });
    connect(m_overview, &QPushButton::clicked, this, &invoerbegroot::showReport);
}

invoerbegroot::~invoerbegroot()
{
    // A screen still open when the program ends closes while it is destroyed: the amount
    // with the focus then loses it, and must not recalculate over lines already gone.
    for (AmountField *field : std::as_const(m_amounts))
        disconnect(field, nullptr, this, nullptr);
}

QWidget *invoerbegroot::buildPanel(const QString &title, const std::vector<int> &positions, const QString &resultText, QLineEdit *&result,
                                   QLineEdit *&total, HoverButton *overnemenButton)
{
    auto *panel = new QGroupBox(title, this);
    panel->setObjectName(title.toLower());
    QFont titleFont = panel->font();
    titleFont.setBold(true);
    panel->setFont(titleFont);
    auto *grid = new QGridLayout(panel);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(6);

    auto *heading = new QLabel(Heading, panel);
    heading->setObjectName(QStringLiteral("kop") + title.toLower());
    heading->setTextFormat(Qt::PlainText);
    QFont plain = font();
    plain.setBold(false); // the panel's bold is for its title only
    heading->setFont(plain);
    heading->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(heading, 0, 0, 1, 2);
    auto *budgetHeading = new QLabel(QStringLiteral("Begroting"), panel);
    budgetHeading->setFont(plain);
    budgetHeading->setAlignment(Qt::AlignCenter | Qt::AlignBottom);
    grid->addWidget(budgetHeading, 0, 2);

    int row = 1;
    for (int p : positions) {
        auto *name = readOnlyBox(panel, QStringLiteral("naam%1").arg(p), Qt::AlignLeft | Qt::AlignVCenter, 0);
        auto *actual = readOnlyBox(panel, QStringLiteral("werkelijk%1").arg(p), Qt::AlignRight | Qt::AlignVCenter, 100);
        auto *amount = new AmountField(panel);
        amount->setObjectName(QStringLiteral("begroting%1").arg(p));
        amount->setFixedWidth(120);
        for (QWidget *w : {static_cast<QWidget *>(name), static_cast<QWidget *>(actual), static_cast<QWidget *>(amount)})
            w->setFont(plain);
        connect(amount, &AmountField::amountTaken, this, [this] { herbereken(); });
        grid->addWidget(name, row, 0);
        grid->addWidget(actual, row, 1);
        grid->addWidget(amount, row, 2);
        m_names.insert(p, name);
        m_actuals.insert(p, actual);
        m_amounts.insert(p, amount);
        ++row;
    }
    grid->setRowStretch(row++, 1); // the shorter panel keeps its result lines level with the other's

    overnemenButton->setParent(panel);
    overnemenButton->setFont(plain);
    overnemenButton->setToolTip(QStringLiteral("De gegevens uit de administratie als begroting overnemen"));
    grid->addWidget(overnemenButton, row++, 2);

    auto *resultLabel = new QLabel(resultText, panel);
    resultLabel->setFont(plain);
    result = readOnlyBox(panel, {}, Qt::AlignRight | Qt::AlignVCenter, 120);
    result->setFont(plain);
    grid->addWidget(resultLabel, row, 0, 1, 2, Qt::AlignRight);
    grid->addWidget(result, row++, 2);

    auto *totalLabel = boldLabel(QStringLiteral("Totaal"), panel);
    total = readOnlyBox(panel, {}, Qt::AlignRight | Qt::AlignVCenter, 120);
    QFont bold = plain;
    bold.setBold(true);
    total->setFont(bold);
    grid->addWidget(totalLabel, row, 0, 1, 2, Qt::AlignRight);
    grid->addWidget(total, row++, 2);
    return panel;
}

void invoerbegroot::onShow()
{
    m_overview->setEnabled(m_ctx.actions.contains(titles::printbegroot.unit));
    // Amounts typed in an earlier visit show in the amount format of now.
    for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it)
        m_amounts.value(it.key())->setValue(it.value());
    toonbegroting();
}

void invoerbegroot::onClose()
{
    m_kept.clear();
    for (auto it = m_amounts.cbegin(); it != m_amounts.cend(); ++it)
        if (const auto amount = it.value()->amount(); amount && !it.value()->plainText().isEmpty())
            m_kept.insert(it.key(), *amount);
}

void invoerbegroot::toonbegroting()
{
    const Table &accounts = m_ctx.data->rekeningtabel;
    if (!accounts.isOpen())
        return;
    const AmountFormat &format = AmountFormat::current();
    for (auto it = m_names.cbegin(); it != m_names.cend(); ++it) {
        const int p = it.key();
        const bool exists = p <= accounts.recordCount();
        it.value()->setText(exists ? accountName(accounts, p) : QString());
        it.value()->setCursorPosition(0);
        m_actuals.value(p)->setText(format.plain(exists ? werkelijkCijfer(accountBalance(accounts, p)) : 0.0));
    }
    herbereken();
}

Begroting invoerbegroot::begroting() const
{
    Begroting b;
    for (auto it = m_amounts.cbegin(); it != m_amounts.cend(); ++it)
        b.bedragen.insert(it.key(), it.value()->amount().value_or(0.0));
    return b;
}

void invoerbegroot::herbereken()
{
    m_cijfers = berekenBegroting(begroting());
    const AmountFormat &format = AmountFormat::current();
    m_shortfall->setText(format.plain(m_cijfers.tekort));
    m_surplus->setText(format.plain(m_cijfers.over));
    m_incomeTotal->setText(format.plain(m_cijfers.totaalInkomsten));
    m_expenseTotal->setText(format.plain(m_cijfers.totaalUitgaven));
}

void invoerbegroot::overnemen(const std::vector<int> &positions)
{
    const AmountFormat &format = AmountFormat::current();
    for (int p : positions)
        m_amounts.value(p)->setValue(format.parse(m_actuals.value(p)->text()).value_or(0.0));
    herbereken();
}

void invoerbegroot::showReport()
{
    // An amount that is not understood is explained, not printed as 0.
    for (int p : begroting::inkomstenRegels())
        if (!m_amounts.value(p)->checkedValue())
            return;
    for (int p : begroting::uitgavenRegels())
        if (!m_amounts.value(p)->checkedValue())
            return;
    herbereken();
    if (const auto open = m_ctx.actions.value(titles::printbegroot.unit))
        open(this);
}

std::shared_ptr<Report> begrotingsrapport(AppContext &context)
{
    if (!context.data)
        throw Error(QStringLiteral("Er is geen administratie geopend."));
    Begroting amounts;
    if (const auto *screen = context.screenAs<invoerbegroot>(QStringLiteral("invoerbegroot")))
        amounts = screen->begroting();
    printbegroot report(*context.data);
    report.vulbegroting(amounts);
    return report.report();
}

} // namespace zelk
