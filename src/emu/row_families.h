#pragma once

#include <string_view>

namespace tw::emu {

// What kind of setting a command-table row reads, as the receiver sees it.
enum class RowFamily {
  TunerRegion,
  Zone2,
  Zone3,
  Xm,
  CapabilityList,
  KeepAlive,
  Standard,  // a standard command (input or program selection)
  Dsp,
  Tuner,
  XmPreset,
  InputName,
  IoAssign,
  Distance,
  Tone,
  Trigger,
  VolumeTrim,
  GraphicEq,
  IpodOutput,
  Unknown,
};

struct RowKind {
  RowFamily family = RowFamily::Unknown;
  std::string_view tail;  // reply-prefix characters after the family's common beginning
};

// The family of a row and what identifies the row within it; Unknown for an index
// outside the table.
RowKind KindOfRow(int row);

// Rows whose value is free text (names, frequencies) rather than hexadecimal digits.
bool HoldsText(RowFamily family);

}  // namespace tw::emu
