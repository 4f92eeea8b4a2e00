// Graphic EQ and Tone Control through a ".qcf" file, the report and the System Memory
// group, as the sheet and the System Memory page walk them.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <algorithm>
#include <filesystem>

#include "settings/catalogue.h"
#include "settings/eq/graphic_eq_settings.h"
#include "settings/eq/tone_control_settings.h"
#include "settings/configuration_memory.h"
#include "pages/sheet.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

struct SheetFixture {
  SheetFixture() : sheet({link, ui}) { sheet.Create(); }
  model::ParameterImage& image(int index = 0) { return *link.images.Image(index); }
  FakePageLink link{comm::WorkingMode::Async};
  ui::ScriptedUiServices ui;
  pages::Sheet sheet;
};

// Every band and tone value away from its default.
void Vary(model::ParameterImage& image) {
  for (int record = 0; record < 10; ++record) {
    for (int band = 0; band < 7; ++band) {
      image.graphicEq[static_cast<std::size_t>(record)].bands[static_cast<std::size_t>(band)] =
          -55 + 5 * ((3 * record + band) % 23);
    }
  }
  image.tone = {1, 2, 0, -35, 45, 0, 2, 60, -60, -7, 8, 10, -10, -130, -20, 2, 1, 199};
}

TEST(EqFiles, BothPagesRoundTripThroughAQcfFileExceptTheSubwoofersUpperBands) {
  SheetFixture f;
  Vary(f.image());
  files::Profile saved;
  SheetFile(f.link).SavePages(f.image(), saved);
  const auto path = std::filesystem::temp_directory_path() / "tunewright_eq_round_trip.qcf";
  ASSERT_TRUE(saved.Save(path));
  files::Profile loaded;
  ASSERT_TRUE(loaded.Load(path));
  std::filesystem::remove(path);
  const auto sections = loaded.SectionNames();
  const auto tone = std::find(sections.begin(), sections.end(), "Tone Control");
  const auto eq = std::find(sections.begin(), sections.end(), "Graphic EQ");
  ASSERT_NE(tone, sections.end());
  ASSERT_NE(eq, sections.end());
  EXPECT_LT(tone, eq);
  EXPECT_EQ(loaded.KeyNames("Tone Control").size(), 18u);
  EXPECT_EQ(loaded.KeyNames("Graphic EQ").size(), 65u);

  model::ParameterImage& fresh = f.image(1);
  SheetFile(f.link).LoadPages(fresh, loaded);
  model::ParameterImage expected = *f.link.images.Image(2);  // untouched factory values
  expected.tone = f.image().tone;  // the turnovers too
  expected.graphicEq = f.image().graphicEq;
  for (std::size_t band = 2; band < 7; ++band) expected.graphicEq[9].bands[band] = 0;  // not filed
  EXPECT_EQ(fresh.tone, expected.tone);
  EXPECT_EQ(fresh.graphicEq, expected.graphicEq);
}

TEST(EqFiles, ReportBlocksInSheetOrder) {
  SheetFixture f;
  Vary(f.image());
  const std::string report = SheetFile(f.link).ReportPages(f.image());
  const auto tone = report.find("\r\n(Tone Control)\r\nTone Bypass = OFF\r\nSpeaker Bass Gain = -3.5dB\r\n");
  const auto eq = report.find("\r\n(Graphic EQ)\r\n(Center) Band 1 (63Hz) Gain = -5.5dB\r\n");
  ASSERT_NE(tone, std::string::npos) << report;
  ASSERT_NE(eq, std::string::npos);
  EXPECT_LT(report.find("(Speaker Distance)"), tone);
  EXPECT_LT(tone, eq);
  EXPECT_LT(eq, report.find("(Speaker Set)"));
  EXPECT_NE(report.find("Audio Delay = 199\r\nDynamic Range Speaker = Min\r\n"), std::string::npos);
  EXPECT_NE(report.find("(Subwoofer) Band 2 (160Hz) Gain = "), std::string::npos);
  EXPECT_EQ(report.find("(Subwoofer) Band 3"), std::string::npos);
}

