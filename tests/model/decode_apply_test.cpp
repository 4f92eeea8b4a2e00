// Decoded reports stored into an image, group by group.

#include "model/decode_apply.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "model/command_table.h"
#include "model/decode.h"
#include "model/parameter_access.h"

namespace tw::model {
namespace {

const std::string kStx = "\x02";
const std::string kEtx = "\x03";
const std::string kDc4 = "\x14";

std::string Std(const std::string& body) { return kStx + body + kEtx; }
std::string Ext(const std::string& body) { return kDc4 + body + "00" + kEtx; }  // checksum not read

ParameterImage DefaultImage() {
  ParameterImage image;
  ResetToDefaults(image, 1);
  return image;
}

// Every numbered value of an image, to see exactly which ones a report changed.
std::map<int, ParameterValue> Snapshot(const ParameterImage& image) {
  std::map<int, ParameterValue> values;
  for (int number = 1; number <= 564; ++number) {
    if (auto v = GetParameter(image, number)) values.emplace(number, *v);
  }
  for (int record = 0; record < 10; ++record) {
    for (int number = 397; number <= 404; ++number) {
      values.emplace(1000 + record * 10 + number - 397, *GetGraphicEqValue(image, record, number));
    }
  }
  return values;
}

std::map<int, ParameterValue> Changes(const ParameterImage& before, const ParameterImage& after) {
  std::map<int, ParameterValue> changed;
  const auto a = Snapshot(before);
  for (const auto& [number, value] : Snapshot(after)) {
    if (a.at(number) != value) changed.emplace(number, value);
  }
  return changed;
}

bool ApplyFrame(ParameterImage& image, const std::string& frame, int linkMode = kLinkRealTime) {
  return Apply(image, Decode(frame), linkMode);
}

struct StoreCase {
  std::string frame;
  std::map<int, ParameterValue> changes;
};

TEST(DecodeApply, EachPlainGroupStoresThroughItsBlock) {
  const StoreCase cases[] = {
      {Std("0026C8"), {{9, 5}}},
      {Std("002005"), {{13, 0}}},  // 12 and 14 stay on
      {Std("0027A0"), {{18, -195}}},
      {Ext("200B021000010"
           "14"),
       {{30, 20}}},
      {Ext("20110110000"
           "08"
           "RECORDS "),
       {{240, std::string("RECORDS ")}}},
      {Ext("2008010030"
           "0C"),
       {{254, 10}}},
      {Std("00403C"), {{269, 100}}},
      {Ext("20090410"
           "2"
           "1"
           "050"),
       {{278, 1}, {279, 80}}},
      {Ext("2009033001"
           "0"
           "14"),
       {{292, 0}, {293, 40}}},
      {Ext("200904000101"
           "0"),
       {{312, 0}}},
      {Std("003B03"), {{345, 2}}},
      {Ext("2008012020"
           "0E"),
       {{396, 10}}},
      {Std("007100"), {{427, 1}}},
      {Ext("200D050058"
           "0"
           "001611"),
       {{476, std::string("001611")}}},
      {Ext("2008051058"
           "FF"),
       {{516, 255}}},
      {Std("002B00"), {{526, 2}}},
      {Std("007B0C"), {{529, 1}, {530, 8}}},
      {Std("008F03"), {{534, 3}}},
      {Std("00B801"), {{545, 1}}},
  };
  for (const StoreCase& c : cases) {
    ParameterImage image = DefaultImage();
    const ParameterImage before = image;
    EXPECT_TRUE(ApplyFrame(image, c.frame)) << c.frame;
    EXPECT_EQ(Changes(before, image), c.changes) << c.frame;
  }
}

TEST(DecodeApply, SpeakerDistanceReadsBackIntoTheChannelItWasWrittenTo) {
  // The page's channel codes and numbers; a reply for a channel fills that channel's slider.
  const std::map<char, int> channels = {{'2', 279}, {'3', 280}, {'0', 281}, {'4', 282}, {'5', 283},
                                        {'6', 284}, {'7', 285}, {'8', 286}, {'9', 287}, {'A', 288}};
  for (const auto& [code, number] : channels) {
    ParameterImage image = DefaultImage();
    ASSERT_TRUE(ApplyFrame(image, Ext(std::string("20090410") + code + "0" + "3E8")));
    EXPECT_EQ(GetParameter(image, number), ParameterValue(1000)) << code;
  }
}

TEST(DecodeApply, GraphicEqFindsTheRecordByChannelIdentifier) {
  ParameterImage image = DefaultImage();
  image.graphicEq[0].bands[1] = 30;
  ParameterImage before = image;
  ASSERT_TRUE(ApplyFrame(image, Ext("2008030002"
                                    "0F")));  // channel 0, band 2: 15 * 5 - 75
  EXPECT_EQ(Changes(before, image), (std::map<int, ParameterValue>{{1000 + 2, 0}}));

  // Channel 10 ("A") sits in the last record; swapping identifiers moves the target.
  before = image;
  ASSERT_TRUE(ApplyFrame(image, Ext("20080300A2"
                                    "1E")));
  EXPECT_EQ(Changes(before, image), (std::map<int, ParameterValue>{{1090 + 2, 75}}));
  std::swap(image.graphicEq[0].id, image.graphicEq[9].id);
  before = image;
  ASSERT_TRUE(ApplyFrame(image, Ext("20080300A0"
                                    "00")));
  EXPECT_EQ(Changes(before, image), (std::map<int, ParameterValue>{{1000 + 1, -75}}));
}

TEST(DecodeApply, GraphicEqForAnUnknownChannelChangesNothingAndFails) {
  ParameterImage image = DefaultImage();
  image.graphicEq[1].id = 12;  // no record holds channel 2 any more
  const ParameterImage before = image;
  EXPECT_FALSE(ApplyFrame(image, Ext("2008030020"
                                     "1E")));
  EXPECT_TRUE(Changes(before, image).empty());
}

TEST(DecodeApply, IpodSlotsAndTexts) {
  ParameterImage image = DefaultImage();
  ParameterImage before = image;
  ASSERT_TRUE(ApplyFrame(image, Std("009600")));
  ASSERT_TRUE(ApplyFrame(image, Std("009702")));
  ASSERT_TRUE(ApplyFrame(image, Std("009801")));
  ASSERT_TRUE(ApplyFrame(image, Ext("2006004001")));
  ASSERT_TRUE(ApplyFrame(image, Ext("2006005001")));
  EXPECT_EQ(Changes(before, image),
            (std::map<int, ParameterValue>{{548, 0}, {549, 2}, {550, 1}, {551, 1}, {552, 1}}));

  const std::string play = std::string(40, 'T') + std::string(80, 'a');
  const std::string list = "1" + std::string(80, 'L');
  ASSERT_TRUE(ApplyFrame(image, Ext("207D00402" + play)));
  ASSERT_TRUE(ApplyFrame(image, Ext("205600502" + list)));
  EXPECT_EQ(GetParameter(image, 554), ParameterValue(play));
  EXPECT_EQ(GetParameter(image, 555), ParameterValue(list));
}

TEST(DecodeApply, IpodTextsShorterThanTheirFieldTakeWhatTheFrameHolds) {
  ParameterImage image = DefaultImage();
  ASSERT_TRUE(ApplyFrame(image, kDc4 + "207D00402" + "SHORT"));
  EXPECT_EQ(GetParameter(image, 554), ParameterValue(std::string("SHORT")));
}

TEST(DecodeApply, SystemMemoryReportsStoreNothing) {
  ParameterImage image = DefaultImage();
  const ParameterImage before = image;
  const DecodeResult result = Decode(Std("003101"));
  EXPECT_EQ(result.group, kGroupReportOnly);
  EXPECT_TRUE(Apply(image, result, kLinkRealTime));
  EXPECT_TRUE(Changes(before, image).empty());
}

TEST(DecodeApply, UndecodedFramesAreNotApplied) {
  ParameterImage image = DefaultImage();
  const ParameterImage before = image;
  EXPECT_FALSE(ApplyFrame(image, Std("00FF00")));
  EXPECT_FALSE(ApplyFrame(image, ""));
  EXPECT_TRUE(Changes(before, image).empty());
}

// With night mode off the receiver holds the parameter at Min, as its status frame says; a
// report that names the parameter itself is taken as it stands.
TEST(DecodeApply, NightModeOffReportedWithoutItsParameterSetsTheParameterToMin) {
  const std::vector<StoreCase> cases = {
      {Std("008200"), {{7, 0}, {8, 0}}},  // night mode off, parameter Max before
      {Std("008201"), {{7, 1}}},          // cinema: the parameter stays
      {Std("008B00"), {{7, 0}, {8, 0}}},
      {Std("008B11"), {{7, 1}, {8, 1}}},
  };
  for (const StoreCase& c : cases) {
    ParameterImage image = DefaultImage();
    image.basic[6] = 2;
    image.basic[7] = 2;
    const ParameterImage before = image;
    ASSERT_TRUE(ApplyFrame(image, c.frame));
    EXPECT_EQ(Changes(before, image), c.changes) << c.frame.substr(1, 6);
  }
}

TEST(DecodeApply, DuringAnUploadAnInputReportRecordsTheProgramOfThatInput) {
  ParameterImage image = DefaultImage();
  ASSERT_TRUE(ApplyFrame(image, Std("002805"), kLinkUpload));  // program 1
  ParameterImage before = image;
  ASSERT_TRUE(ApplyFrame(image, Std("002103"), kLinkUpload));  // input 3 (CD-R)
  EXPECT_EQ(Changes(before, image), (std::map<int, ParameterValue>{{1, 3}, {218, 1}}));

  // A program report alone fills nothing; the next input report does.
  ASSERT_TRUE(ApplyFrame(image, Std("002880"), kLinkUpload));  // Straight
  ASSERT_TRUE(ApplyFrame(image, Std("002100"), kLinkUpload));
  EXPECT_EQ(GetParameter(image, 212), ParameterValue(28));
  EXPECT_EQ(GetParameter(image, 218), ParameterValue(1));
}

TEST(DecodeApply, OutsideAnUploadInputReportsLeaveTheInputDspBlockAlone) {
  for (int mode : {kLinkIdle, kLinkRealTime, kLinkDownload}) {
    ParameterImage image = DefaultImage();
    ASSERT_TRUE(ApplyFrame(image, Std("002805"), mode));
    const ParameterImage before = image;
    ASSERT_TRUE(ApplyFrame(image, Std("002103"), mode));
    EXPECT_EQ(Changes(before, image), (std::map<int, ParameterValue>{{1, 3}})) << "mode " << mode;
  }
}

TEST(DecodeApply, AnInputReportWithAnUnknownCodeStillRecordsTheStoredInput) {
  ParameterImage image = DefaultImage();
  ASSERT_TRUE(ApplyFrame(image, Std("002105"), kLinkUpload));  // input 5 (DVD), program 14 default
  ASSERT_TRUE(ApplyFrame(image, Std("00282D"), kLinkUpload));  // program 10
  ASSERT_TRUE(ApplyFrame(image, Std("00210B"), kLinkUpload));  // no such input: input stays 5
  EXPECT_EQ(GetParameter(image, 1), ParameterValue(5));
  EXPECT_EQ(GetParameter(image, 222), ParameterValue(10));
}

}  // namespace
}  // namespace tw::model
