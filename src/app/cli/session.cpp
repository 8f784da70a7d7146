#include "session.h"

#include <QTextStream>

namespace zelk::cli {

std::unique_ptr<DataModule1> openSession()
{
    auto data = std::make_unique<DataModule1>();
    data->connectDatabase();
    // Another administration than the alias names is opened: say so before anything else.
    if (const QString notice = data->takeNotice(); !notice.isEmpty())
        QTextStream(stderr) << "Let op: " << notice << "\n";
    data->openForUse();
    return data;
}

} // namespace zelk::cli
