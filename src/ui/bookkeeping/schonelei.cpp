#include "schonelei.h"

#include "schoneleimaken.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/safetycopylabel.h"
#include "toolkit/verwerkt.h"

#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zelk {

namespace {
// A raised panel behind a few lines of text.
QFrame *panel(QWidget *parent, const QStringList &lines, bool bold, const QColor &background)
{
    auto *frame = new QFrame(parent);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, background);
    frame->setPalette(palette);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    frame->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(16, 12, 16, 12);
    for (const QString &line : lines) {
        auto *label = new QLabel(line, frame);
        label->setWordWrap(true);
        if (bold) {
            QFont font = label->font();
            font.setBold(true);
            label->setFont(font);
        }
        layout->addWidget(label);
    }
    return frame;
}
} // namespace

schonelei::schonelei(AppContext &context)
    : TaskScreen(context, QStringLiteral("schonelei"), QStringLiteral("Met schone lei beginnen"), QStringLiteral("    SCHONE LEI"))
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(panel(this,
                            {QStringLiteral("Deze mogelijkheid zou eigenlijk NIET nodig moeten zijn."),
                             QStringLiteral("Om de één of andere reden is de administratie niet meer correct te krijgen."),
                             QStringLiteral("U krijgt bijvoorbeeld Nog te betalen of Nog te ontvangen niet leeg, terwijl dit wel zo zou "
                                            "moeten zijn.")},
                            false, QColor(255, 248, 220)));
    layout->addWidget(panel(this,
                            {QStringLiteral("Deze speciale rekeningen en alle andere rekeningen inclusief het journaal worden hier NUL "
                                            "gemaakt"),
                             QStringLiteral("De gehele administratie wordt dus leeg gemaakt."),
                             QStringLiteral("De ingevoerde gegevens van de leden blijven onaangetast!"),
                             QStringLiteral("Alle boekingen moeten opnieuw worden gedaan!")},
                            true, QColor(253, 232, 232)));

    m_copy = safetyCopyLabel(this);
    layout->addWidget(m_copy);

    m_run = addButton(QStringLiteral("Uitvoeren"));
    m_run->setCursor(Qt::PointingHandCursor);
    m_run->setMinimumSize(140, 32);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_run);
    buttons->addStretch();
    buttons->addWidget(helpButton());
    buttons->addWidget(closeButton());
    layout->addLayout(buttons);

    connect(m_run, &QPushButton::clicked, this, [this] { uitvoeren(); });
    setFixedSize(780, 400);
}

void schonelei::onShow()
{
    // Centred on the main window it was opened from.
    if (const QWidget *menu = context().mainMenu)
        move(menu->frameGeometry().center() - rect().center());
}

void schonelei::uitvoeren()
{
    if (!confirm(this, QStringLiteral("Alle rekeningen leeg maken?? Zeker weten?")))
        return;
    attempt(this, [this] {
        const veiligheidskopie::Kopie kopie = schoneLei(*context().data);
        m_copy->setText(
            QStringLiteral("De toestand van daarvoor staat in de veiligheidskopie %1").arg(QDir::toNativeSeparators(kopie.pad)));
        if (context().notice)
            context().notice->showNotice();
    });
}

} // namespace zelk
