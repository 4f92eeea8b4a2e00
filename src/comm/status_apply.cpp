#include "comm/status_apply.h"

#include "comm/protocol.h"
#include "model/decode_apply.h"

namespace tw::comm {

int ApplyStatusData(std::string_view statusData, model::ParameterImage& image, int linkMode,
                    const StatusReportSink& onReport) {
  int applied = 0;
  ExpandStatusFrame(statusData, [&](const std::string& frame) {
    StatusReport report;
    report.frame = frame;
    report.result = model::Decode(frame);
    report.applied = model::Apply(image, report.result, linkMode);
    if (report.applied) ++applied;
    if (onReport) onReport(report);
  });
  return applied;
}

int ApplyStatusFrame(std::string_view statusFrame, model::ParameterImage& image, int linkMode,
                     const StatusReportSink& onReport) {
  return ApplyStatusData(StatusData(statusFrame), image, linkMode, onReport);
}

}  // namespace tw::comm
