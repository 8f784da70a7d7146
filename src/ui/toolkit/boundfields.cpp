#include "boundfields.h"

#include "messages.h"
#include "textlimit.h"
#include "zelkerror.h"

#include <QKeyEvent>

namespace zelk {

BoundEdit::BoundEdit(Table &table, const QString &field, QWidget *parent) : QLineEdit(parent), m_table(table), m_field(field)
{
    setObjectName(field);
    limitToField(this, table.schema().fields[table.fieldIndex(field)]);
    connect(this, &QLineEdit::textEdited, this, [this] { m_dirty = true; });
}

void BoundEdit::load()
{
    setText(m_table.isOpen() ? m_table.text(m_field) : QString());
    setCursorPosition(0);
    m_dirty = false;
}

void BoundEdit::write()
{
    if (!m_dirty || !m_table.isEditing())
        return;
    m_table.setValue(m_field, text());
    m_dirty = false;
}

BoundForm::BoundForm(Table &table, QObject *parent) : QObject(parent), m_table(table)
{
    connect(&table, &Table::currentChanged, this, &BoundForm::reload);
    connect(&table, &Table::rowsReset, this, &BoundForm::reloadClean);
    connect(&table, &Table::stateChanged, this, [this](Table::State state) {
        if (state == Table::State::Edit)
            reloadClean();
        else
            reload();
    });
}

BoundEdit *BoundForm::add(const QString &field, QWidget *parent)
{
    auto *box = new BoundEdit(m_table, field, parent);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, [this, box] { typed(box); });
    m_edits << box;
    box->load();
    return box;
}

BoundEdit *BoundForm::edit(const QString &field) const
{
    for (BoundEdit *e : m_edits)
        if (e->field().compare(field, Qt::CaseInsensitive) == 0)
            return e;
    return nullptr;
}

void BoundForm::startEditing()
{
    // The boxes the user changed keep their text while the others show the row again.
    if (!m_table.isOpen() || m_table.isEditing())
        return;
    m_starting = true;
    try {
        m_table.edit();
    } catch (...) {
        m_starting = false;
        throw;
    }
    m_starting = false;
}

void BoundForm::writeBox(BoundEdit *box)
{
    if (!box->isDirty())
        return;
    startEditing();
    box->write();
}

bool BoundForm::rowUnchanged() const
{
    const auto &fields = m_table.schema().fields;
    const bool inserting = m_table.state() == Table::State::Insert;
    if (!inserting && m_table.currentRow() < 0)
        return false;
    for (size_t i = 0; i < fields.size(); ++i) {
        const QVariant now = m_table.value(fields[i].name);
        if (inserting ? !now.toString().isEmpty() || now.typeId() == QMetaType::Bool
                      : now != m_table.rowValues(m_table.currentRow()).value(static_cast<int>(i)))
            return false;
    }
    return true;
}

void BoundForm::typed(BoundEdit *box)
{
    // The first keystroke puts the row into editing, as a bound control does.
    try {
        startEditing();
    } catch (const Error &e) {
        showError(box->window(), e.message());
    }
}

void BoundForm::reload()
{
    if (m_starting) {
        reloadClean();
        return;
    }
    for (BoundEdit *e : m_edits)
        e->load();
}

void BoundForm::reloadClean()
{
    for (BoundEdit *e : m_edits)
        if (!e->isDirty())
            e->load();
}

bool BoundForm::writePending()
{
    for (BoundEdit *e : m_edits) {
        try {
            writeBox(e);
        } catch (const Error &error) {
            e->setFocus();
            showError(e->window(), error.message());
            return false;
        }
    }
    return true;
}

bool BoundForm::save()
{
    if (!m_table.isOpen() || !writePending())
        return false;
    try {
        // A row the user started but typed nothing into is dropped rather than stored as
        // an empty member.
        if (m_table.isEditing() && rowUnchanged())
            m_table.cancel();
        else if (m_table.isEditing())
            m_table.post();
    } catch (const Error &error) {
        showError(m_edits.value(0) ? m_edits.value(0)->window() : nullptr, error.message());
        return false;
    }
    return true;
}

bool BoundForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *box = qobject_cast<BoundEdit *>(watched);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool forward = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
    if (!box || (!forward && key != Qt::Key_Up))
        return false;
    const int at = static_cast<int>(m_edits.indexOf(box));
    if (key == Qt::Key_Up && at == 0)
        return true;
    try {
        writeBox(box);
    } catch (const Error &error) {
        showError(box->window(), error.message());
        return true; // the box keeps its text and the focus
    }
    if (!forward)
        m_edits[at - 1]->setFocus();
    else if (at + 1 < m_edits.size())
        m_edits[at + 1]->setFocus();
    else
        Q_EMIT lastConfirmed();
    return true;
}

} // namespace zelk
