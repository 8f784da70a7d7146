#include "textlimit.h"

#include "store/fieldlength.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

namespace zelk {

namespace {
// Keeps the text within `size` characters. What the user typed or pasted last ends at the
// cursor; of that, only the part that fits is kept, so the text after the cursor stays.
class LengthValidator : public QValidator {
public:
    LengthValidator(int size, QLineEdit *edit) : QValidator(edit), m_size(size), m_edit(edit) { }

    State validate(QString &input, int &pos) const override
    {
        if (fieldlength::characters(input) <= m_size)
            return Acceptable;
        const qsizetype at = std::clamp<qsizetype>(pos, 0, input.size());
        const QString tail = input.mid(at);
        const int room = m_size - fieldlength::characters(tail);
        if (room >= 0) {
            const QString head = fieldlength::fitting(QStringView(input).left(at), room);
            input = head + tail;
            pos = static_cast<int>(head.size());
        } else {
            input = fieldlength::fitting(input, m_size);
            pos = static_cast<int>(std::min<qsizetype>(at, input.size()));
        }
        if (m_edit->hasFocus())
            QToolTip::showText(m_edit->mapToGlobal(QPoint(0, m_edit->height())), tooLongNotice(m_size), m_edit);
        return Acceptable;
    }

private:
    int m_size;
    QLineEdit *m_edit;
};
} // namespace

QString tooLongNotice(int size)
{
    return QStringLiteral("Hier passen ten hoogste %1 tekens.").arg(size);
}

void limitLength(QLineEdit *edit, int size)
{
    edit->setMaxLength(32767); // the validator counts; QLineEdit's own limit would split an emoji
    edit->setValidator(new LengthValidator(size, edit));
}

void limitToField(QLineEdit *edit, const FieldDef &field)
{
    if (field.type == FieldType::Text && field.size > 0)
        limitLength(edit, field.size);
}

void limitToField(QLineEdit *edit, const TableSchema &schema, QStringView field)
{
    const int index = schema.indexOf(field);
    Q_ASSERT(index >= 0);
    if (index >= 0)
        limitToField(edit, schema.fields[static_cast<size_t>(index)]);
}

} // namespace zelk
