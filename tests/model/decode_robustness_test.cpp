// Decode and Apply on damaged frames: whatever the bytes, nothing is read or written
// out of bounds (the sanitizer build checks that) and the image keeps its shape.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "model/command_table.h"
#include "model/decode.h"
#include "model/decode_apply.h"
#include "model/parameter_access.h"

namespace tw::model {
namespace {

bool TextsTerminated(const ParameterImage& image) {
  for (const auto& name : image.inputNames) {
    if (std::memchr(name.data(), '\0', name.size()) == nullptr) return false;
  }
  for (const auto& frequency : image.tuner) {
    if (std::memchr(frequency.data(), '\0', frequency.size()) == nullptr) return false;
  }
  return std::memchr(image.ipod.playInfo.data(), '\0', image.ipod.playInfo.size()) != nullptr &&
         std::memchr(image.ipod.listInfo.data(), '\0', image.ipod.listInfo.size()) != nullptr;
}

// Starts from every entry's prefix and damages what follows: cut short, padded with any
// bytes, NULs, lower-case digits, overlong.
TEST(DecodeRobustness, DamagedFramesOfEveryEntryStaySafe) {
  std::mt19937 random(20240611u);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 300);
  ParameterImage image;
  ResetToDefaults(image, 1);
  int decoded = 0;
  for (const ReplyEntry& entry : kReplyTable) {
    if (entry.nodeCount == 0) break;
    for (int trial = 0; trial < 20; ++trial) {
      std::string frame(entry.prefix.view());
      const int extra = length(random);
      for (int i = 0; i < extra; ++i) frame += static_cast<char>(byte(random));
      if (trial % 4 == 0 && !frame.empty()) frame.resize(static_cast<std::size_t>(extra) % frame.size());
      for (int mode = kLinkIdle; mode <= kLinkDownload; ++mode) {
        const DecodeResult result = Decode(frame);
        if (result.decoded) ++decoded;
        EXPECT_LE(result.values.size(), kMaxNodesPerEntry);
        for (const DecodedValue& v : result.values) {
          if (v.kind == kKindText) {
            EXPECT_LE(v.text.size(), kTextSlotLength);
          } else if (v.kind >= kKindTextBuffer1 && v.kind <= kKindTextBuffer3) {
            EXPECT_LE(v.text.size(), kTextBufferCapacity[v.kind - kKindTextBuffer1]);
          }
        }
        Apply(image, result, mode);
      }
    }
  }
  EXPECT_GT(decoded, 0);
  EXPECT_TRUE(TextsTerminated(image));
}

TEST(DecodeRobustness, InputReportsWithAnyStoredInputStayInsideTheInputDspBlock) {
  for (std::int32_t input : {-1, 14, 1000, INT32_MIN, INT32_MAX}) {
    ParameterImage image;
    ResetToDefaults(image, 1);
    image.basic[0] = input;  // as a bad file could leave it
    const ParameterImage before = image;
    EXPECT_TRUE(Apply(image,
                      Decode("\x02"
                             "00210B"
                             "\x03"),
                      kLinkUpload));
    EXPECT_EQ(image.inputDsp, before.inputDsp) << input;
    EXPECT_EQ(image.inputNames, before.inputNames) << input;
  }
}

}  // namespace
}  // namespace tw::model
