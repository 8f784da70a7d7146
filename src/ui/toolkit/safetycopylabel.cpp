#include "safetycopylabel.h"

namespace zelk {

QLabel *safetyCopyLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("veiligheidskopie"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setStyleSheet(QStringLiteral("color: #404040;"));
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * 2 + 4);
    return label;
}

} // namespace zelk
