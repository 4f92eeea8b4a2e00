// The configuration report: its exact text for a small sheet, and its shape.

#include <gtest/gtest.h>

#include "pages/configuration_fakes.h"
#include "pages/fake_page_link.h"
#include "settings/configuration_file.h"

namespace tw::test {
namespace {

const std::string kEq(80, '=');
const std::string kDash(80, '-');

struct Fixture {
  explicit Fixture(int region) {
    link.region = region;
    for (int i = 0; i < 7; ++i) {
      model::ParameterImage& image = *link.images.Image(i);
      image.basic = {};
      image.basic[3] = i == 0 ? 1 : 2;
      image.basic[8] = -100 - i;
      image.dsp = {};
      image.dsp[4] = i;
      image.multiZone = {};
      image.multiZone[3] = -200 - i;
      image.multiZone[9] = -300 - i;
      image.speakerLevel = {};
      image.tone = {};
      image.tone[1] = 4;
      image.xm.presets[0] = 9;
    }
  }
  std::string report() {
    const settings::ConfigurationFile file([this] { return link.settingContext(); }, catalogue.pages, &basic);
    return file.BuildReport(link.images, memo);
  }

  FakePageLink link{comm::WorkingMode::Async};
  FakeCatalogue catalogue;
  FakeBasicSettings basic;
  std::string memo;
};

std::string Heading(int k, const std::string& rest) {
  return kDash + "\r\n    " + std::to_string(k) + ". " + rest + "\r\n" + kDash;
}

std::string MemoryBlocks() {
  std::string text;
  int k = 2;
  for (int m = 1; m <= 6; ++m) {
    const std::string n = std::to_string(m);
    text += Heading(k++, "Memory " + n + " System") +
            "\r\n(Basic Control)\r\nDSP Program = Club\r\nNight Mode = 0\r\nNight Mode Parameter = 0\r\n"
            "\r\n(DSP Parameters Club)\r\nDelay = v" +
            n +
            "\r\nRoom Size = v0\r\n"
            "\r\n(Speaker Level)\r\nFL = 0\r\nFR = 0\r\n"
            "\r\n(Tone Control)\r\nTone Bypass = 0\r\n\r\n";
  }
  for (int m = 1; m <= 6; ++m) {
    text += Heading(k++, "Memory " + std::to_string(m) + " Volume") +
            "\r\n(Basic Control)\r\nMain Volume = " + std::to_string(-100 - m) + "\r\n\r\n";
  }
  for (int m = 1; m <= 6; ++m) {
    text += Heading(k++, "Memory " + std::to_string(m) + " Zone2 Volume") +
            "\r\n(Multi Zone)\r\nZone2 Volume = " + std::to_string(-200 - m) + "\r\n\r\n";
  }
  for (int m = 1; m <= 6; ++m) {
    text += Heading(k++, "Memory " + std::to_string(m) + " Zone3 Volume") +
            "\r\n(Multi Zone)\r\nZone3 Volume = " + std::to_string(-300 - m) + "\r\n\r\n";
  }
  return text;
}

std::string CurrentBlocks(bool withXm) {
  std::string text =
      "\r\n(Basic Control)\r\nInput = 0\r\nAudio Select = 0\r\nDecoder Mode = 0\r\nDSP Program = Hall B\r\n"
      "EXTD SUR = 0\r\nNight Mode = 0\r\nNight Mode Parameter = 0\r\nMain Volume = -100\r\nMute = 0\r\n"
      "\r\n(Multi Zone)\r\nZone2 Input = 0\r\nZone2 Volume = -200\r\nZone3 Volume = -300\r\n"
      "\r\n(DSP Parameters Hall A)\r\nDelay = v0\r\nRoom Size = v0\r\n"
      "\r\n(DSP Parameters Hall B)\r\nDelay = v0\r\nRoom Size = v0\r\n"
      "\r\n(DSP Parameters Club)\r\nDelay = v0\r\nRoom Size = v0\r\n"
      "\r\n(Speaker Level)\r\nFL = 0\r\nFR = 0\r\n"
      "\r\n(Tone Control)\r\nTone Bypass = 0\r\nSpeaker Bass Gain = 4\r\n";
  if (withXm) text += "\r\n(XM Set)\r\nPageA No.1 = 9\r\n";
  return text;
}

TEST(ConfigurationReport, ExactTextForASmallConfigurationInRegionTwo) {
  Fixture f(2);
  f.memo = "Client\r\nRoom 1";
  const std::string expected =
      kEq + "\r\n        Receiver Editer Configration Report\r\n        TQ-N4400\r\n" + kEq + "\r\n\r\n" +
      kDash + "\r\n    User Memo\r\n" + kDash + "\r\nClient\r\nRoom 1\r\n\r\n" + kDash +
      "\r\n    1. Current Setting \r\n" + kDash + CurrentBlocks(false) + "\r\n" + MemoryBlocks();
  EXPECT_EQ(f.report(), expected);
}

TEST(ConfigurationReport, RegionOneAddsTheXmBlockAfterTheLastPageBeforeIt) {
  Fixture f(1);
  const std::string report = f.report();
  EXPECT_NE(report.find(CurrentBlocks(true) + "\r\n" + kDash + "\r\n    2. Memory 1 System\r\n"),
            std::string::npos);
}

TEST(ConfigurationReport, ShapeWithAnEmptyMemoAndTheLastHeading) {
  Fixture f(1);
  const std::string report = f.report();
  EXPECT_EQ(report.rfind(kEq + "\r\n        Receiver", 0), 0u);
  EXPECT_NE(
      report.find("    User Memo\r\n" + kDash + "\r\n\r\n\r\n" + kDash + "\r\n    1. Current Setting \r\n"),
      std::string::npos);
  EXPECT_NE(report.find("    25. Memory 6 Zone3 Volume\r\n"), std::string::npos);
  EXPECT_EQ(report.find("    26."), std::string::npos);
  EXPECT_EQ(report.substr(report.size() - 4), "\r\n\r\n");
  // Every line ends in CR LF; no bare LF anywhere.
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\n') {
      ASSERT_TRUE(i > 0 && report[i - 1] == '\r') << "at " << i;
    }
  }
}

TEST(ConfigurationReport, APageTheSheetDoesNotShowContributesNothingButMemoriesStillDescribeIt) {
  Fixture f(1);
  const IntSettings offlineOnly("Multi Zone", {{18, "Zone2 Volume", [](model::ParameterImage& i) -> std::int32_t& {
                                                  return i.multiZone[3];
                                                }}},
                                settings::Presence::AsyncOnly);
  f.catalogue.pages[0] = &offlineOnly;
  f.link.mode = comm::WorkingMode::RealTime;
  const std::string report = f.report();
  EXPECT_EQ(report.find("(Multi Zone)\r\nZone2 Volume = -200"), std::string::npos);
  EXPECT_NE(report.find("(Basic Control)\r\nInput = 0"), std::string::npos);
  EXPECT_NE(report.find("(Multi Zone)\r\nZone2 Volume = -201"), std::string::npos);
}

TEST(ConfigurationReport, TheCurrentSettingIsTheImageInUse) {
  Fixture f(2);
  f.link.images.SelectInUse(3);
  EXPECT_NE(f.report().find("Current Setting \r\n" + kDash +
                            "\r\n(Basic Control)\r\nInput = 0\r\nAudio Select = 0\r\n"
                            "Decoder Mode = 0\r\nDSP Program = Club\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tw::test
