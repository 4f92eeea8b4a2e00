#include "model/decode_apply.h"

#include <algorithm>
#include <optional>

#include "model/command_table.h"
#include "model/parameter_access.h"

namespace tw::model {
namespace {

constexpr int kInputNumber = 1;
constexpr int kProgramNumber = 4;
constexpr int kNightModeNumber = 7;
constexpr int kNightParameterNumber = 8;
constexpr int kFirstInputDspNumber = 212;
constexpr int kInputDspInputs = 14;
constexpr int kEqChannelNumber = 397;
constexpr int kFirstIpodSlotNumber = 548;
constexpr int kPlayInfoNumber = 554;
constexpr int kListInfoNumber = 555;

// The block each plain group stores into.
struct GroupBlock {
  int group;
  Block block;
};
constexpr GroupBlock kGroupBlocks[] = {
    {kGroupBasicControl, Block::BasicControl},
    {kGroupMultiZone, Block::MultiZone},
    {kGroupDspParameters, Block::DspParameters},
    {kGroupInputRename, Block::InputRename},
    {kGroupIoAssign, Block::IoAssign},
    {kGroupSpeakerLevel, Block::SpeakerLevel},
    {kGroupSpeakerDistance, Block::SpeakerDistance},
    {kGroupToneControl, Block::ToneControl},
    {kGroupControlOut, Block::ControlOut},
    {kGroupVolumeTrim, Block::VolumeTrim},
    {kGroupSpeakerSet, Block::SpeakerSet},
    {kGroupTuner, Block::Tuner},
    {kGroupXm, Block::Xm},
    {kGroupDisplaySet, Block::DisplaySet},
    {kGroupMultiCh, Block::MultiCh},
    {kGroupOther, Block::Other},
    {kGroupAdvancedSetup, Block::AdvancedSetup},
};

std::optional<Block> BlockOfGroup(int group) {
  for (const GroupBlock& entry : kGroupBlocks) {
    if (entry.group == group) return entry.block;
  }
  return std::nullopt;
}

std::optional<std::int32_t> IntegerParameter(const ParameterImage& image, int number) {
  const std::optional<ParameterValue> value = GetParameter(image, number);
  if (!value) return std::nullopt;
  if (const auto* integer = std::get_if<std::int32_t>(&*value)) return *integer;
  return std::nullopt;
}

void Note(SettingKeys* stored, int number, int record = -1) {
  if (stored != nullptr) stored->insert({number, record});
}

void StoreIntoBlock(ParameterImage& image, Block block, const DecodeResult& result, SettingKeys* stored) {
  for (const DecodedValue& v : result.values) {
    if (!v.hasValue()) continue;
    const bool set = v.isText() ? SetBlockText(image, block, v.number, v.text)
                                : SetBlockValue(image, block, v.number, v.value);
    if (set) Note(stored, v.number);
  }
}

// During an upload the receiver's input report also tells which program that input uses:
// the program it reported last is the current input's Input DSP setting.
void RecordInputProgram(ParameterImage& image, SettingKeys* stored) {
  const std::optional<std::int32_t> input = IntegerParameter(image, kInputNumber);
  const std::optional<std::int32_t> program = IntegerParameter(image, kProgramNumber);
  if (!input || !program || *input < 0 || *input >= kInputDspInputs) return;
  const int number = kFirstInputDspNumber + 2 * *input;
  if (SetBlockValue(image, Block::InputDsp, number, *program)) Note(stored, number);
}

// The receiver holds its night parameter at Min while night mode is off (its status frame
// then gives no parameter), so a report of "off" without a parameter sets Min as well.
void FollowNightModeOff(ParameterImage& image, const DecodeResult& result, SettingKeys* stored) {
  const auto reported = [&](int number) {
    return std::find_if(result.values.begin(), result.values.end(),
                        [number](const DecodedValue& v) { return v.number == number && v.hasValue(); });
  };
  const auto night = reported(kNightModeNumber);
  if (night != result.values.end() && night->value == 0 && reported(kNightParameterNumber) == result.values.end()) {
    if (SetBlockValue(image, Block::BasicControl, kNightParameterNumber, 0)) Note(stored, kNightParameterNumber);
  }
}

// The channel number names a record by its identifier, not by its position.
bool ApplyGraphicEq(ParameterImage& image, const DecodeResult& result, SettingKeys* stored) {
  const auto channel = std::find_if(result.values.begin(), result.values.end(),
                                    [](const DecodedValue& v) { return v.number == kEqChannelNumber; });
  if (channel == result.values.end()) return false;
  const int record = FindGraphicEqRecord(image, channel->value);
  if (record < 0) return false;
  for (const DecodedValue& v : result.values) {
    if (v.number != kEqChannelNumber && SetGraphicEqValue(image, record, v.number, v.value)) {
      Note(stored, v.number, record);
    }
  }
  return true;
}

// iPod numbers carry their values in the result's slots and text buffers.
void ApplyIpod(ParameterImage& image, const DecodeResult& result, SettingKeys* stored) {
  for (const DecodedValue& v : result.values) {
    const int slot = v.number - kFirstIpodSlotNumber;
    if (slot >= 0 && slot < static_cast<int>(kValueSlotCount)) {
      if (const auto& value = result.slots[static_cast<std::size_t>(slot)]) {
        if (SetBlockValue(image, Block::Ipod, v.number, *value)) Note(stored, v.number);
      }
    } else if (v.number == kPlayInfoNumber && result.textBuffers[1]) {
      if (SetBlockText(image, Block::Ipod, v.number, *result.textBuffers[1])) Note(stored, v.number);
    } else if (v.number == kListInfoNumber && result.textBuffers[2]) {
      if (SetBlockText(image, Block::Ipod, v.number, *result.textBuffers[2])) Note(stored, v.number);
    }
  }
}

}  // namespace

bool Apply(ParameterImage& image, const DecodeResult& result, int linkMode, SettingKeys* stored) {
  if (!result.decoded) return false;
  switch (result.group) {
    case kGroupGraphicEq:
      return ApplyGraphicEq(image, result, stored);
    case kGroupIpod:
      ApplyIpod(image, result, stored);
      return true;
    case kGroupReportOnly:
      return true;
    default:
      break;
  }
  const std::optional<Block> block = BlockOfGroup(result.group);
  if (!block) return true;  // a group without a block stores nothing
  StoreIntoBlock(image, *block, result, stored);
  if (result.group == kGroupBasicControl) {
    FollowNightModeOff(image, result, stored);
    if (linkMode == kLinkUpload && result.inputReport) RecordInputProgram(image, stored);
  }
  return true;
}

}  // namespace tw::model
