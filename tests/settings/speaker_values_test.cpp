// The speaker pages' value encodings: level data, distance texts and the distance command.

#include "settings/speaker/speaker_values.h"

#include <gtest/gtest.h>

namespace tw::settings::speaker {
namespace {

// Sum of the character codes, as the receiver checks it.
std::string Checksum(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<unsigned char>(c);
  char text[3];
  std::snprintf(text, sizeof text, "%02x", sum % 256);
  return text;
}

TEST(SpeakerLevelData, TwoLowerCaseHexDigitsAtEachEndAndTheMiddle) {
  EXPECT_EQ(LevelData(-100), "14");
  EXPECT_EQ(LevelData(-95), "15");
  EXPECT_EQ(LevelData(0), "28");
  EXPECT_EQ(LevelData(95), "3b");
  EXPECT_EQ(LevelData(100), "3c");
}

TEST(SpeakerLevelLabel, LeadingSpaceAndMinusForEveryNegativeLevel) {
  EXPECT_EQ(LevelLabel(-5), " -0.5dB");
  EXPECT_EQ(LevelLabel(-100), " -10.0dB");
  EXPECT_EQ(LevelLabel(0), " 0.0dB");
  EXPECT_EQ(LevelLabel(25), " 2.5dB");
}

TEST(SpeakerDistanceRange, PerUnit) {
  EXPECT_EQ(RangeOfUnit(kUnitMeter), (DistanceRange{30, 2400, 10, 2}));
  EXPECT_EQ(RangeOfUnit(kUnitFeet), (DistanceRange{10, 800, 5, 1}));
}

TEST(SpeakerDistanceText, MetresWithTwoDecimalsFeetWithOne) {
  EXPECT_EQ(DistanceText(300, kUnitMeter), "3.00");
  EXPECT_EQ(DistanceText(30, kUnitMeter), "0.30");
  EXPECT_EQ(DistanceText(2405, kUnitMeter), "24.05");
  EXPECT_EQ(DistanceText(100, kUnitFeet), "10.0");
  EXPECT_EQ(DistanceText(85, kUnitFeet), "8.5");
  EXPECT_EQ(DistanceText(-5, kUnitMeter), "-0.05");
}

TEST(SpeakerDistanceText, ReadBackInItsOwnUnitOnly) {
  EXPECT_EQ(ParseDistanceText("3.00", kUnitMeter), 300);
  EXPECT_EQ(ParseDistanceText("0.30", kUnitMeter), 30);
  EXPECT_EQ(ParseDistanceText("24.00", kUnitMeter), 2400);
  EXPECT_EQ(ParseDistanceText("10.0", kUnitFeet), 100);
  EXPECT_EQ(ParseDistanceText("1.0", kUnitFeet), 10);
  EXPECT_EQ(ParseDistanceText("80.0", kUnitFeet), 800);
  // Out of range, off the step, or written in the other unit.
  for (std::string_view metres :
       {"0.20", "24.10", "3.05", "10.0", "3", "3.0", "3.000", "", ".", "a.bc", "-3.00"}) {
    EXPECT_EQ(ParseDistanceText(metres, kUnitMeter), std::nullopt) << metres;
  }
  for (std::string_view feet : {"0.5", "80.5", "10.2", "3.00", "24.00", "10", ""}) {
    EXPECT_EQ(ParseDistanceText(feet, kUnitFeet), std::nullopt) << feet;
  }
}

TEST(SpeakerDistanceCommand, FlAtThreeMetres) {
  const std::string body =
      "20090411"
      "2"
      "0"
      "12c";
  EXPECT_EQ(DistanceCommand('2', kUnitMeter, 300), "\x14" + body + Checksum(body) + "\x03");
  EXPECT_EQ(Checksum(body), "b9");  // 0x2b9: lower-case digits
}

TEST(SpeakerDistanceCommand, EveryByteAtTheRangeEnds) {
  struct Case {
    char channel;
    int unit;
    std::int32_t distance;
    std::string_view body;
  };
  for (const Case& c :
       {Case{'A', kUnitMeter, 30, "20090411A001e"}, Case{'A', kUnitMeter, 2400, "20090411A0960"},
        Case{'0', kUnitFeet, 10, "200904110100a"}, Case{'9', kUnitFeet, 800, "2009041191320"},
        Case{'0', kUnitFeet, 795, "200904110131b"}}) {
    EXPECT_EQ(DistanceCommand(c.channel, c.unit, c.distance),
              "\x14" + std::string(c.body) + Checksum(c.body) + "\x03")
        << c.body;
  }
}

}  // namespace
}  // namespace tw::settings::speaker
