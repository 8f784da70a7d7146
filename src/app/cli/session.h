#pragma once
// Opens the current administration for a command, as the main menu would. A command that
// changes something opens it as the writer (refused while another program writes); a
// reading command opens it as a reader and works beside a writer. A settings file that
// cannot be read is reported on stderr as a warning and defaults are used for it.
#include "command.h"
#include "databases.h"

#include <memory>

namespace zelk::cli {

std::unique_ptr<DataModule1> openSession(Io &io, DataModule1::Access access);

inline std::unique_ptr<DataModule1> openForWriting(Io &io)
{
    return openSession(io, DataModule1::Access::Write);
}
inline std::unique_ptr<DataModule1> openForReading(Io &io)
{
    return openSession(io, DataModule1::Access::Read);
}

} // namespace zelk::cli
