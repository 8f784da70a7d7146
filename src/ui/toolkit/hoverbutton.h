#pragma once
// A push button whose caption turns red under the mouse and returns to its rest colour
// when the mouse moves over the surrounding group or window (see HoverReset). Return
// presses it while it has the focus, as Space does.
#include <QColor>
#include <QPushButton>

namespace zelk {

class HoverButton : public QPushButton {
    Q_OBJECT
public:
    explicit HoverButton(const QString &caption, QWidget *parent = nullptr, QColor restColour = Qt::black, bool highlights = true);

    QColor restColour() const { return m_rest; }
    QColor captionColour() const;
    void resetColour();
    void setHighlights(bool on) { m_highlights = on; }

protected:
    void enterEvent(QEnterEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setCaptionColour(const QColor &colour);
    QColor m_rest;
    bool m_highlights;
};

// Resets the caption colour of the given buttons whenever the mouse moves over `area`
// (a group box or a window background), as the captions only go back when the mouse
// reaches their surroundings.
void resetHoverOnMouseMove(QWidget *area, QList<HoverButton *> buttons);

} // namespace zelk
