#pragma once
// The program's message boxes: the standard error box and the Yes/No question
// captioned "Bevestiging" with No as the default button; and the guard through which
// Qt calls a screen's actions, so that an error a screen does not handle itself ends
// in the error box.
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

class QWidget;

namespace zelk {

// Shows `message` in the error box without waiting for it to be closed, so that a
// failing step never blocks the steps around it. A message of many lines is shown as
// showProblems() shows a list: its first line and the first lines after it, the whole
// message under "Details".
void showError(QWidget *parent, const QString &message);

// The most problems an error box lists in its text; the rest are counted.
inline constexpr int problemsShown = 20;

// Shows a list of problems in the error box, the same way: `intro`, then the first
// problemsShown problems and, when there are more, how many more; the whole list in the
// box's details area, which scrolls (at most the first 10,000). `total` is the number of
// problems when `problems` holds only the first of them (the rest were counted, not kept).
void showProblems(QWidget *parent, const QString &intro, const QStringList &problems, int total = -1);

// The one way a screen reports a failure: runs `action`; when it throws (zelk::Error or
// any other exception), shows the message in the error box and returns false. What the
// action did before it failed is its own business: engine actions undo themselves.
bool attempt(QWidget *parent, const std::function<void()> &action);

// Shows a warning ("Let op") the same way: the program goes on, the treasurer is told.
void showWarning(QWidget *parent, const QString &message);

// Asks a Yes/No question; true for Yes. No is the default button.
bool confirm(QWidget *parent, const QString &question);

// The error box text for an error: a zelk::Error's own message, any other error as
// "Onverwachte fout: " and its description.
QString errorText(const std::exception &error);

// Runs `action`, a step that Qt calls in a screen (a slot, an event handler). An error
// it throws is shown in the error box over `where` and ends the action at the failing
// step; steps already done stay done. The error never travels on into Qt: Qt's own code
// is built without exception support and would skip its clean-up on the way (losing the
// event it was delivering, leaving its bookkeeping half updated).
void runGuarded(QWidget *where, const std::function<void()> &action);

// `action` wrapped for QObject::connect:
//     connect(button, &QPushButton::clicked, this, guarded(this, [this] { activate(unit); }));
template <typename Action> auto guarded(QWidget *where, Action action)
{
    return [where, action = std::move(action)] { runGuarded(where, action); };
}

} // namespace zelk
