#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/decode.h"
#include "model/parameter_image.h"

namespace tw::comm {

// One report synthesised from a status frame and what it did to the image.
struct StatusReport {
  std::string frame;
  model::DecodeResult result;
  bool applied = false;
};
using StatusReportSink = std::function<void(const StatusReport&)>;

// Turns a status frame into changed settings of `image` (the image in use): each report
// the frame stands for is decoded and applied before the next one is built, in the fixed
// report order. `onReport`, when given, sees every report right after it was applied (the
// link uses it to tell its observer about Basic Control numbers). Returns the number of
// reports that were decoded and applied.
int ApplyStatusData(std::string_view statusData, model::ParameterImage& image, int linkMode,
                    const StatusReportSink& onReport = {});
// The same from the whole status frame (DC2 ... ETX).
int ApplyStatusFrame(std::string_view statusFrame, model::ParameterImage& image, int linkMode,
                     const StatusReportSink& onReport = {});

}  // namespace tw::comm
