#include "comm/upload_coverage.h"

#include "comm/protocol.h"
#include "model/command_table.h"
#include "model/reply_coverage.h"

namespace tw::comm {
namespace {

model::SettingKeys DeriveReadable() {
  model::SettingKeys keys;
  const auto add = [&keys](std::string_view beginning) { keys.merge(model::SettingsReportedBy(beginning)); };
  for (int r = 0; r < model::kRowCount; ++r) {
    const model::CommandRow& row = model::kCommandTable[static_cast<std::size_t>(r)];
    if (r == model::kPollRow || !(row.flags & (model::kReadAtStart | model::kReadCurrent))) continue;
    add(row.replyPrefix);
    if (row.altReplyPrefix != nullptr) add(row.altReplyPrefix);
  }
  for (const std::string& beginning : StatusReportBeginnings()) add(beginning);
  return keys;
}

}  // namespace

const model::SettingKeys& UploadReadableSettings() {
  static const model::SettingKeys keys = DeriveReadable();
  return keys;
}

bool IsReadByUpload(int number, int subIndex) {
  return UploadReadableSettings().contains(model::KeyOfItem(number, subIndex));
}

}  // namespace tw::comm
