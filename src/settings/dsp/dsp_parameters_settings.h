#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

// The parameters (27..211) of the 24 sound programs. They form one group per program:
// ListItems with a program 0..23 as the group gives that program's parameters (file
// order, or the order they are sent in), and with every group the programs one after
// another. Files and reports hold one section per program ("DSP Parameters Hall in
// Munich"); a command carries its program's code, so it sets that program's parameter
// whatever program the receiver is on.
const PageSettings& DspParametersSettings();

}  // namespace tw::settings
