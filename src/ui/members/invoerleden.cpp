#include "invoerleden.h"

#include "databases.h"
#include "ledenimport.h"
#include "ledenregels.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/findpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/recordnavigator.h"
#include "zelkerror.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelk {

namespace {
using namespace veld::leden;

QStringList gridFields()
{
    QStringList fields;
    for (QStringView f : {Naam, Straat, Pcode, Plaats, Email, BankGiro, GebDatum, Lidbedrag, Soortlid, Opmerk1, Opmerk2, Opmerk3})
        fields << f.toString();
    return fields;
}

FieldRule rule(QStringView field, Match match)
{
    return {field.toString(), match};
}

QList<FieldRule> findRules()
{
    return {rule(Naam, Match::Contains),     rule(Straat, Match::Contains), rule(Pcode, Match::Contains),
            rule(Plaats, Match::StartsWith), rule(Email, Match::Contains),  rule(Soortlid, Match::Standard)};
}

QList<FieldRule> filterRules()
{
    return {rule(Naam, Match::Contains),   rule(Straat, Match::Contains), rule(Pcode, Match::Standard),
            rule(Plaats, Match::Contains), rule(Email, Match::Contains),  rule(Soortlid, Match::Contains)};
}

// An information box that does not wait for its OK.
void showNotice(QWidget *parent, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("melding"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

// Reads the text of the birth date box by the member rules, before it is written into the
// member: a date that is refused is shown in the error box, and the box keeps its text and
// the focus; an accepted one is shown as the screen shows dates.
bool leesdatum(BoundEdit *box)
{
    if (!box || !box->isDirty())
        return true;
    try {
        const QDate date = ledenregels::geboortedatum(box->text());
        box->setText(date.isValid() ? date.toString(QStringLiteral("dd-MM-yyyy")) : QString());
        return true;
    } catch (const Error &e) {
        box->setFocus();
        showError(box->window(), e.message());
        return false;
    }
}

// Runs leesdatum() when the user leaves the birth date box with Enter, Down or Up, before
// the form writes the box into the member.
class DateKeys : public QObject {
public:
    explicit DateKeys(BoundEdit *box) : QObject(box) { box->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool leaves = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down || key == Qt::Key_Up;
        return leaves && !leesdatum(static_cast<BoundEdit *>(watched));
    }
};

QLabel *sectionLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}
} // namespace

invoerleden::invoerleden(AppContext &ctx, QWidget *parent)
    : TaskScreen(ctx, QStringLiteral("invoerleden"), QStringLiteral("Invoer leden"), QStringLiteral("1. INVOEREN LEDEN"), parent),
      m_ctx(ctx)
{
    resize(980, 640);
}

Table &invoerleden::leden() const
{
    return m_ctx.data->ledentabel;
}

// The screen is made before the data module (start-up creates the units in a fixed
// order), so its bound controls are built when it is first shown.
void invoerleden::ensureBuilt()
{
    if (m_form)
        return;
    m_form = new BoundForm(leden(), this);
    auto *top = new QHBoxLayout;
    top->addWidget(buildFields());
    top->addWidget(buildSide(), 1);
    top->addWidget(buildButtons());

    m_grid = new BoundGrid(leden(), fieldColumns(leden(), gridFields()), this);
    m_grid->setDeleteAllowed(true);
    m_grid->setBeforeChange([this] { return bewaarinvoer(); });
    connect(m_grid, &BoundGrid::changedTable, this, &invoerleden::toonaantal);

    auto *page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(m_grid, 1);
    setSteps(steps());
}

// Tab walks the member's boxes in the order Enter does, the navigator, the grid, the find
// and filter panels and the buttons; the screen opens in "Naam".
QList<QWidget *> invoerleden::steps() const
{
    QList<QWidget *> steps;
    for (BoundEdit *edit : m_form->edits())
        steps << edit;
    for (RecordNavigator::Action action : {RecordNavigator::First, RecordNavigator::Prior, RecordNavigator::Next, RecordNavigator::Last,
                                           RecordNavigator::Insert, RecordNavigator::Delete, RecordNavigator::Refresh})
        steps << m_navigator->button(action);
    steps << m_grid;
    for (const FieldRule &r : findRules())
        steps << m_find->box(r.field);
    steps << m_find->nextButton();
    for (const FieldRule &r : filterRules())
        steps << m_filter->box(r.field);
    for (const auto &[b, unit] : m_printButtons)
        steps << b;
    steps << button(QStringLiteral("Importeren…")) << button(QStringLiteral("Exporteren…"));
    return steps;
}

QWidget *invoerleden::buildFields()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);
    struct Line {
        const char *label;
        QStringView field;
    };
    const Line lines[] = {{"Naam:", Naam},         {"Straat:", Straat},   {"Pcode+pl.", Pcode},       {nullptr, Plaats},
                          {"Geb.dat.", GebDatum},  {"E-mail", Email},     {"Contributie", Lidbedrag}, {"Bank-giro", BankGiro},
                          {"Soort lid", Soortlid}, {"Opmerk 1", Opmerk1}, {"Opmerk 2", Opmerk2},      {"Opmerk 3", Opmerk3}};
    int row = 0;
    for (const Line &line : lines) {
        BoundEdit *edit = m_form->add(line.field.toString(), box);
        if (!line.label) { // the town sits on the postcode's line
            grid->addWidget(edit, row - 1, 2);
            continue;
        }
        auto *label = new QLabel(QString::fromLatin1(line.label), box);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        if (line.field == Pcode) {
            edit->setFixedWidth(70);
            grid->addWidget(edit, row, 1);
        } else {
            grid->addWidget(edit, row, 1, 1, 2);
        }
        ++row;
    }
    grid->setColumnMinimumWidth(2, 200);
    new DateKeys(m_form->edit(GebDatum.toString()));
    connect(m_form, &BoundForm::lastConfirmed, this, [this] { bewaarlid(); });
    return box;
}

