#pragma once
// A label for a status bar panel that may hold a long text (a folder path): it asks for
// little room, and when the text does not fit it draws it shortened in the middle, so that
// the start and the end stay readable. text() is always the whole text.
#include <QLabel>

namespace zelk {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr) : QLabel(parent) { }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override; // the whole text, but never wider than 400 pixels
    // The text as it is drawn in the label's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
};

} // namespace zelk
