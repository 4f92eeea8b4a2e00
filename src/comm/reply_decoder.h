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
  model::SettingKeys stored;  // what DecodeAndApply changed or confirmed in the image
};

// The seam between the link and the reply decoding table, so that the transfer engine can
// be exercised with a scripted decoder.
class ReplyDecoder {
 public:
  virtual ~ReplyDecoder() = default;

  // Decodes without storing anything; nothing when no entry matches.
  virtual std::optional<ReplyInfo> Decode(std::string_view frame) const = 0;
  // Decodes and stores the values into `image` (including the per-input sound program
  // of an upload's input report, which depends on `linkMode`).
  virtual std::optional<ReplyInfo> DecodeAndApply(model::ParameterImage& image, std::string_view frame,
                                                  LinkMode linkMode) const = 0;
};

// The production decoder: the model's reply decoding table.
const ReplyDecoder& ModelReplyDecoder();

}  // namespace tw::comm
