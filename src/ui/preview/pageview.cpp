#include "pageview.h"

#include "report/reportpainter.h"

#include <QPainter>

namespace zelk {

namespace {
constexpr int Border = 8; // grey border around the paper, in pixels
}

PageView::PageView(std::shared_ptr<ReportDocument> document, QWidget *parent) : QWidget(parent), m_document(std::move(document))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("bladweergave"));
}

double PageView::naturalPixelsPerMm() const
{
    return logicalDpiX() / 25.4;
}

void PageView::setPage(int index)
{
    if (index == m_page)
        return;
    m_page = index;
    m_picture = QImage();
    update();
}

void PageView::setPixelsPerMm(double pixelsPerMm)
{
    if (qFuzzyCompare(pixelsPerMm, m_pixelsPerMm))
        return;
    m_pixelsPerMm = pixelsPerMm;
    m_picture = QImage();
    setFixedSize(sizeHint());
    update();
}

QSize PageView::sizeHint() const
{
    const QSizeF paper = m_document->pageSetup().paperSize() * m_pixelsPerMm;
    return QSize(qCeil(paper.width()) + 2 * Border, qCeil(paper.height()) + 2 * Border);
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    if (!m_document->isReady(m_page) || m_page >= m_document->pagesReady()) // the window lays pages out; painting never does
        return;
    if (m_picture.isNull()) {
        const double ratio = devicePixelRatioF();
        m_picture = renderReportPage(*m_document, m_document->page(m_page), m_pixelsPerMm * ratio);
        m_picture.setDevicePixelRatio(ratio);
    }
    painter.fillRect(QRect(Border + 3, Border + 3, width() - 2 * Border, height() - 2 * Border), QColor(70, 70, 70));
    painter.drawImage(QPoint(Border, Border), m_picture);
}

} // namespace zelk
