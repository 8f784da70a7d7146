#include "session.h"

namespace zelk::cli {

std::unique_ptr<DataModule1> openSession(Io &io, DataModule1::Access access)
{
    auto data = std::make_unique<DataModule1>();
    data->setAccess(access);
    data->connectDatabase();
    // Another administration than the alias names is opened: say so before anything else.
    if (const QString notice = data->takeNotice(); !notice.isEmpty())
        io.err << "Let op: " << notice << "\n";
    try {
        data->openForUse();
    } catch (const SettingsError &e) {
        io.err << "Waarschuwing: " << e.message() << "\n";
    }
    io.err.flush();
    return data;
}

} // namespace zelk::cli
