#include "model/dsp_layout.h"

namespace tw::model {
namespace {

// The layout must tile the block and the number range without gaps or overlaps,
// and every number must name a distinct slot of its own group.
consteval bool LayoutIsConsistent() {
  int nextSlot = 0;
  int nextNumber = kFirstDspNumber;
  for (const DspProgramLayout& layout : kDspLayout) {
    if (layout.firstSlot != nextSlot || layout.firstNumber != nextNumber) return false;
    if (layout.slotCount < 1 || layout.slotCount > 15 || layout.numberCount > layout.slotCount) return false;
    unsigned used = 0;
    for (int i = 0; i < layout.numberCount; ++i) {
      const int position = layout.slotOfNumber[i];
      if (position < 0 || position >= layout.slotCount || (used & (1u << position)) != 0) return false;
      if ((layout.unwrittenSlots & (1u << position)) != 0) return false;  // a named slot always has a default
      used |= 1u << position;
    }
    nextSlot += layout.slotCount;
    nextNumber += layout.numberCount;
  }
  return nextSlot == kDspSlotCount && nextNumber == kLastDspNumber + 1;
}
static_assert(LayoutIsConsistent());

}  // namespace
}  // namespace tw::model
