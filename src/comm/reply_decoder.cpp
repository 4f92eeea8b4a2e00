#include "comm/reply_decoder.h"

#include "model/decode.h"
#include "model/decode_apply.h"

namespace tw::comm {

std::optional<ReplyInfo> DecodeReply(std::string_view frame) {
  const model::DecodeResult result = model::Decode(frame);
  if (!result.decoded) return std::nullopt;
  return ReplyInfo{result.group, result.numbers(), true, {}};
}

std::optional<ReplyInfo> DecodeAndApplyReply(model::ParameterImage& image, std::string_view frame,
                                             LinkMode linkMode) {
  const model::DecodeResult result = model::Decode(frame);
  if (!result.decoded) return std::nullopt;
  ReplyInfo info{result.group, result.numbers(), true, {}};
  info.applied = model::Apply(image, result, ModelLinkMode(linkMode), &info.stored);
  return info;
}

}  // namespace tw::comm
