// A status frame ends as changed settings: every report it stands for is decoded and
// applied in order.

#include "comm/status_apply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "comm/protocol.h"
#include "model/command_table.h"
#include "model/parameter_access.h"

namespace tw::comm {
namespace {

using model::ParameterValue;

// A status data block of zeros with the given characters placed at their offsets.
std::string StatusDataWith(std::initializer_list<std::pair<int, const char*>> values) {
  std::string data(172, '0');
  for (const auto& [offset, text] : values)
    data.replace(static_cast<std::size_t>(offset), std::strlen(text), text);
  return data;
}

std::string StatusFrame(const std::string& data) {
  return "\x12"
         "R0210"
         "0"
         "AE" +
         data + "\x03";
}

model::ParameterImage DefaultImage() {
  model::ParameterImage image;
  model::ResetToDefaults(image, 1);
  return image;
}

TEST(StatusApply, EveryReportOfAStatusFrameLandsInTheImage) {
  const std::string data = StatusDataWith({
      {9, "05"},    // input DVD
      {40, "1"},    // decoder mode 1 ...
      {11, "8"},    // ... and audio select 1
      {19, "2D"},   // program Standard (10)
      {15, "C8"},   // main volume +0.5 dB
      {27, "12"},   // numbers 7 and 8
      {66, "3C"},   // SW level +10.0 dB
      {103, "1"},   // SW phase reverse
      {132, "5"},   // MULTI CH 8ch, front input DVD
      {8, "5"},     // power: main and Zone 3
      {159, "1E"},  // number 25
  });
  ASSERT_TRUE(IsStatusFrame(StatusFrame(data)));
  model::ParameterImage image = DefaultImage();
  std::vector<std::string> reports;
  const int applied = ApplyStatusFrame(StatusFrame(data), image, model::kLinkRealTime,
                                       [&](const StatusReport& r) { reports.push_back(r.frame); });
  EXPECT_EQ(applied, kStatusReportCount);
  ASSERT_EQ(reports.size(), static_cast<std::size_t>(kStatusReportCount));
  EXPECT_EQ(reports.front(),
            "\x02"
            "002105"
            "\x03");
  EXPECT_EQ(reports.back(),
            "\x02"
            "002005"
            "\x03");

  const std::vector<std::pair<int, ParameterValue>> expected = {
      {1, 5},   {2, 1},   {3, 1},   {4, 10}, {9, 5},  {7, 1},  {8, 2},  {277, 100},
      {435, 1}, {529, 1}, {530, 3}, {12, 1}, {13, 0}, {14, 1}, {25, 30}};
  for (const auto& [number, value] : expected) {
    EXPECT_EQ(model::GetParameter(image, number), value) << "number " << number;
  }
}

TEST(StatusApply, EachReportIsAppliedBeforeTheNextIsBuilt) {
  // The input report comes before the program report: during an upload the input's
  // Input DSP setting takes the program the image held at that moment.
  const std::string data = StatusDataWith({{9, "05"}, {19, "2D"}});
  model::ParameterImage image = DefaultImage();
  image.basic[3] = 3;
  std::vector<ParameterValue> programSeen;
  ApplyStatusData(data, image, model::kLinkUpload,
                  [&](const StatusReport&) { programSeen.push_back(*model::GetParameter(image, 4)); });
  ASSERT_GE(programSeen.size(), 3u);
  EXPECT_EQ(programSeen[0], ParameterValue(3));   // after "0021"
  EXPECT_EQ(programSeen[2], ParameterValue(10));  // after "0028"
  EXPECT_EQ(model::GetParameter(image, 222), ParameterValue(3));
}

TEST(StatusApply, ReportsTheStatusCannotDecodeAreLeftOut) {
  // "007B01" is no MULTI CH report: it reaches the sink undecoded and changes nothing.
  model::ParameterImage image = DefaultImage();
  int undecoded = 0;
  const int applied =
      ApplyStatusData(StatusDataWith({{132, "1"}}), image, model::kLinkRealTime, [&](const StatusReport& r) {
        if (!r.result.decoded) {
          ++undecoded;
          EXPECT_EQ(r.frame,
                    "\x02"
                    "007B01"
                    "\x03");
        }
      });
  EXPECT_EQ(undecoded, 1);
  EXPECT_EQ(applied, kStatusReportCount - 1);
  EXPECT_EQ(model::GetParameter(image, 529), ParameterValue(0));
}

TEST(StatusApply, AShortStatusFrameAppliesWhatItHolds) {
  model::ParameterImage image = DefaultImage();
  EXPECT_EQ(ApplyStatusData("", image, model::kLinkRealTime), 0);
  const std::string shortData = StatusDataWith({{9, "05"}}).substr(0, 12);
  EXPECT_GT(ApplyStatusData(shortData, image, model::kLinkRealTime), 0);
  EXPECT_EQ(model::GetParameter(image, 1), ParameterValue(5));
  EXPECT_EQ(ApplyStatusFrame("\x12", image, model::kLinkRealTime), 0);
}

}  // namespace
}  // namespace tw::comm
