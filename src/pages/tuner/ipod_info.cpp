#include "pages/tuner/ipod_info.h"

#include "comm/protocol.h"
#include "pages/tuner/printable_text.h"

namespace tw::pages::ipod {
namespace {

std::string_view Part(std::string_view text, std::size_t start, std::size_t length) {
  return start < text.size() ? text.substr(start, length) : std::string_view{};
}

}  // namespace

std::array<std::string, kPlayFields.size()> PlayFields(std::string_view playInfo) {
  std::array<std::string, kPlayFields.size()> fields;
  for (std::size_t i = 0; i < kPlayFields.size(); ++i) {
    fields[i] = Printable(Part(playInfo, kPlayFields[i].start, kPlayFields[i].length));
  }
  return fields;
}

ListInfo SplitListInfo(std::string_view listInfo) {
  ListInfo info;
  if (!listInfo.empty() && listInfo[0] >= '0' && listInfo[0] < static_cast<char>('0' + kListLines)) {
    info.cursor = listInfo[0] - '0';
  }
  for (std::size_t line = 0; line < kListLines; ++line) {
    info.lines[line] = Printable(Part(listInfo, 1 + line * kListLineLength, kListLineLength));
  }
  return info;
}

std::string DockCommand(int index) {
  if (index < 0 || index >= static_cast<int>(kDockOperations.size())) return {};
  return comm::MakeStandard("0F7F011" + std::string(kDockOperations[static_cast<std::size_t>(index)].code));
}

}  // namespace tw::pages::ipod
