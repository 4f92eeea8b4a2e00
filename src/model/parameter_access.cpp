#include "model/parameter_access.h"

#include "model/dsp_layout.h"
#include "model/text_field.h"

#include <array>
#include <span>
#include <type_traits>

namespace tw::model {
namespace {

struct BlockRange {
  Block block;
  int first;
  int last;
};

constexpr std::array<BlockRange, 20> kBlockRanges = {{
    {Block::BasicControl, 1, 14},
    {Block::MultiZone, 15, 26},
    {Block::DspParameters, 27, 211},
    {Block::InputDsp, 212, 239},
    {Block::InputRename, 240, 253},
    {Block::IoAssign, 254, 267},
    {Block::SpeakerLevel, 268, 277},
    {Block::SpeakerDistance, 278, 288},
    {Block::ToneControl, 289, 306},
    {Block::ControlOut, 307, 382},
    {Block::VolumeTrim, 383, 396},
    {Block::GraphicEq, 397, 404},
    {Block::SpeakerSet, 427, 435},
    {Block::Tuner, 436, 476},
    {Block::Xm, 477, 516},
    {Block::DisplaySet, 517, 528},
    {Block::MultiCh, 529, 531},
    {Block::Other, 532, 534},
    {Block::AdvancedSetup, 535, 545},
    {Block::Ipod, 548, 555},
}};

constexpr bool InRange(int number, int first, int last) { return number >= first && number <= last; }

bool InBlock(Block block, int number) {
  for (const BlockRange& range : kBlockRanges) {
    if (range.block == block) return InRange(number, range.first, range.last);
  }
  return false;
}

// Blocks whose numbers run in a different order from the block's values: the value
// index of each number, counted from the block's first number.
constexpr std::array<int, 12> kMultiZoneIndex = {0, 1, 2, 4, 3, 5, 6, 7, 9, 8, 10, 11};
constexpr std::array<int, 10> kSpeakerLevelIndex = {8, 9, 7, 6, 5, 4, 3, 2, 1, 0};
constexpr std::array<int, 18> kToneIndex = {0, 1, 3, 2, 4, 5, 7, 6, 8, 9, 10, 11, 12, 13, 14, 17, 15, 16};
constexpr std::array<int, 9> kSpeakerSetIndex = {0, 1, 2, 3, 4, 7, 8, 5, 6};
constexpr std::array<int, 12> kDisplaySetIndex = {2, 3, 5, 4, 6, 7, 8, 9, 0, 1, 10, 11};

constexpr int kControlOutTriggerControlIndex = 37;
constexpr int kTunerCurrentNumber = 436;
constexpr std::size_t kInputNameLength = 8;

// The integer field that `number` names within `block`, or nullptr. Shared by the setter
// (mutable image) and the getter (const image).
template <class Image>
auto IntegerField(Image& image, Block block, int number) -> decltype(&image.basic[0]) {
  if (!InBlock(block, number)) return nullptr;
  switch (block) {
    case Block::BasicControl:
      // Integers 5 and 12 carry no number: 1..4 and 6..11 keep their place, 12..14 move up by one.
      if (number == 5) return nullptr;
      return number <= 11 ? &image.basic[number - 1] : &image.basic[number];
    case Block::MultiZone:
      return &image.multiZone[kMultiZoneIndex[number - 15]];
    case Block::DspParameters: {
      const std::optional<int> slot = DspSlotOfNumber(number);
      return slot ? &image.dsp[*slot] : nullptr;
    }
    case Block::InputDsp:
      return &image.inputDsp[number - 212];
    case Block::IoAssign:
      return &image.ioAssign[number - 254];
    case Block::SpeakerLevel:
      return &image.speakerLevel[kSpeakerLevelIndex[number - 268]];
    case Block::SpeakerDistance:
      // 278 is the unit; the distances are stored from SW (288) back to FL (279).
      return number == 278 ? &image.speakerDistance.unit : &image.speakerDistance.distances[288 - number];
    case Block::ToneControl:
      return &image.tone[kToneIndex[number - 289]];
    case Block::ControlOut: {
      const int table = number < 345 ? 0 : 1;
      const int first = table == 0 ? 307 : 345;  // each table's Trigger Control number
      return number == first ? &image.controlOut[table][kControlOutTriggerControlIndex]
                             : &image.controlOut[table][number - first - 1];
    }
    case Block::VolumeTrim:
      return &image.volumeTrim[396 - number];  // DOCK (396) first, PHONO (383) last
    case Block::SpeakerSet:
      return &image.speakerSet[kSpeakerSetIndex[number - 427]];
    case Block::Xm:
      return &image.xm.presets[number - 477];
    case Block::DisplaySet:
      return &image.displaySet[kDisplaySetIndex[number - 517]];
    case Block::MultiCh:
      return &image.multiCh[number - 529];
    case Block::Other:
      return &image.other[number - 532];
    case Block::AdvancedSetup:
      return &image.advancedSetup[number - 535];
    case Block::Ipod:
      return number <= 552 ? &image.ipod.values[number - 548] : nullptr;
    case Block::InputRename:
    case Block::GraphicEq:
    case Block::Tuner:
      return nullptr;
  }
  return nullptr;
}

template <class Image>
using CharSpan = std::conditional_t<std::is_const_v<Image>, std::span<const char>, std::span<char>>;

template <class Image>
struct TextFieldRef {
  CharSpan<Image> field;
  std::size_t maxLength = 0;
};

// The text field that `number` names within `block`; an empty span when none.
template <class Image>
TextFieldRef<Image> TextField(Image& image, Block block, int number) {
  if (!InBlock(block, number)) return {};
  switch (block) {
    case Block::InputRename:
      return {image.inputNames[number - 240], kInputNameLength};
    case Block::Tuner: {
      auto& text = number == kTunerCurrentNumber ? image.tuner[40] : image.tuner[number - 437];
      return {text, text.size() - 1};
    }
    case Block::Ipod:
      if (number == 554) return {image.ipod.playInfo, image.ipod.playInfo.size() - 1};
      if (number == 555) return {image.ipod.listInfo, image.ipod.listInfo.size() - 1};
      return {};
    default:
      return {};
  }
}

}  // namespace

std::optional<Block> BlockOfParameter(int number) {
  for (const BlockRange& range : kBlockRanges) {
    if (InRange(number, range.first, range.last)) return range.block;
  }
  return std::nullopt;
}

bool SetBlockValue(ParameterImage& image, Block block, int number, std::int32_t value) {
  std::int32_t* field = IntegerField(image, block, number);
  if (field == nullptr) return false;
  *field = value;
  return true;
}

bool SetBlockText(ParameterImage& image, Block block, int number, std::string_view text) {
  const TextFieldRef<ParameterImage> ref = TextField(image, block, number);
  if (ref.field.empty()) return false;
  CopyText(ref.field, text, ref.maxLength);
  return true;
}

bool SetParameter(ParameterImage& image, int number, std::int32_t value) {
  const std::optional<Block> block = BlockOfParameter(number);
  return block && SetBlockValue(image, *block, number, value);
}

bool SetParameterText(ParameterImage& image, int number, std::string_view text) {
  const std::optional<Block> block = BlockOfParameter(number);
  return block && SetBlockText(image, *block, number, text);
}

std::optional<ParameterValue> GetParameter(const ParameterImage& image, int number) {
  const std::optional<Block> block = BlockOfParameter(number);
  if (!block) return std::nullopt;
  if (const std::int32_t* field = IntegerField(image, *block, number)) return ParameterValue{*field};
  const TextFieldRef<const ParameterImage> ref = TextField(image, *block, number);
  if (!ref.field.empty()) return ParameterValue{ReadText(ref.field)};
  return std::nullopt;
}

bool CopyParameter(const ParameterImage& from, ParameterImage& to, int number) {
  if (BlockOfParameter(number) == Block::GraphicEq) {
    to.graphicEq = from.graphicEq;
    return true;
  }
  const std::optional<ParameterValue> value = GetParameter(from, number);
  if (!value) return false;
  if (const auto* integer = std::get_if<std::int32_t>(&*value)) return SetParameter(to, number, *integer);
  return SetParameterText(to, number, std::get<std::string>(*value));
}

namespace {

template <class Image>
auto GraphicEqField(Image& image, int record, int number) -> decltype(&image.graphicEq[0].id) {
  if (record < 0 || record >= static_cast<int>(image.graphicEq.size())) return nullptr;
  auto& channel = image.graphicEq[record];
  if (number == 397) return &channel.id;
  if (InRange(number, 398, 404)) return &channel.bands[number - 398];
  return nullptr;
}

}  // namespace

bool SetGraphicEqValue(ParameterImage& image, int record, int number, std::int32_t value) {
  std::int32_t* field = GraphicEqField(image, record, number);
  if (field == nullptr) return false;
  *field = value;
  return true;
}

std::optional<std::int32_t> GetGraphicEqValue(const ParameterImage& image, int record, int number) {
  const std::int32_t* field = GraphicEqField(image, record, number);
  if (field == nullptr) return std::nullopt;
  return *field;
}

int FindGraphicEqRecord(const ParameterImage& image, std::int32_t channelId) {
  for (std::size_t i = 0; i < image.graphicEq.size(); ++i) {
    if (image.graphicEq[i].id == channelId) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tw::model
