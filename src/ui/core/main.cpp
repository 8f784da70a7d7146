#include "main.h"

#include "databases.h"
#include "shippedfiles.h"
#include "toolkit/elidedlabel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/taskscreen.h"
#include "zelkerror.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelk {

namespace {
const QColor darkGreen(0, 100, 0);
const QColor darkRed(139, 0, 0);
} // namespace

main::main(AppContext &context) : m_ctx(context)
{
    setObjectName(QStringLiteral("main"));
    setWindowTitle(captionFor({}));
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("achtergrond"));
    setCentralWidget(central);

    auto *banner = new QLabel(central);
    banner->setPixmap(QPixmap(shippedfiles::defaultLogo()).scaledToHeight(90, Qt::SmoothTransformation));
    banner->setAlignment(Qt::AlignCenter);

    auto *groups = new QGridLayout;
    groups->addWidget(buildGroup(QStringLiteral(" Opzetten administratie "),
                                 {{QStringLiteral("Invoer leden"), QStringLiteral("invoerleden"), Qt::black},
                                  {QStringLiteral("Omschrijvingen"), QStringLiteral("invoeromschr"), Qt::black},
                                  {QStringLiteral("Start balans"), QStringLiteral("invoerstartbalans"), Qt::black},
                                  {QStringLiteral("Schone Lei"), QStringLiteral("schonelei"), Qt::black}}),
                      0, 0);
    groups->addWidget(buildGroup(QStringLiteral(" Verwerken "),
                                 {{QStringLiteral("Contributies"), QStringLiteral("invoercontri"), darkGreen},
                                  {QStringLiteral("Inkomsten"), QStringLiteral("invoeroverin"), darkGreen},
                                  {QStringLiteral("Uitgaven"), QStringLiteral("invoeruitgaven"), darkRed},
                                  {QStringLiteral("Kruisposten"), QStringLiteral("kruisposten"), Qt::black},
                                  {QStringLiteral("Nog te ontvangen"), QStringLiteral("Teontvangen"), darkGreen},
                                  {QStringLiteral("Nog te betalen"), QStringLiteral("Tebetalen"), darkRed}}),
                      0, 1);
    groups->addWidget(buildGroup(QStringLiteral(" Overzichten "),
                                 {{QStringLiteral("Balans"), QStringLiteral("printbalans"), Qt::black},
                                  {QStringLiteral("Mutaties"), QStringLiteral("mutaties"), Qt::black},
                                  {QStringLiteral("Te betalen"), QStringLiteral("over_tebetalen"), Qt::black},
                                  {QStringLiteral("Te ontvangen"), QStringLiteral("over_teontvangen"), Qt::black},
                                  {QStringLiteral("Grafiek"), QStringLiteral("report1"), Qt::black, false},
                                  {QStringLiteral("Rek. overzicht"), QStringLiteral("rekoverzicht"), Qt::black}}),
                      1, 0);
    groups->addWidget(buildGroup(QStringLiteral(" Opties "),
                                 {{QStringLiteral("Jaar afsluiten"), QStringLiteral("jaarafsluit"), Qt::black},
                                  {QStringLiteral("Backup"), QStringLiteral("backuppen"), Qt::black},
                                  {QStringLiteral("Restore"), QStringLiteral("restore"), Qt::black},
                                  {QStringLiteral("Mailing"), QStringLiteral("stanbrief"), Qt::black},
                                  {QStringLiteral("Instellingen"), QStringLiteral("instellingen"), Qt::black},
                                  {QStringLiteral("Begroting"), QStringLiteral("invoerbegroot"), Qt::black}}),
                      1, 1);

    auto *stop = new HoverButton(QStringLiteral("Stop programma"), central);
    auto *help = new HoverButton(QStringLiteral("Help"), central);
    auto *helpPicture = new QToolButton(central);
    helpPicture->setObjectName(QStringLiteral("helpplaatje"));
    m_helpPicture = helpPicture;
    helpPicture->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    helpPicture->setIconSize(QSize(32, 32));
    helpPicture->setAutoRaise(true);
    helpPicture->setToolTip(QStringLiteral("Uitleg over het programma"));
    m_buttons << stop << help;
    connect(stop, &QPushButton::clicked, this, &QWidget::close);
    connect(help, &QPushButton::clicked, this, guarded(this, [this] { openHelp(); }));
    connect(helpPicture, &QToolButton::clicked, this, guarded(this, [this] { openHelp(); }));
    resetHoverOnMouseMove(central, {stop, help});

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(stop);
    bottom->addStretch();
    bottom->addWidget(help);
    bottom->addWidget(helpPicture);

    auto *layout = new QVBoxLayout(central);
    layout->addWidget(banner);
    layout->addLayout(groups);
    layout->addLayout(bottom);
    buildStatusBar();
    enableAvailableButtons();
    setMinimumWidth(720);

    // Tab goes down the groups in reading order, then "Stop programma" and "Help".
    QList<QWidget *> order;
    for (HoverButton *b : std::as_const(m_buttons))
        if (m_units.contains(b))
            order << b;
    order << stop << help << helpPicture;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QWidget *main::firstButton() const
{
    for (HoverButton *b : m_buttons)
        if (m_units.contains(b) && b->isEnabled())
            return b;
    return nullptr;
}

QString main::captionFor(const QString &verenigingsnaam)
{
    return verenigingsnaam.isEmpty() ? QStringLiteral("Contributieprogramma")
                                     : QStringLiteral("Vereniging administratie van ") + verenigingsnaam;
}

