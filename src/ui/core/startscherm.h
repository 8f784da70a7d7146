#pragma once
// The splash window shown while the program creates its screens: a picture and a
// progress gauge from 0 to 38.
#include <QProgressBar>
#include <QWidget>

namespace zelk {

class startscherm : public QWidget {
    Q_OBJECT
public:
    static constexpr int maximum = 38;
    startscherm();
    void advance(int steps); // never beyond the maximum
    int position() const { return m_gauge->value(); }

private:
    QProgressBar *m_gauge;
};

} // namespace zelk
