#pragma once
// The line under a screen's action that says where the safety copy of the state before it
// went: selectable (so the path can be copied), wrapped, and with its two lines reserved from
// the start so the screen does not jump when it fills.
#include <QLabel>

namespace zelk {

QLabel *safetyCopyLabel(QWidget *parent);

} // namespace zelk
