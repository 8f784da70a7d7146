#pragma once
// A fresh, empty ZELK_HOME for one test: every administration starts from nothing.
#include <QString>
#include <QStringList>
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

// The files under `folder` (hidden ones and subfolders included) that hold `text`, in
// UTF-8 or UTF-16: where a password must never be found.
QStringList filesHolding(const QString &folder, const QString &text);

} // namespace zelk::test
