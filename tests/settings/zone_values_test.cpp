// The value encodings and the amplifier rule of the zone pages, each checked on its own.

#include <gtest/gtest.h>

#include "settings/zone/zone_values.h"

namespace tw::settings::zone {
namespace {

TEST(ZoneValues, VolumeDataIsTheStepCountAbove199AndMuteIsZero) {
  const std::pair<std::int32_t, std::string_view> cases[] = {
      {-805, "00"}, {-800, "27"}, {-400, "77"}, {-5, "C6"}, {0, "C7"}};
  for (auto [volume, data] : cases) EXPECT_EQ(VolumeData(volume), data) << volume;
  EXPECT_EQ(BalanceData(0), "00");
  EXPECT_EQ(BalanceData(26), "1A");
  EXPECT_EQ(BalanceData(40), "28");
}

// The internal outputs are [1] and [2]; INT:Both takes both, External none.
TEST(ZoneValues, TheZonesNeverShareAnInternalAmplifierOutput) {
  enum { External, Int1, Int2, Both };
  // refused[other][choice]
  constexpr bool kRefused[4][4] = {
      {false, false, false, false},  // other External
      {false, true, false, true},    // other INT:Speaker[1]
      {false, false, true, true},    // other INT:Speaker[2]
      {false, true, true, true},     // other INT:Both: only External is left
  };
  for (int other = External; other <= Both; ++other) {
    for (int choice = External; choice <= Both; ++choice) {
      EXPECT_EQ(AmplifierAllowed(choice, other), !kRefused[other][choice]) << choice << " beside " << other;
    }
  }
}

TEST(ZoneValues, TrimDataCountsHalfDecibelsFromTheBottomInLowerCase) {
  const std::pair<std::int32_t, std::string_view> cases[] = {{-60, "00"}, {-5, "0b"}, {0, "0c"}, {15, "0f"}, {60, "18"}};
  for (auto [trim, data] : cases) EXPECT_EQ(TrimData(trim), data) << trim;
}

TEST(ZoneValues, TrimTextsAreReadAsDecibelsWithAtMostOneDecimal) {
  const std::pair<std::string_view, std::optional<std::int32_t>> cases[] = {
      {"-1.5dB", -15}, {"6.0dB", 60}, {"0.0dB", 0}, {"-6.0dB", -60}, {"2dB", 20}, {"+0.5", 5}, {"-0.5", -5},
      {"0.50dB", std::nullopt}, {"0.25dB", std::nullopt}, {"1.dB", std::nullopt}, {".5dB", std::nullopt},
      {"dB", std::nullopt}, {"", std::nullopt}, {"1 dB", std::nullopt}, {"--1.0dB", std::nullopt},
      {"123.0dB", std::nullopt}, {"1.5db", std::nullopt}};
  for (auto [text, value] : cases) EXPECT_EQ(ParseTrimText(text), value) << text;
}

}  // namespace
}  // namespace tw::settings::zone
