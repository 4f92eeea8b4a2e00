#include "comm/reply_decoder.h"

#include "model/decode.h"
#include "model/decode_apply.h"

namespace tw::comm {
namespace {

class TableDecoder final : public ReplyDecoder {
 public:
  std::optional<ReplyInfo> Decode(std::string_view frame) const override {
    const model::DecodeResult result = model::Decode(frame);
    if (!result.decoded) return std::nullopt;
    return ReplyInfo{result.group, result.numbers(), true, {}};
  }

  std::optional<ReplyInfo> DecodeAndApply(model::ParameterImage& image, std::string_view frame,
                                          LinkMode linkMode) const override {
    const model::DecodeResult result = model::Decode(frame);
    if (!result.decoded) return std::nullopt;
    ReplyInfo info{result.group, result.numbers(), true, {}};
    info.applied = model::Apply(image, result, ModelLinkMode(linkMode), &info.stored);
    return info;
  }
};

}  // namespace

const ReplyDecoder& ModelReplyDecoder() {
  static const TableDecoder decoder;
  return decoder;
}

}  // namespace tw::comm