QWidget *invoerleden::buildSide()
{
    auto *side = new QWidget(this);
    auto *column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);

    column->addWidget(sectionLabel(QStringLiteral("  NAVIGATOR   "), side));
    m_navigator = new RecordNavigator(leden(),
                                      {RecordNavigator::First, RecordNavigator::Prior, RecordNavigator::Next, RecordNavigator::Last,
                                       RecordNavigator::Insert, RecordNavigator::Delete, RecordNavigator::Refresh},
                                      side);
    m_navigator->setBeforeChange([this] { return bewaarinvoer(); });
    connect(m_navigator, &RecordNavigator::aboutToAct, this, [this] { m_form->edit(Naam.toString())->setFocus(); });
    connect(m_navigator, &RecordNavigator::acted, this, &invoerleden::toonaantal);
    column->addWidget(m_navigator);

    auto *countLine = new QHBoxLayout;
    countLine->addWidget(new QLabel(QStringLiteral("Records"), side));
    m_count = new QLabel(QStringLiteral("0"), side);
    m_count->setObjectName(QStringLiteral("aantal"));
    countLine->addWidget(m_count);
    countLine->addStretch();
    column->addLayout(countLine);

    auto *panels = new QHBoxLayout;
    m_find = new FindPanel(QStringLiteral("  ZOEKEN  "), leden(), findRules(), side);
    m_filter = new FieldFilterPanel(QStringLiteral("  FILTER    "), leden(), filterRules(), side);
    m_find->setBeforeChange([this] { return bewaarinvoer(); });
    m_filter->setBeforeChange([this] { return bewaarinvoer(); });
    connect(m_filter, &FieldPanel::valuesChanged, this, &invoerleden::toonaantal);
    panels->addWidget(m_find);
    panels->addWidget(m_filter);
    column->addLayout(panels);
    column->addStretch();
    return side;
}

QWidget *invoerleden::buildButtons()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto place = [&](HoverButton *b) {
        b->setMinimumWidth(140);
        column->addWidget(b);
        return b;
    };
    // The member lists save the member being edited before they print.
    for (const auto &[caption, report] : {std::pair{"Afdrukken lijst 1", "printleden"}, std::pair{"Afdrukken lijst 2", "ledenlijst03"},
                                          std::pair{"Afdrukken alle data", "printledenall"}}) {
        HoverButton *b = place(addButton(QString::fromUtf8(caption)));
        m_printButtons.append({b, QString::fromLatin1(report)});
        connect(b, &QPushButton::clicked, this, [this, unit = QString::fromLatin1(report)] { afdrukken(unit); });
    }
    connect(place(addButton(QStringLiteral("Importeren…"))), &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Leden inlezen"), QString(),
                                                          QStringLiteral("CSV-bestanden (*.csv *.txt);;Alle bestanden (*)"));
        if (!path.isEmpty())
            importFrom(path);
    });
    connect(place(addButton(QStringLiteral("Exporteren…"))), &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Leden opslaan"), QStringLiteral("leden.csv"),
                                                          QStringLiteral("CSV-bestanden (*.csv)"));
        if (!path.isEmpty())
            exportTo(path);
    });
    place(helpButton());
    column->addStretch();
    place(closeButton());
    resetHoverOver(box);
    return box;
}

