#include "invoeromschr.h"

#include "databases.h"
#include "rekeningnamen.h"
#include "rekeningschema.h"
#include "store/velden.h"
#include "toolkit/accountgroup.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/textlimit.h"
#include "zelkerror.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelk {

namespace {
// The edit of each position carries the name the chart gives it.
const QHash<int, QString> &editNames()
{
    static const QHash<int, QString> names = {{1, "bank1"},
                                              {2, "bank2"},
                                              {3, "bank3"},
                                              {4, "bank4"},
                                              {5, "kas1"},
                                              {6, "kas2"},
                                              {7, "contributies"},
                                              {8, "donaties"},
                                              {9, "loterij"},
                                              {10, "verkopen"},
                                              {11, "overigeinkomsten"},
                                              {12, "administratiekosten"},
                                              {13, "advertentiekosten"},
                                              {14, "arbiterkosten"},
                                              {15, "autokosten"},
                                              {16, "bondsafdrachten"},
                                              {17, "presentatiekosten"},
                                              {18, "prijzenkosten"},
                                              {19, "secretariaatkosten"},
                                              {20, "vergaderkosten"},
                                              {21, "zaalhuurkosten"},
                                              {22, "overigekosten"},
                                              {26, "verkoop2"},
                                              {27, "verkoop3"},
                                              {28, "verkoop4"},
                                              {29, "jubileumkosten"},
                                              {30, "Organisatiekosten"},
                                              {31, "overigeinkomsten2"},
                                              {32, "overigeinkomsten3"},
                                              {33, "overigekosten2"},
                                              {34, "overigekosten3"},
                                              {35, "overigekosten4"},
                                              {36, "kas3"},
                                              {37, "kas4"}};
    return names;
}

QList<int> lines(const std::vector<int> &positions)
{
    return QList<int>(positions.begin(), positions.end());
}
const QList<int> financialLines = lines(rekeningschema::financieel());
const QList<int> depositLines = {rekeningschema::stortingverschillen};
const QList<int> incomeLines = lines(rekeningschema::inkomsten());
const QList<int> costLines = lines(rekeningschema::kosten());

// The background colours of the four groups.
const QColor financialColour(204, 236, 204);
const QColor depositColour(255, 244, 196);
const QColor incomeColour(208, 226, 250);
const QColor costColour(250, 214, 214);

QLabel *columnHeading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

const QList<int> &invoeromschr::walkOrder()
{
    static const QList<int> order = financialLines + depositLines + incomeLines + costLines;
    return order;
}

invoeromschr::invoeromschr(AppContext &context)
    : TaskScreen(context, QStringLiteral("invoeromschr"), QStringLiteral("Invoer omschrijvingen"), QStringLiteral("2. INVOEREN NAMEN")),
      m_ctx(context)
{
    auto *layout = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    m_restore = new QToolButton(this);
    m_restore->setObjectName(QStringLiteral("herstel"));
    m_restore->setArrowType(Qt::RightArrow);
    m_restore->setToolTip(QStringLiteral("Standaard benaming terugzetten"));
    m_restore->setFocusPolicy(Qt::TabFocus); // a click leaves the focus in its edit
    top->addStretch();
    top->addWidget(columnHeading(QStringLiteral("Standaard benaming")));
    top->addWidget(m_restore);
    top->addWidget(columnHeading(QStringLiteral("Actuele benaming")));
    top->addStretch();
    layout->addLayout(top);

    auto *blocks = new QHBoxLayout;
    blocks->addWidget(buildBlock({financialLines, depositLines, incomeLines}, {financialColour, depositColour, incomeColour}));
    blocks->addWidget(buildBlock({costLines}, {costColour}));
    layout->addLayout(blocks);

    m_print = addButton(QStringLiteral("Afdrukken"), QStringLiteral("afdrukken"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton());
    buttons->addWidget(m_print);
    buttons->addWidget(helpButton());
    layout->addLayout(buttons);

    // Tab walks the edits in the order Enter does, then the buttons.
    QList<QWidget *> steps;
    for (int position : walkOrder())
        steps << m_edits.value(position);
    setSteps(steps << m_restore << closeButton() << m_print << helpButton());

    connect(m_restore, &QToolButton::clicked, this, &invoeromschr::restoreStandardNames);
    connect(m_print, &QPushButton::clicked, this, &invoeromschr::print);
}

QWidget *invoeromschr::buildBlock(const QList<QList<int>> &groups, const QList<QColor> &colours)
{
    auto *block = new QWidget(this);
    auto *grid = new QGridLayout(block);
    grid->setVerticalSpacing(1);
    grid->addWidget(columnHeading(QStringLiteral("Standaard benaming")), 0, 0);
    grid->addWidget(columnHeading(QStringLiteral("Actuele benaming")), 0, 1);
    int row = 1;
    for (int g = 0; g < groups.size(); ++g) {
        if (g > 0)
            grid->setRowMinimumHeight(row++, 10); // the gap between two groups
        const QString background = QStringLiteral("background-color: %1;").arg(colours[g].name());
        for (int position : groups[g]) {
            auto *standard = new QLineEdit(rekeningschema::standaardNamen().at(position - 1), block);
            standard->setReadOnly(true);
            standard->setFocusPolicy(Qt::NoFocus);
            standard->setStyleSheet(QStringLiteral("QLineEdit { %1 color: #404040; }").arg(background));
            auto *current = new QLineEdit(block);
            current->setObjectName(editNames().value(position));
            limitToField(current, schemas::rekeningen(), veld::rekeningen::Naam);
            current->setStyleSheet(QStringLiteral("QLineEdit { %1 border: 1px solid #707070; padding: 1px 3px; }").arg(background));
            standard->setMinimumWidth(180);
            current->setMinimumWidth(180);
            current->installEventFilter(this);
            grid->addWidget(standard, row, 0);
            grid->addWidget(current, row, 1);
            m_standard.insert(position, standard);
            m_edits.insert(position, current);
            ++row;
        }
    }
    grid->setRowStretch(row, 1);
    return block;
}

void invoeromschr::onShow()
{
    m_print->setEnabled(m_ctx.actions.contains(QStringLiteral("printrekeningen")));
    toonrekeningen(); // the frame then puts the focus in the first edit
}

void invoeromschr::toonrekeningen()
{
    const Table &accounts = m_ctx.data->rekeningtabel;
    if (!accounts.isOpen())
        return;
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        it.value()->setText(it.key() <= accounts.recordCount() ? accountName(accounts, it.key()) : QString());
}

bool invoeromschr::bewaarrekeningen()
{
    QMap<int, QString> names;
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        names.insert(it.key(), it.value()->text());
    return attempt(this, [&] { rekeningnamen::bewaar(*m_ctx.data, names); });
}

void invoeromschr::restoreStandardNames()
{
    if (!confirm(this, QStringLiteral("Actuele benaming overschrijven met de standaard benaming?")))
        return;
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        it.value()->setText(m_standard.value(it.key())->text());
}

void invoeromschr::sluitvenster()
{
    // Names that could not be stored stay on the screen, so nothing typed is lost.
    if (bewaarrekeningen())
        close();
}

void invoeromschr::print()
{
    const auto action = m_ctx.actions.value(QStringLiteral("printrekeningen"));
    if (action && bewaarrekeningen())
        action(this);
}

bool invoeromschr::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return TaskScreen::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const QList<int> &order = walkOrder();
    int index = -1;
    for (int i = 0; i < order.size(); ++i)
        if (m_edits.value(order[i]) == watched)
            index = i;
    if (index < 0)
        return TaskScreen::eventFilter(watched, event);
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
        if (index + 1 < order.size())
            m_edits.value(order[index + 1])->setFocus();
        return true;
    }
    if (key == Qt::Key_Up) {
        if (index > 0)
            m_edits.value(order[index - 1])->setFocus();
        return true;
    }
    return TaskScreen::eventFilter(watched, event);
}

} // namespace zelk
