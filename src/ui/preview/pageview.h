#pragma once
// Shows one page of a laid-out report at a zoom. Only the page on show is painted, and
// its picture is kept until the page or the zoom changes, so scrolling costs nothing.
#include "report/reportdocument.h"

#include <QImage>
#include <QWidget>
#include <memory>

namespace zelk {

class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(std::shared_ptr<ReportDocument> document, QWidget *parent = nullptr);

    void setPage(int index);
    int page() const { return m_page; }
    void setPixelsPerMm(double pixelsPerMm);
    double pixelsPerMm() const { return m_pixelsPerMm; }
    // Screen pixels per millimetre at 100 %.
    double naturalPixelsPerMm() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::shared_ptr<ReportDocument> m_document;
    int m_page = 0;
    double m_pixelsPerMm = 3.0;
    QImage m_picture;
};

} // namespace zelk
