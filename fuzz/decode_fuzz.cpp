// libFuzzer target: Decode and Apply on any bytes; the first byte picks the link mode.
#include "model/decode.h"
#include "model/decode_apply.h"
#include "model/parameter_access.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tw::model::ParameterImage image = [] {
    tw::model::ParameterImage fresh;
    tw::model::ResetToDefaults(fresh, 1);
    return fresh;
  }();
  if (size == 0) return 0;
  const int linkMode = data[0] % 4;
  const std::string_view frame(reinterpret_cast<const char*>(data) + 1, size - 1);
  const tw::model::DecodeResult result = tw::model::Decode(frame);
  tw::model::Apply(image, result, linkMode);
  return 0;
}
