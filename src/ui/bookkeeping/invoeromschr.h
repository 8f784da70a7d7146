#pragma once
// "Invoer omschrijvingen": the user's own names for the 34 nameable accounts of the chart.
// Each line shows the account's standard name beside an edit with its current name; the
// arrow button puts the standard names back into the edits. "Sluit venster" (and
// "Afdrukken") store the edits; closing with the close box does not.
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"

#include <QMap>

class QLineEdit;
class QToolButton;

namespace zelk {

class HoverButton;

class invoeromschr : public TaskScreen {
    Q_OBJECT
public:
    explicit invoeromschr(AppContext &context);

    // The positions with an edit, in the screen's walking order (left block, right block).
    static const QList<int> &walkOrder();

    void toonrekeningen();
    // Writes the 34 edits as the names of their positions, all or nothing; false (after
    // showing the error) when they could not be stored.
    bool bewaarrekeningen();
    // The arrow button: asks, then copies the standard names into the edits.
    void restoreStandardNames();

    QLineEdit *edit(int position) const { return m_edits.value(position); }
    QLineEdit *standardBox(int position) const { return m_standard.value(position); }
    QToolButton *restoreButton() const { return m_restore; }
    HoverButton *printButton() const { return m_print; }

protected:
    void onShow() override;
    // Stores the names first; names that cannot be stored keep the screen open.
    void sluitvenster() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildBlock(const QList<QList<int>> &groups, const QList<QColor> &colours);
    void print();

    AppContext &m_ctx;
    QMap<int, QLineEdit *> m_edits;
    QMap<int, QLineEdit *> m_standard;
    QToolButton *m_restore;
    HoverButton *m_print;
};

} // namespace zelk
