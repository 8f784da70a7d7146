#include "reportsettings.h"

#include "databases.h"

namespace zelk {

FrameSettings frameSettings(const DataModule1 &data)
{
    const Settings &s = data.settings;
    return FrameSettings{s.printLogo, s.logoLinks, s.logoRechts, s.logoPad, s.verenigingsnaam};
}

FrameSettingsSource frameSettingsOf(const DataModule1 &data)
{
    return [&data] { return frameSettings(data); };
}

} // namespace zelk