QWidget *main::buildGroup(const QString &title, const QList<Entry> &entries)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    qsizetype width = 0;
    for (const Entry &e : entries)
        width = std::max(width, e.caption.size() + 1);
    QList<HoverButton *> groupButtons;
    for (const Entry &e : entries) {
        // Captions are padded with blanks so that they line up in their column.
        QString padded = e.caption == QLatin1String("Rek. overzicht") ? u' ' + e.caption : e.caption;
        padded = padded.leftJustified(width, u' ');
        auto *button = new HoverButton(padded, box, e.rest, e.highlights);
        button->setObjectName(e.unit);
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 12px;"));
        connect(button, &QPushButton::clicked, this, guarded(this, [this, unit = e.unit] { activate(unit); }));
        layout->addWidget(button);
        groupButtons << button;
        m_units.insert(button, e.unit);
    }
    layout->addStretch();
    resetHoverOnMouseMove(box, groupButtons);
    m_buttons << groupButtons;
    return box;
}

void main::buildStatusBar()
{
    auto panel = [this](const QString &text, Qt::Alignment align, int stretch, bool elided = false) {
        QLabel *label = elided ? new ElidedLabel(this) : new QLabel(this); // a long working folder is shortened
        label->setText(text);
        label->setObjectName(QStringLiteral("panel%1").arg(m_panels.size() + 1));
        label->setAlignment(align | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
        statusBar()->addWidget(label, stretch);
        m_panels << label;
    };
    panel(QStringLiteral("  Werkmap:"), Qt::AlignRight, 0);
    panel(QString(), Qt::AlignLeft, 3, true);
    panel(QStringLiteral("Laatste boekstuknummer:"), Qt::AlignRight, 0);
    panel(QStringLiteral("0"), Qt::AlignRight, 1);
    panel(QStringLiteral("Versie 1.2.8"), Qt::AlignCenter, 1);
    statusBar()->setSizeGripEnabled(false);
}

HoverButton *main::button(const QString &caption) const
{
    for (HoverButton *b : m_buttons)
        if (b->text().trimmed() == caption)
            return b;
    return nullptr;
}

void main::enableAvailableButtons()
{
    const bool helpAvailable = static_cast<bool>(m_ctx.openHelp);
    button(QStringLiteral("Help"))->setEnabled(helpAvailable);
    m_helpPicture->setEnabled(helpAvailable);
    for (auto it = m_units.cbegin(); it != m_units.cend(); ++it)
        it.key()->setEnabled(m_ctx.screen(it.value()) != nullptr || m_ctx.actions.contains(it.value()));
}

void main::resetCaptions()
{
    for (HoverButton *b : std::as_const(m_buttons))
        b->resetColour();
}

void main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    const bool first = !event->spontaneous() && !m_shownBefore;
    m_shownBefore = m_shownBefore || first;
    if (!event->spontaneous())
        setAttribute(Qt::WA_KeyboardFocusChange); // the focused button shows, also on return
    runShowSteps();
    if (first) {
        // The program starts on the first task, centred on the screen; never on "Stop
        // programma", which a Space or Return right after the start would press. The
        // status bar has its working folder by now, which may widen the window.
        if (QWidget *button = firstButton())
            button->setFocus(Qt::TabFocusReason);
        adjustSize();
        placeCentred(this, screen());
    }
}

void main::keyPressEvent(QKeyEvent *event)
{
    // Return presses the focused button (the menu's own buttons take it themselves).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
        if (auto *b = qobject_cast<QAbstractButton *>(focusWidget()); b && b->isEnabled() && !b->isCheckable()) {
            b->click();
            return;
        }
    QMainWindow::keyPressEvent(event);
}

void main::runShowSteps()
{
    resetCaptions();
    DataModule1 *data = m_ctx.data;
    if (!data)
        return;
    try {
        data->openTables({&data->ledentabel, &data->rekeningtabel});
        statusPanel(2)->setText(data->werkmap());
        statusPanel(2)->setToolTip(data->werkmap());
        if (const QString notice = data->takeNotice(); !notice.isEmpty())
            showWarning(this, notice); // another administration than the chosen one is open
        try {
            data->readSettings();
        } catch (const Error &e) {
            showError(this, e.message()); // the other settings are read; go on with defaults
        }
        setWindowTitle(captionFor(data->settings.verenigingsnaam));
        data->completeChart();
        data->openTables({&data->journaaltabel, &data->ontvangentabel, &data->betalentabel, &data->hulpT, &data->mailtjestabel});
        statusPanel(4)->setText(QString::number(data->lastJournalNumber()));
    } catch (const Error &e) {
        showError(this, e.message());
    }
}

void main::activate(const QString &unit)
{
    if (const auto action = m_ctx.actions.value(unit)) {
        action(this);
        return;
    }
    if (auto *screen = qobject_cast<TaskScreen *>(m_ctx.screen(unit)))
        screen->openFrom(this);
}

void main::openHelp()
{
    if (m_ctx.openHelp)
        m_ctx.openHelp(this, QString());
}

void main::closeEvent(QCloseEvent *event)
{
    if (m_ctx.data) {
        try {
            m_ctx.data->closeAll();
        } catch (const Error &e) {
            showError(this, e.message());
        }
    }
    QMainWindow::closeEvent(event);
}

} // namespace zelk
