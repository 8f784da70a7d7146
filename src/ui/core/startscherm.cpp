#include "startscherm.h"

#include "shippedfiles.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zelk {

startscherm::startscherm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("startscherm"));
    auto *picture = new QLabel(this);
    picture->setPixmap(QPixmap(shippedfiles::defaultLogo()));
    picture->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(QStringLiteral("Contributieprogramma wordt gestart…"), this);
    title->setAlignment(Qt::AlignCenter);
    m_gauge = new QProgressBar(this);
    m_gauge->setRange(0, maximum);
    m_gauge->setValue(0);
    m_gauge->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(m_gauge);
    setStyleSheet(QStringLiteral("startscherm { background: white; border: 1px solid #1e468c; }"));
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void startscherm::advance(int steps)
{
    m_gauge->setValue(std::min(maximum, m_gauge->value() + steps));
    m_gauge->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zelk
