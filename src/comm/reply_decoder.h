#pragma once

#include "comm/link_constants.h"
#include "model/parameter_image.h"
#include "model/setting_key.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tw::comm {

// What the link needs to know about a decoded report.
struct ReplyInfo {
  int group = 0;             // decode group 1..22
  std::vector<int> numbers;  // parameter numbers in node order
  bool applied = true;       // false: a Graphic EQ report for a channel no record holds
  model::SettingKeys stored;  // what DecodeAndApplyReply changed or confirmed in the image
};

// Decodes a report with the model's decoding table without storing anything; nothing when
// no entry matches.
std::optional<ReplyInfo> DecodeReply(std::string_view frame);
// Decodes and stores the values into `image` (including the per-input sound program of an
// upload's input report, which depends on `linkMode`).
std::optional<ReplyInfo> DecodeAndApplyReply(model::ParameterImage& image, std::string_view frame,
                                             LinkMode linkMode);

}  // namespace tw::comm
