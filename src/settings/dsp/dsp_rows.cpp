#include "settings/dsp/dsp_rows.h"

namespace tw::settings::dsp {
namespace {

// The layout rows of a program sit together in its list, so that the send order can put
// them, interleaved, where the first of them stands.
consteval bool LayoutRowsAreContiguous() {
  for (int program = 0; program < model::kSoundProgramCount; ++program) {
    int runs = 0;
    bool inRun = false;
    for (const int number : DspListOrder(program)) {
      const bool layoutRow = VariantOfKind(FindDspDescriptor(number)->kind) != DspVariant::All;
      if (layoutRow && !inRun) ++runs;
      inRun = layoutRow;
    }
    if (runs > 1) return false;
  }
  return true;
}
static_assert(LayoutRowsAreContiguous());

}  // namespace
}  // namespace tw::settings::dsp
