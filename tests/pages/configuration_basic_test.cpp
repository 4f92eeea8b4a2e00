// The configuration file and report with the real Basic Control group: its section, its
// parse rules through a file, and the memories' Basic Control items.

#include <gtest/gtest.h>

#include <random>

#include "settings/configuration_file.h"
#include "settings/offline_configuration.h"
#include "support/scripted_ui_services.h"

namespace tw::test {
namespace {

struct Workspace {
  explicit Workspace(int region = 1) : workspace(region) {}
  model::ParameterImage& image(int i) { return *workspace.images.Image(i); }
  settings::OfflineConfiguration workspace;
};

// Values the group can show, chosen at random: every item takes part.
void Randomise(model::ParameterImage& image, std::mt19937& random) {
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  image.basic[0] = pick(0, 12);
  image.basic[1] = pick(0, 3);
  image.basic[2] = pick(0, 2);
  image.basic[3] = pick(0, 28);
  image.basic[5] = pick(0, 5);
  image.basic[6] = pick(0, 2);
  image.basic[7] = pick(0, 2);
  image.basic[8] = pick(0, 1) == 0 ? -805 : 5 * pick(-160, 32);
  image.basic[9] = pick(0, 1);
}

TEST(ConfigurationBasicControl, EveryItemAndEveryMemoryRoundTrips) {
  std::mt19937 random(8);
  for (int round = 0; round < 20; ++round) {
    Workspace a;
    for (int i = 0; i < 7; ++i) Randomise(a.image(i), random);
    a.workspace.memo = "round " + std::to_string(round);
    const std::string saved = a.workspace.Save().Text();

    Workspace b;
    b.workspace.Load(files::Profile::Parse(saved));
    EXPECT_EQ(b.workspace.Save().Text(), saved);
    EXPECT_EQ(b.image(0).basic[0], a.image(0).basic[0]);
    for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 6u, 7u, 8u, 9u}) {
      EXPECT_EQ(b.image(0).basic[n], a.image(0).basic[n]) << "integer " << n + 1;
    }
    for (int m = 1; m <= 6; ++m) {
      for (std::size_t n : {3u, 6u, 7u, 8u})
        EXPECT_EQ(b.image(m).basic[n], a.image(m).basic[n]) << m << "/" << n;
    }
  }
}

TEST(ConfigurationBasicControl, TextsAsTheFileGivesThem) {
  Workspace w;
  w.workspace.Load(
      files::Profile::Parse("[Basic Control]\r\nMain Volume=Mute\r\nDSP Program=Straight\r\n"
                            "Input=dvd\r\nMute=ON\r\n"
                            "[Volume Memory 5 Basic Control]\r\nMain Volume=-12.5dB\r\n"));
  EXPECT_EQ(w.image(0).basic[8], -805);
  EXPECT_EQ(w.image(0).basic[3], 28);
  EXPECT_EQ(w.image(0).basic[0], 5);  // list entries are found ignoring letter case
  EXPECT_EQ(w.image(0).basic[9], 1);
  EXPECT_EQ(w.image(5).basic[8], -125);

  const model::ParameterImage before = w.image(0);
  w.workspace.Load(
      files::Profile::Parse("[Basic Control]\r\nMain Volume=-12.5\r\nDSP Program=Opera\r\nMute=on\r\n"
                            "Night Mode Parameter=min\r\n"));
  EXPECT_EQ(w.image(0), before);
}

TEST(ConfigurationBasicControl, ZonePowerIsNeverInTheFile) {
  Workspace w;
  const files::Profile saved = w.workspace.Save();
  EXPECT_EQ(saved.KeyNames("Basic Control").size(), 9u);
  const model::ParameterImage before = w.image(0);
  w.workspace.Load(files::Profile::Parse("[Basic Control]\r\nMain=ON\r\nZone 2=ON\r\nZone2 Power=1\r\n"));
  EXPECT_EQ(w.image(0), before);
}

TEST(ConfigurationBasicControl, ReportOfTheGroupAloneForFactorySettings) {
  Workspace w;
  const settings::ConfigurationFile noPages([] { return settings::SettingContext{}; }, {});
  const std::string report = noPages.BuildReport(w.workspace.images, "");
  const std::string dashes(80, '-');
  const std::string current =
      dashes + "\r\n    1. Current Setting \r\n" + dashes +
      "\r\n(Basic Control)\r\nInput = DVD\r\nAudio Select = Auto\r\nDecoder Mode = Auto\r\n"
      "DSP Program = Drama\r\nEXTD SUR = Auto\r\nNight Mode = OFF\r\n"
      "Night Mode Parameter = Mid\r\nMain Volume = -40.0dB\r\nMute = OFF\r\n\r\n";
  const std::size_t at = report.find(current);
  ASSERT_NE(at, std::string::npos) << report;
  const std::string next = dashes + "\r\n    2. Memory 1 System\r\n";
  EXPECT_EQ(report.substr(at + current.size(), next.size()), next);
  EXPECT_NE(report.find("    8. Memory 1 Volume\r\n" + dashes +
                        "\r\n(Basic Control)\r\nMain Volume = -40.0dB\r\n\r\n"),
            std::string::npos);
  // No Multi Zone page: the zone volume groups have a heading and nothing else.
  EXPECT_NE(report.find("    14. Memory 1 Zone2 Volume\r\n" + dashes + "\r\n" + dashes), std::string::npos);
}

}  // namespace
}  // namespace tw::test
