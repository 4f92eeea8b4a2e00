#include "pages/tuner/ipod_info.h"

#include "comm/protocol.h"
#include "settings/printable_text.h"

namespace tw::pages::ipod {
namespace {

using settings::Printable;

// One field of a report, without the blanks the receiver pads it with.
std::string FieldText(std::string_view text, std::size_t start, std::size_t length) {
  std::string_view field = start < text.size() ? text.substr(start, length) : std::string_view{};
  const auto end = field.find_last_not_of(' ');
  return Printable(end == std::string_view::npos ? std::string_view{} : field.substr(0, end + 1));
}

}  // namespace

std::array<std::string, kPlayFields.size()> PlayFields(std::string_view playInfo) {
  std::array<std::string, kPlayFields.size()> fields;
  for (std::size_t i = 0; i < kPlayFields.size(); ++i) {
    fields[i] = FieldText(playInfo, kPlayFields[i].start, kPlayFields[i].length);
  }
  return fields;
}

ListInfo SplitListInfo(std::string_view listInfo) {
  ListInfo info;
  if (!listInfo.empty() && listInfo[0] >= '0' && listInfo[0] < static_cast<char>('0' + kListLines)) {
    info.cursor = listInfo[0] - '0';
  }
  for (std::size_t line = 0; line < kListLines; ++line) {
    info.lines[line] = FieldText(listInfo, 1 + line * kListLineLength, kListLineLength);
  }
  return info;
}

std::string DockCommand(int index) {
  if (index < 0 || index >= static_cast<int>(kDockOperations.size())) return {};
  return comm::MakeStandard("0F7F011" + std::string(kDockOperations[static_cast<std::size_t>(index)].code));
}

}  // namespace tw::pages::ipod
