#pragma once
// Opens the current administration for a command, as the main menu would.
#include "databases.h"

#include <memory>

namespace zelk::cli {

std::unique_ptr<DataModule1> openSession();

} // namespace zelk::cli
