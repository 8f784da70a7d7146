#pragma once
// The member merge of letters and e-mails: twelve placeholders ("<naam>" … "<bank>") that
// a standard letter holds where member data belongs, each filled from one field of the
// member. The merge changes the document it is given; callers merge into a copy of the
// letter, so the letter itself keeps its placeholders.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <functional>
#include <vector>

class QTextDocument;

namespace zelk {

struct Placeholder {
    QString code;      // "<naam>", as the editors show it
    QStringView field; // the member field that fills it (store/velden.h)
};

// The twelve placeholders in the order the merge replaces them.
const std::vector<Placeholder> &placeholders();

// Replaces every occurrence of `placeholder` in `doc`, found in its plain text ignoring
// case and formatting, by `value`, which takes the character format of the occurrence's
// first character. The search goes on after each inserted value, so a value that holds
// the placeholder itself is inserted once. Returns the number of replacements.
int vindtekst(QTextDocument &doc, const QString &placeholder, const QString &value);

// The text a member field gives its placeholder: a date as dd-MM-yyyy, empty when blank;
// anything else as it is stored (the dues amount is free text and stays as typed).
QString placeholderText(const QVariant &value);

// The member's values for the twelve placeholders, in their order; `field` reads one
// field of the member by name.
QStringList memberValues(const std::function<QVariant(QStringView field)> &field);

// Merges one member into `doc`: vindtekst for every placeholder in order, with the
// member's value (memberValues). A value holding a later placeholder gets that one
// replaced too, as the later placeholder's turn comes.
void mergeMember(QTextDocument &doc, const QStringList &values);

} // namespace zelk