TEST(EqFiles, SystemMemoryKeepsTheSpeakerToneItemsAndEveryFiledBandAndSendsAllSeventy) {
  SheetFixture f;
  const settings::MemoryGroups groups([&f] { return f.link.settingContext(); }, settings::Catalogue(), nullptr);
  model::ParameterImage& memory = f.image(3);
  Vary(memory);
  std::vector<int> tone;
  int filedBands = 0;
  for (const settings::MemoryItem& item : groups.Items(files::MemoryCategory::System, memory)) {
    if (item.page == &settings::ToneControlSettings()) {
      tone.push_back(item.item.number);
      EXPECT_EQ(item.item.subIndex, -1);
    }
    filedBands += item.page == &settings::GraphicEqSettings();
  }
  EXPECT_EQ(tone, (std::vector<int>{289, 291, 293, 290, 292, 302, 304, 305}));
  EXPECT_EQ(filedBands, 65);
  int sentBands = 0;
  for (const settings::MemoryItem& item : groups.Items(files::MemoryCategory::System, memory, true)) {
    sentBands += item.page == &settings::GraphicEqSettings();
  }
  EXPECT_EQ(sentBands, 70);

  files::Profile profile;
  groups.Save(files::MemoryCategory::System, 3, memory, profile);
  EXPECT_EQ(profile.KeyNames("System Memory 3 Tone Control"),
            (std::vector<std::string>{"Tone Bypass", "Speaker Bass Gain", "Speaker Treble Gain",
                                      "Speaker Bass Turnover", "Speaker Treble Turnover", "LFE Level SP",
                                      "Audio Delay", "Dynamic Range Speaker"}));
  EXPECT_EQ(profile.KeyNames("System Memory 3 Graphic EQ").size(), 65u);
  EXPECT_EQ(profile.GetString("System Memory 3 Graphic EQ", "(Presence R) Band 7 (16kHz) Gain", ""), "-2.0dB");

  model::ParameterImage& other = f.image(5);
  groups.Load(files::MemoryCategory::System, 3, other, profile);
  for (int record = 0; record < 9; ++record) {
    EXPECT_EQ(other.graphicEq[static_cast<std::size_t>(record)], memory.graphicEq[static_cast<std::size_t>(record)]);
  }
  for (int number : {289, 290, 291, 292, 293, 302, 304, 305}) {
    EXPECT_EQ(model::GetParameter(other, number), model::GetParameter(memory, number)) << number;
  }
  EXPECT_NE(model::GetParameter(other, 295), model::GetParameter(memory, 295)) << "not a memory item";
}

// The error log names a failed command by the first page that describes its number.
TEST(EqFiles, ErrorLogNamesEveryToneNumber) {
  SheetFixture f;
  const pages::BasePage* tone = f.sheet.FindPage("Tone Control");
  const pages::BasePage* eq = f.sheet.FindPage("Graphic EQ");
  ASSERT_TRUE(tone && eq);
  for (int number = 289; number <= 306; ++number) {
    const pages::ItemText text = tone->settings().DescribeItem(f.image(), number, -1, false);
    EXPECT_EQ(text.section, "Tone Control") << number;
    EXPECT_FALSE(text.key.empty()) << number;
  }
  // A band without its record still names the page and the band.
  for (int number = 398; number <= 404; ++number) {
    const pages::ItemText text = eq->settings().DescribeItem(f.image(), number, -1, false);
    EXPECT_EQ(text.section, "Graphic EQ");
    EXPECT_EQ(text.key.rfind("Band " + std::to_string(number - 397) + " (", 0), 0u) << text.key;
    EXPECT_TRUE(tone->settings().DescribeItem(f.image(), number, -1, false).section.empty());
  }
  for (int other : {397, 405, 289}) EXPECT_TRUE(eq->settings().DescribeItem(f.image(), other, 0, false).key.empty()) << other;
}

}  // namespace
}  // namespace tw::test
