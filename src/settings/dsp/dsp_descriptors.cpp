#include "settings/dsp/dsp_descriptors.h"

namespace tw::settings::dsp {
namespace {

// Every parameter number has one record, and every list is followed, where it first
// appears, by exactly as many choice names as its range has values.
consteval bool TableIsConsistent() {
  int parameters = 0;
  for (std::size_t i = 0; i < kDspDescriptors.size(); ++i) {
    const DspDescriptor& record = kDspDescriptors[i];
    if (IsChoiceRecord(record)) {
      const bool startsRun = !IsChoiceRecord(kDspDescriptors[i - 1]);
      if (startsRun &&
          (kDspDescriptors[i - 1].kind != kList || kDspDescriptors[i - 1].selectorOrStep != record.kind))
        return false;
      continue;
    }
    ++parameters;
    if (record.name.empty() || record.min > record.max || record.selectorOrStep < 1) return false;
    if (record.kind == kList) {
      const auto choices = DspChoices(record.selectorOrStep);
      if (record.min != 0 || static_cast<std::int32_t>(choices.size()) != record.max + 1) return false;
    }
  }
  return parameters == kDspParameterCount;
}
static_assert(TableIsConsistent());

}  // namespace
}  // namespace tw::settings::dsp
