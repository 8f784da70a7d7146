#include "elidedlabel.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace zelk {

QSize ElidedLabel::minimumSizeHint() const
{
    QSize size = QLabel::minimumSizeHint();
    const QMargins m = contentsMargins();
    size.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMM…")) + m.left() + m.right() + 2 * margin());
    return size;
}

QSize ElidedLabel::sizeHint() const
{
    QSize size = QLabel::sizeHint();
    size.setWidth(std::min(size.width(), 400));
    return size;
}

QRect ElidedLabel::textRect() const
{
    const int inset = margin() + std::max(indent(), 0);
    return contentsRect().adjusted(inset, margin(), -inset, -margin());
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, textRect().width());
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, textRect(), static_cast<int>(alignment()), palette(), isEnabled(), shownText(), foregroundRole());
}

} // namespace zelk
