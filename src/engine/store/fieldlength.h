#pragma once
// How long a text is for a text field of the tables. The store keeps Unicode text (UTF-8),
// so a field of n characters holds n Unicode characters: an accented letter or an emoji is
// one character, never half of one. A text longer than its field is refused, never cut:
// the screens stop the typing at the field's length and everything else (zelk-cli, imports)
// gets this refusal.
#include "tableschema.h"

#include <QString>

namespace zelk::fieldlength {

// The number of characters of `text` as the store counts them (a surrogate pair once).
int characters(QStringView text);
// The longest beginning of `text` of at most `size` characters that ends between two
// characters as the reader sees them: a letter with its accents, or an emoji with its
// skin tone or its joined parts, is kept whole or left out whole.
QString fitting(QStringView text, int size);
// Throws zelk::Error, naming the field and its length, when `text` is too long for the
// text field `field`, or holds half a character (which the store could not keep).
void check(const FieldDef &field, const QString &text);

} // namespace zelk::fieldlength
