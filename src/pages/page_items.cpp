#include "pages/page_items.h"

#include <algorithm>

#include "comm/protocol.h"
#include "ui/controls/level_slider.h"
#include "ui/value_text.h"

namespace tw::pages {
namespace {

bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
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
    std::transform(checksum.begin(), checksum.end(), checksum.begin(),
                   [](char c) { return (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c; });
  }
  std::string text;
  text += comm::DC4;
  text += body;
  text += checksum;
  text += comm::ETX;
  return text;
}

std::string_view ChoiceItem::Text(std::int32_t value) const {
  if (value < 0 || static_cast<std::size_t>(value) >= texts.size()) return {};
  return texts[static_cast<std::size_t>(value)];
}

std::optional<std::int32_t> ChoiceItem::Parse(std::string_view text, bool ignoreCase) const {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (SameText(texts[i], text, ignoreCase)) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

std::string ChoiceItem::Command(std::int32_t value) const {
  if (value < 0 || static_cast<std::size_t>(value) >= codes.size()) return {};
  return MakeCommand(frame, std::string(address) + std::string(codes[static_cast<std::size_t>(value)]));
}

std::string LevelItem::Text(std::int32_t value) const { return ui::LevelText(value, unit); }

std::optional<std::int32_t> LevelItem::Parse(std::string_view text) const {
  const auto value = ui::ParseLevelText(text, unit.size());
  if (!value || !ui::InRangeAndStep(*value, min, max, step)) return std::nullopt;
  return value;
}

std::string LevelItem::Command(std::int32_t value) const {
  if (encode == nullptr) return {};
  return MakeCommand(frame, std::string(address) + encode(value));
}

}  // namespace tw::pages
