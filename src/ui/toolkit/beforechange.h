#pragma once
#include <functional>

namespace zelk {

// Runs before a data-aware control moves a table's cursor or changes its rows; false
// stops the change. A screen uses it to write and save the row being edited first.
using BeforeChange = std::function<bool()>;

} // namespace zelk
