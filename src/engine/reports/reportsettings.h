#pragma once
// Where the report frame of the running program reads its inputs: the logo switches,
// the logo path and the association name as the data module last read them.
#include "report/reportframe.h"

namespace zelk {

class DataModule1;

FrameSettings frameSettings(const DataModule1 &data);
// Reads frameSettings(data) afresh at every report start; `data` must outlive the report.
FrameSettingsSource frameSettingsOf(const DataModule1 &data);

} // namespace zelk
