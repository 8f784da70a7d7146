#pragma once
// The program's message boxes: the standard error box and the Yes/No question
// captioned "Bevestiging" with No as the default button.
#include <QString>

class QWidget;

namespace zelk {

// Shows `message` in the error box without waiting for it to be closed, so that a
// failing step never blocks the steps around it.
void showError(QWidget *parent, const QString &message);

// Shows a warning ("Let op") the same way: the program goes on, the treasurer is told.
void showWarning(QWidget *parent, const QString &message);

// Asks a Yes/No question; true for Yes. No is the default button.
bool confirm(QWidget *parent, const QString &question);

} // namespace zelk
