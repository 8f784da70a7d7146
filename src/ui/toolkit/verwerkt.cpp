#include "verwerkt.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace zelk {

verwerkt::verwerkt(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("verwerkt"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_label = new QLabel(QStringLiteral("Gegevens verwerkt in de administratie"), this);
    QFont font = m_label->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 4);
    m_label->setFont(font);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setMargin(18);
    m_label->setStyleSheet(QStringLiteral("QLabel { color: yellow; background-color: #006400; }"));
    m_label->setMouseTracking(true);
    m_label->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    m_timer.setSingleShot(true);
    m_timer.setInterval(shownMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
}

void verwerkt::showNotice()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    m_timer.start();
}

bool verwerkt::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label && (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)) {
        m_timer.stop();
        hide();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelk
