#pragma once
// Edit boxes bound to the fields of a table's current row. A box shows the field of the
// current row; what the user types is written into the row (which is put into editing)
// when the user leaves the box with Enter, Down or Up, and by writePending() before every
// save, so that a date that is not valid is refused while its text stays in the box.
// Enter or Down moves to the next box of the walk, Up to the previous one; Enter or Down
// in the last box reports lastConfirmed().
#include "store/table.h"

#include <QLineEdit>

namespace zelk {

class BoundEdit : public QLineEdit {
    Q_OBJECT
public:
    BoundEdit(Table &table, const QString &field, QWidget *parent = nullptr);
    const QString &field() const { return m_field; }
    bool isDirty() const { return m_dirty; }
    void markClean() { m_dirty = false; }
    void load(); // shows the field of the current row
    // Writes the typed text into the row being edited (nothing when the row is not being
    // edited); throws zelk::Error when refused.
    void write();

private:
    Table &m_table;
    QString m_field;
    bool m_dirty = false;
};

class BoundForm : public QObject {
    Q_OBJECT
public:
    explicit BoundForm(Table &table, QObject *parent = nullptr);

    Table &table() const { return m_table; }
    // Adds a box for `field`; boxes are walked in the order they are added.
    BoundEdit *add(const QString &field, QWidget *parent);
    BoundEdit *edit(const QString &field) const;
    const QList<BoundEdit *> &edits() const { return m_edits; }

    // Writes every changed box into the row; on a refused value shows the message, puts
    // the focus in that box and returns false.
    bool writePending();
    // writePending(), then posts a row being edited or inserted; a new row nothing was
    // typed into is dropped instead (no empty member). On an error (a name that exists
    // already) shows the message and returns false; the row stays in editing.
    bool save();
    // True while the row being edited holds what is stored (or, for a new row, nothing).
    bool rowUnchanged() const;
    // Shows the current row in every box again.
    void reload();

Q_SIGNALS:
    void lastConfirmed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reloadClean(); // only boxes the user has not changed
    void typed(BoundEdit *edit);
    void startEditing();
    void writeBox(BoundEdit *box);

    Table &m_table;
    QList<BoundEdit *> m_edits;
    bool m_starting = false;
};

} // namespace zelk
