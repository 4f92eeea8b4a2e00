#include "model/reply_coverage.h"

#include <algorithm>
#include <string>

#include "model/command_table.h"
#include "model/decode.h"
#include "model/decode_apply.h"
#include "model/parameter_access.h"

namespace tw::model {
namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr std::size_t kGuardIndex = 2;  // a standard report's guard character, read as "0"

// `start` completed into a frame that `entry` decodes with a value for every node: list
// fields take their accepted text number `choice` (the first when they have fewer), all
// other fields zeros.
std::string CompletedFrame(std::string_view start, const ReplyEntry& entry, std::size_t choice) {
  std::string frame(start);
  std::size_t end = frame.size();
  for (const DecodeNode& node : entry.chain()) {
    end = std::max(end, static_cast<std::size_t>(std::max(0, node.pos + node.len)));
  }
  frame.resize(end, '0');
  for (const DecodeNode& node : entry.chain()) {
    const auto pos = static_cast<std::size_t>(node.pos);
    if (node.kind == kKindList && !node.values.empty() && pos >= start.size()) {
      const std::string_view text = node.values[choice < node.values.size() ? choice : 0];
      frame.replace(pos, text.size(), text);
    }
  }
  return frame + kEtx;
}

// How many completions it takes to give every list field each of its accepted texts.
std::size_t Choices(const ReplyEntry& entry) {
  std::size_t choices = 1;
  for (const DecodeNode& node : entry.chain()) {
    if (node.kind == kKindList) choices = std::max(choices, node.values.size());
  }
  return choices;
}

}  // namespace

SettingKeys SettingsReportedBy(std::string_view prefix) {
  std::string start(prefix);
  if (start.size() > kGuardIndex && start[0] == kStx) start[kGuardIndex] = '0';

  ParameterImage factory;
  ResetToDefaults(factory, 1);
  SettingKeys keys;
  for (const ReplyEntry& entry : kReplyTable) {
    const std::string_view entryPrefix = entry.prefix.view();
    if (entryPrefix.empty()) break;
    const bool begunByEntry = std::string_view(start).starts_with(entryPrefix);
    if (!begunByEntry && !entryPrefix.starts_with(start)) continue;
    // In an upload, an input report also records the program of the input it names, so
    // each accepted value counts.
    for (std::size_t choice = 0; choice < Choices(entry); ++choice) {
      ParameterImage scratch = factory;
      const std::string frame = CompletedFrame(begunByEntry ? std::string_view(start) : entryPrefix, entry, choice);
      Apply(scratch, Decode(frame), kLinkUpload, &keys);
    }
    if (begunByEntry) break;  // the first entry that matches every completion takes them all
  }
  return keys;
}

}  // namespace tw::model
