#pragma once
// Text entries stop at the length of the table field their text is stored in, while the
// user types or pastes: characters are counted as the store counts them
// (store/fieldlength.h), a character is never split (an emoji that no longer fits is
// left out whole), and what did not fit is named in a short notice beside the entry.
// Used instead of QLineEdit::setMaxLength, which counts UTF-16 units and can split an emoji.
#include "store/tableschema.h"

class QLineEdit;

namespace zelk {

// Limits `edit` to `size` characters.
void limitLength(QLineEdit *edit, int size);
// Limits `edit` to the length of a text field of the table layout.
void limitToField(QLineEdit *edit, const FieldDef &field);
void limitToField(QLineEdit *edit, const TableSchema &schema, QStringView field);

// The notice shown when typed or pasted text did not fit, e.g. "Hier passen ten hoogste 40 tekens."
QString tooLongNotice(int size);

} // namespace zelk