void invoerleden::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    TaskScreen::setVisible(visible);
}

void invoerleden::onShow()
{
    m_filter->setFiltering(true);
    toonaantal();
    m_form->reload();
    // The member lists come with their own units; without them the buttons rest.
    for (const auto &[b, unit] : std::as_const(m_printButtons))
        b->setEnabled(m_ctx.actions.contains(unit));
}

void invoerleden::toonaantal()
{
    m_count->setText(QString::number(leden().isOpen() ? leden().recordCount() : 0));
}

bool invoerleden::bewaarinvoer()
{
    if (!leden().isOpen())
        return m_form->save();
    if (!leesdatum(m_form->edit(GebDatum.toString())) || !m_form->writePending())
        return false;
    try {
        ledenregels::keur(leden());
    } catch (const Error &e) {
        // A new member nothing but blanks was typed into is dropped by the save, not refused.
        if (leden().state() != Table::State::Insert || !m_form->rowUnchanged()) {
            if (e.message() == ledenregels::naamOntbreekt())
                m_form->edit(Naam.toString())->setFocus();
            showError(this, e.message());
            return false;
        }
    }
    return m_form->save();
}

bool invoerleden::bewaarlid()
{
    if (!bewaarinvoer())
        return false;
    return attempt(this, [&] { leden().refresh(); });
}

void invoerleden::afdrukken(const QString &report)
{
    if (!bewaarlid())
        return;
    if (const auto action = m_ctx.actions.value(report))
        action(this);
}

void invoerleden::sluitvenster()
{
    if (!bewaarlid())
        return;
    m_find->clear();
    m_filter->clear();
    close();
}

void invoerleden::onClose()
{
    if (!m_form)
        return;
    m_filter->clear();
    if (!leden().isOpen()) {
        m_filter->setFiltering(false);
        return;
    }
    keepPendingWhileUnfiltering();
}

// Switching the filter off would post a member being edited; closing the window without
// "Sluit venster" leaves that change pending instead, so it is set aside and taken up
// again on the same member once all members are shown.
void invoerleden::keepPendingWhileUnfiltering()
{
    m_form->writePending();
    const Table::State state = m_form->rowUnchanged() ? Table::State::Browse : leden().state();
    Table::Values pending;
    if (leden().isEditing())
        for (const FieldDef &f : leden().schema().fields)
            pending << leden().value(f.name);
    leden().cancel();
    m_filter->setFiltering(false);
    if (state != Table::State::Edit && state != Table::State::Insert)
        return;
    attempt(nullptr, [&] {
        state == Table::State::Insert ? leden().insert() : leden().edit();
        for (int i = 0; i < pending.size(); ++i)
            leden().setValue(leden().schema().fields[i].name, pending[i]);
    });
}

bool invoerleden::importFrom(const QString &path)
{
    if (!bewaarlid())
        return false;
    bool refused = false;
    const bool done = attempt(this, [&] {
        try {
            const ledenimport::Result result = ledenimport::importCsv(leden(), m_ctx.data->database1(), path);
            toonaantal();
            QString text = QStringLiteral("%1 leden ingelezen.").arg(result.added);
            if (!result.ignored.isEmpty())
                text += QStringLiteral("\nNiet ingelezen kolommen: %1.").arg(result.ignored.join(QStringLiteral(", ")));
            showNotice(this, QStringLiteral("Importeren"), text);
        } catch (const ledenimport::Refused &problems) {
            refused = true;
            showProblems(this, problems.intro(), problems.lines(), problems.total());
        }
    });
    return done && !refused;
}

bool invoerleden::exportTo(const QString &path)
{
    if (!bewaarlid())
        return false;
    return attempt(this, [&] {
        const int count = ledenimport::exportCsv(leden(), path);
        showNotice(this, QStringLiteral("Exporteren"), QStringLiteral("%1 leden geschreven naar %2.").arg(count).arg(path));
    });
}

} // namespace zelk
