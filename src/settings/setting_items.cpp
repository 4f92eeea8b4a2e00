#include "settings/setting_items.h"

#include <algorithm>
#include <variant>

#include "comm/protocol.h"
#include "model/ascii.h"
#include "model/parameter_access.h"

namespace tw::settings {
namespace {

bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
  return ignoreCase ? model::EqualsIgnoringCase(a, b) : a == b;
}

bool IsPrintableAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

}  // namespace

std::string Hex(std::int64_t value, int digits, HexCase letterCase) {
  const char* alphabet = letterCase == HexCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text(static_cast<std::size_t>(std::max(digits, 0)), '0');
  auto bits = static_cast<std::uint64_t>(value);
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    *it = alphabet[bits & 0xF];
    bits >>= 4;
  }
  return text;
}

std::string MakeCommand(CommandFrame frame, std::string_view body) {
  if (frame == CommandFrame::Standard) return comm::MakeStandard(body);
  std::string checksum = comm::MakeChecksum(body);
  if (frame == CommandFrame::ExtendedLower) {
    checksum = model::AsciiLower(checksum);
  }
  std::string text;
  text += comm::DC4;
  text += body;
  text += checksum;
  text += comm::ETX;
  return text;
}

bool Satisfied(Needs needs, const model::Capabilities& caps) {
  switch (needs) {
    case Needs::Nothing:
      return true;
    case Needs::Zone2:
      return caps.zone2 != 0;
    case Needs::Zone3:
      return caps.zone3 != 0;
    case Needs::BothZones:
      return caps.zone2 != 0 && caps.zone3 != 0;
    case Needs::Xm:
      return caps.xm != 0;
    case Needs::Zone2AndXm:
      return caps.zone2 != 0 && caps.xm != 0;
    case Needs::Zone3AndXm:
      return caps.zone3 != 0 && caps.xm != 0;
  }
  return false;
}

// --- ChoiceItem ---

std::int32_t ChoiceItem::ValueOf(int entry) const {
  if (values.empty()) return entry;
  return entry >= 0 && static_cast<std::size_t>(entry) < values.size() ? values[static_cast<std::size_t>(entry)]
                                                                        : -1;
}

std::optional<int> ChoiceItem::EntryOf(std::int32_t value) const {
  for (int entry = 0; entry < count(); ++entry) {
    if (ValueOf(entry) == value) return entry;
  }
  return std::nullopt;
}

std::string_view ChoiceItem::Text(std::int32_t value) const {
  const auto entry = EntryOf(value);
  return entry ? texts[static_cast<std::size_t>(*entry)] : std::string_view{};
}

std::optional<std::int32_t> ChoiceItem::Parse(std::string_view text, bool ignoreCase) const {
  for (int entry = 0; entry < count(); ++entry) {
    if (SameText(texts[static_cast<std::size_t>(entry)], text, ignoreCase)) return ValueOf(entry);
  }
  return std::nullopt;
}

std::string ChoiceItem::Command(std::int32_t value) const {
  const auto entry = EntryOf(value);
  if (!entry || static_cast<std::size_t>(*entry) >= codes.size()) return {};
  return MakeCommand(frame, std::string(address) + std::string(codes[static_cast<std::size_t>(*entry)]));
}

// --- LevelItem ---

std::string LevelItem::Text(std::int32_t value) const {
  return format != nullptr ? format(value) : LevelText(value, unit);
}

bool LevelItem::Accepts(std::int32_t value) const {
  const std::int32_t stride = std::max<std::int32_t>(step, 1);
  return value >= min && value <= max && (value - min) % stride == 0;
}

std::optional<std::int32_t> LevelItem::Parse(std::string_view text) const {
  if (parse != nullptr) {
    const auto value = parse(text);
    return value && Accepts(*value) ? value : std::nullopt;
  }
  // Exactly the texts this item writes: whatever a file holds that no value would have
  // written ("10dB" for 1.0 dB, say) is refused rather than guessed at.
  const std::int32_t stride = std::max<std::int32_t>(step, 1);
  for (std::int32_t value = min; value <= max; value += stride) {
    if (Text(value) == text) return value;
  }
  return std::nullopt;
}

std::string LevelItem::Command(std::int32_t value) const {
  if (encode == nullptr) return {};
  return MakeCommand(frame, std::string(address) + encode(value));
}

// --- TextItem ---

std::string TextItem::Text(std::string_view stored) const {
  return format != nullptr ? format(stored) : std::string(stored);
}

std::optional<std::string> TextItem::Parse(std::string_view text) const {
  if (parse != nullptr) return parse(text);
  if (!IsPrintableAscii(text) || (maxLength > 0 && text.size() > maxLength)) return std::nullopt;
  return std::string(text);
}

// --- shared value texts ---

std::string LevelText(int tenths, std::string_view unit) {
  const std::int64_t value = tenths;  // wide, so that the magnitude of INT_MIN fits
  const std::int64_t magnitude = value < 0 ? -value : value;
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
  text += unit;
  return text;
}

std::string PlainText(std::int32_t value) { return std::to_string(value); }

std::string WholeDbText(std::int32_t value) { return std::to_string(value) + "dB"; }

std::string TenthsDbText(std::int32_t value) { return LevelText(value, "dB"); }

std::string VolumeText(std::int32_t value) { return value == kMuteVolume ? "Mute" : LevelText(value, "dB"); }

std::string BalanceText(std::int32_t value) {
  constexpr std::int32_t kMid = 20;
  if (value == kMid) return "Mid";
  return value < kMid ? "L" + std::to_string(kMid - value) : "R" + std::to_string(value - kMid);
}

// --- values in an image ---

std::optional<std::int32_t> ReadValue(const model::ParameterImage& image, const Records* records, int number,
                                      int subIndex) {
  if (records != nullptr) return records->get != nullptr ? records->get(image, subIndex, number) : std::nullopt;
  const auto value = model::GetParameter(image, number);
  if (!value) return std::nullopt;
  if (const auto* integer = std::get_if<std::int32_t>(&*value)) return *integer;
  return std::nullopt;
}

bool WriteValue(model::ParameterImage& image, const Records* records, int number, int subIndex,
                std::int32_t value) {
  if (records != nullptr) return records->set != nullptr && records->set(image, subIndex, number, value);
  return model::SetParameter(image, number, value);
}

std::optional<std::string> ReadText(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  if (!value) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&*value)) return *text;
  return std::nullopt;
}

std::string ItemKey(std::string_view key, const Records* records, int subIndex) {
  if (records == nullptr || subIndex < 0 || static_cast<std::size_t>(subIndex) >= records->keyPrefixes.size()) {
    return std::string(key);
  }
  return std::string(records->keyPrefixes[static_cast<std::size_t>(subIndex)]) + std::string(key);
}

}  // namespace tw::settings
