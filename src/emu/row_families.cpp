#include "emu/row_families.h"

#include <array>
#include <cstring>

#include "model/command_table.h"

namespace tw::emu {
namespace {

struct FamilyPrefix {
  std::string_view prefix;
  RowFamily family;
};

// Longer beginnings first where one begins another (volume trim before I/O assign).
constexpr std::array<FamilyPrefix, 11> kFamilies = {{
    {"\x14"
     "200B0210",
     RowFamily::Dsp},
    {"\x14"
     "200D0500",
     RowFamily::Tuner},
    {"\x14"
     "20080510",
     RowFamily::XmPreset},
    {"\x14"
     "20110110",
     RowFamily::InputName},
    {"\x14"
     "20080120",
     RowFamily::VolumeTrim},
    {"\x14"
     "200801",
     RowFamily::IoAssign},
    {"\x14"
     "20090410",
     RowFamily::Distance},
    {"\x14"
     "20090400",
     RowFamily::Trigger},
    {"\x14"
     "200903",
     RowFamily::Tone},
    {"\x14"
     "20080300",
     RowFamily::GraphicEq},
    {"\x14"
     "200600",
     RowFamily::IpodOutput},
}};

}  // namespace

RowKind KindOfRow(int row) {
  if (row < 0 || row >= model::kRowCount) return {};
  switch (row) {
    case model::kRegionRow:
      return {RowFamily::TunerRegion, {}};
    case model::kZone2Row:
      return {RowFamily::Zone2, {}};
    case model::kZone3Row:
      return {RowFamily::Zone3, {}};
    case model::kXmRow:
      return {RowFamily::Xm, {}};
    case model::kCapabilityRow:
      return {RowFamily::CapabilityList, {}};
    case model::kPollRow:
      return {RowFamily::KeepAlive, {}};
    default:
      break;
  }
  const model::CommandRow& entry = model::kCommandTable[static_cast<std::size_t>(row)];
  if (!entry.request || !entry.replyPrefix) return {};
  if (entry.request[0] == '\x02') return {RowFamily::Standard, {}};
  const std::string_view prefix(entry.replyPrefix);
  for (const FamilyPrefix& family : kFamilies) {
    if (prefix.substr(0, family.prefix.size()) == family.prefix) {
      return {family.family, prefix.substr(family.prefix.size())};
    }
  }
  return {};
}

bool HoldsText(RowFamily family) { return family == RowFamily::InputName || family == RowFamily::Tuner; }

}  // namespace tw::emu
