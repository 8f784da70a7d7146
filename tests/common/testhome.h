#pragma once
// A fresh, empty ZELK_HOME for one test: every administration starts from nothing.
#include <QString>
#include <QTemporaryDir>

namespace zelk::test {

class TestHome {
public:
    TestHome();
    ~TestHome();
    QString path() const { return m_dir.path(); }
    QString administration(int item = 0) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

// Saves a picture of `widget` as <name>.png in $ZELK_SCREENSHOTS, when that is set, so
// that the screens can be looked at after a test run.
void saveScreenshot(class QWidget *widget, const QString &name);

} // namespace zelk::test
