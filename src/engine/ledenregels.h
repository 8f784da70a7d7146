#pragma once
// What a member's fields may hold, in one place: the member screen checks a member with it
// before saving, the CSV import (and so zelk-cli) checks every row with it.
//
// - Texts are stored without surrounding blanks; a line break inside a remark is kept as one
//   '\n'. A control character (a NUL byte, a tab, …) is refused, in the name a line break too.
// - A member has a name: an empty name, or one of blanks only, is refused.
// - A birth date is written day-month-year as the screen shows it (31-12-1980), also 1-2-1980,
//   31/12/1980 or 1/2/1980, or year-month-day (1980-12-31). The year has four digits: "1-2-68"
//   is refused rather than read as the year 68.
// Every refusal is a zelk::Error with a Dutch sentence that names the field and the value.
#include <QDate>
#include <QString>

namespace zelk {

struct FieldDef;
class Table;

namespace ledenregels {

// The accepted ways of writing a birth date, for messages and the manual:
// "dd-mm-jjjj (ook d-m-jjjj, dd/mm/jjjj of jjjj-mm-dd)".
QString datumvormen();

// Reads a birth date in one of the accepted ways; an empty text (or blanks) gives an
// invalid QDate, meaning "no date". Throws zelk::Error for anything else.
QDate geboortedatum(const QString &text);

// A text as the member field `field` stores it: surrounding blanks removed, CR LF and CR as
// '\n'. Throws zelk::Error for a control character or a line break in the name, and for a
// text longer than the field.
QString tekst(const FieldDef &field, const QString &text);

// Checks the member being edited or inserted in the member table `leden` and stores its
// texts cleaned by tekst(): throws zelk::Error when a text is refused, when the name is
// empty or when the birth date lies before the year 1000 (a year typed with two digits).
// The cleaned texts stay in the row even when the name is then refused. Nothing happens
// when no member is being edited.
void keur(Table &leden);

// The message for an empty name.
QString naamOntbreekt();

} // namespace ledenregels
} // namespace zelk
