#include "session.h"

namespace zelk::cli {

std::unique_ptr<DataModule1> openSession()
{
    auto data = std::make_unique<DataModule1>();
    data->openForUse();
    return data;
}

} // namespace zelk::cli
