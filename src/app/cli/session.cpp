#include "session.h"

namespace zelk::cli {

std::unique_ptr<DataModule1> openSession(Io &io, DataModule1::Access access)
{
    auto data = std::make_unique<DataModule1>();
    data->setAccess(access);
    try {
        data->openForUse();
    } catch (const SettingsError &e) {
        io.err << "Waarschuwing: " << e.message() << "\n";
        io.err.flush();
    }
    return data;
}

} // namespace zelk::cli
