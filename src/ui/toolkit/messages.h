#pragma once
// The program's message boxes: the standard error box and the Yes/No question
// captioned "Bevestiging" with No as the default button.
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace zelk {

// Shows `message` in the error box without waiting for it to be closed, so that a
// failing step never blocks the steps around it.
void showError(QWidget *parent, const QString &message);

// The one way a screen reports a failure: runs `action`; when it throws (zelk::Error or
// any other exception), shows the message in the error box and returns false. What the
// action did before it failed is its own business: engine actions undo themselves.
bool attempt(QWidget *parent, const std::function<void()> &action);
// The message of a failure, as the user reads it.
QString messageOf(const std::exception &failure);

// Shows a warning ("Let op") the same way: the program goes on, the treasurer is told.
void showWarning(QWidget *parent, const QString &message);

// Asks a Yes/No question; true for Yes. No is the default button.
bool confirm(QWidget *parent, const QString &question);

} // namespace zelk
