#include "jaarafsluit.h"

#include "jaarafsluiting.h"
#include "toolkit/datepicker.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/safetycopylabel.h"
#include "toolkit/verwerkt.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zelk {

jaarafsluit::jaarafsluit(AppContext &context)
    : TaskScreen(context, QStringLiteral("jaarafsluit"), QStringLiteral("Afsluiten boekjaar"), QStringLiteral("14. JAAR AFSLUITEN"))
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    auto *top = new QHBoxLayout;
    top->addWidget(closeButton());
    top->addStretch();
    top->addWidget(helpButton());
    layout->addLayout(top);

    auto *choose = new QLabel(QStringLiteral("Kies de afsluitdatum"), this);
    m_date = new DatePicker(this);
    m_date->setObjectName(QStringLiteral("datum"));
    choose->setBuddy(m_date);
    auto *dateColumn = new QVBoxLayout;
    dateColumn->addWidget(choose);
    dateColumn->addWidget(m_date);
    auto *dateRow = new QHBoxLayout;
    dateRow->addLayout(dateColumn);
    dateRow->addStretch();
    layout->addLayout(dateRow);

    for (const QString &line : {QStringLiteral("De gehele administratie wordt leeggemaakt."),
                                QStringLiteral("De financiele rekeningen worden opnieuw geboekt t.o.v. het eigen vermogen."),
                                QStringLiteral("Openstaande posten blijven bestaan."),
                                QStringLiteral("De contributie-overzichten worden één jaar doorgeschoven.")})
        layout->addWidget(new QLabel(line, this));

    layout->addSpacing(12);
    auto *warning = new QLabel(QStringLiteral("MAAK VOORDAT JE DEZE ACTIE KIEST, EEN BACKUP !"), this);
    warning->setObjectName(QStringLiteral("waarschuwing"));
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    warning->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(warning);
    layout->addSpacing(12);

    m_close = addButton(QStringLiteral("Jaarafsluiten"));
    m_close->setCursor(Qt::PointingHandCursor);
    m_close->setMinimumSize(160, 36);
    auto *action = new QHBoxLayout;
    action->addWidget(m_close);
    action->addStretch();
    layout->addLayout(action);

    m_copy = safetyCopyLabel(this);
    layout->addWidget(m_copy);
    layout->addStretch();

    connect(m_close, &QPushButton::clicked, this, [this] { jaarafsluiten(); });
    setMinimumWidth(560);
}

void jaarafsluit::onShow()
{
    // Over the main window it was opened from, not wherever the window manager puts it.
    if (const QWidget *menu = context().mainMenu)
        move(menu->frameGeometry().center() - rect().center());
}

void jaarafsluit::jaarafsluiten()
{
    attempt(this, [this] {
        const veiligheidskopie::Kopie kopie = zelk::jaarafsluiten(*context().data, m_date->date());
        m_copy->setText(
            QStringLiteral("De toestand van voor het afsluiten staat in de veiligheidskopie %1").arg(QDir::toNativeSeparators(kopie.pad)));
        if (context().notice)
            context().notice->showNotice();
    });
}

} // namespace zelk
