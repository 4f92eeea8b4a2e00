// Finding a setting by any part of its name, value or page, across the Basic Control group
// and every tab of the sheet, and the control that edits it.
#include "pages/setting_search.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/application.h"
#include "pages/workbench_fixture.h"

namespace tw::pages::test {
namespace {

struct Found {
  std::string place;
  std::string key;
  friend bool operator==(const Found&, const Found&) = default;
};

std::vector<Found> Places(const std::vector<SettingMatch>& matches) {
  std::vector<Found> places;
  for (const SettingMatch& match : matches) places.push_back({match.place, match.key});
  return places;
}

bool Has(const std::vector<SettingMatch>& matches, std::string_view place, std::string_view key) {
  return std::any_of(matches.begin(), matches.end(),
                     [&](const SettingMatch& match) { return match.place == place && match.key == key; });
}

struct SearchFixture : BenchFixture {
  SearchFixture() : BenchFixture(app::kStartModeAsync, {}, 1) {}
  std::vector<SettingMatch> find(std::string_view query, std::size_t limit = 200) {
    return FindSettings(bench.sheet(), &bench.basicControls(), image(0), query, limit);
  }
};

TEST(SettingSearch, FindsMainVolumeSwAndDistanceWithTheirPagesAndControls) {
  SearchFixture f;
  const auto volume = f.find("main volume");
  ASSERT_FALSE(volume.empty());
  EXPECT_EQ(volume[0].place, "Basic Control");
  EXPECT_EQ(volume[0].key, "Main Volume");
  EXPECT_EQ(volume[0].value, "-40.0dB");
  EXPECT_EQ(volume[0].tab, SettingMatch::kBasicControl);
  EXPECT_EQ(volume[0].control, &f.bench.basicControls().volume);  // the slider in the "Main Volume" frame

  // Keys that begin with the query come first, in form order; then keys that contain it,
  // then values.
  const auto sw = f.find("SW");
  ASSERT_GE(sw.size(), 4u);
  EXPECT_EQ(Places({sw.begin(), sw.begin() + 4}),
            (std::vector<Found>{{"Speaker Level", "SW"},
                                {"Speaker Distance", "SW"},
                                {"Speaker Set", "SW Cross Over"},
                                {"Speaker Set", "SW Phase"}}));
  const BasePage& level = *f.bench.sheet().tabs()[static_cast<std::size_t>(sw[0].tab)];
  EXPECT_EQ(level.caption(), "Speaker Level");
  ASSERT_NE(sw[0].control, nullptr);
  EXPECT_EQ(sw[0].control->kind(), ui::ControlKind::LevelSlider);
  EXPECT_TRUE(Has(sw, "Speaker Set", "LFE/Bass Out"));  // its value "SWFR"

  // A sound program's parameters are found under their program's section.
  const auto vienna = f.find("hall in vienna");
  EXPECT_TRUE(Has(vienna, "DSP Parameters Hall in Vienna", "DSP Level"));
  EXPECT_FALSE(Has(vienna, "DSP Parameters Hall in Munich", "DSP Level"));

  // A page's caption finds all of its settings.
  const auto distance = f.find("Distance");
  for (const char* channel : {"FL", "FR", "CT", "SL", "SR", "SBL", "SBR", "PRL", "PRR", "SW"}) {
    EXPECT_TRUE(Has(distance, "Speaker Distance", channel)) << channel;
  }
}

TEST(SettingSearch, EverySettingOfEveryPageIsFoundByItsKeyInBothModes) {
  for (const int mode : {app::kStartModeAsync, app::kStartModeRealTime}) {
    BenchFixture f(mode, {}, 1);
    const model::ParameterImage& image = f.image(0);
    std::size_t settings = 0;
    for (const BasePage* page : f.bench.sheet().tabs()) {
      for (const PageItem& item : page->ListItems(true, kAllGroups)) {
        const ItemText text = page->settings().DescribeItem(image, item.number, item.subIndex, false);
        if (text.key.empty()) continue;
        ++settings;
        const auto found = FindSettings(f.bench.sheet(), &f.bench.basicControls(), image, text.key, 100000);
        EXPECT_TRUE(Has(found, text.section, text.key)) << text.section << " / " << text.key;
      }
    }
    EXPECT_GT(settings, 0u);
  }
}

TEST(SettingSearch, IgnoresCaseAndSurroundingBlanksAndFindsNothingForNothing) {
  SearchFixture f;
  EXPECT_EQ(Places(f.find("  decoder MODE ")),
            (std::vector<Found>{{"Basic Control", "Decoder Mode"}, {"Other", "Decoder Mode Set"}}));
  EXPECT_TRUE(f.find("").empty());
  EXPECT_TRUE(f.find("   ").empty());
  EXPECT_TRUE(f.find("no such setting anywhere").empty());
  EXPECT_EQ(f.find("e", 3).size(), 3u);
}

TEST(SettingSearch, TheControlIsTheCaptionedOneTheNamedFrameOrTheOneShowingTheValue) {
  ui::ListCombo input(1);
  input.addString("DVD");
  input.setCurSel(0);
  ui::GroupBox frame(2, "Main Volume");
  ui::LevelSlider volume(3);
  ui::CheckBox mute(4, "Mute");
  ui::RadioGroup priority(5, "PR/SB Priority", {{6, "Surround Back"}, {7, "Presence"}});
  priority.setSelected(1);
  ui::RadioGroup presence(8, "Presence", {{9, "None"}, {10, "Yes"}});
  presence.setSelected(0);
  const ui::Form form("Page", ui::Column({ui::Item("Input", input), ui::Group(frame, {ui::Item(volume)}),
                                          ui::Item(mute), ui::Item(priority), ui::Item(presence)}));
  EXPECT_EQ(ControlForSetting(form, "Input", "DVD"), &input);
  EXPECT_EQ(ControlForSetting(form, "Main Volume", "-40.0dB"), &volume);
  EXPECT_EQ(ControlForSetting(form, "Mute", "OFF"), &mute);
  // A key that names nothing: the one group that shows the value edits it.
  EXPECT_EQ(ControlForSetting(form, "PR/SB Select", "Presence"), &priority);
  // Two controls show "None" and "DVD" stands in one list: only a unique one counts.
  ui::RadioGroup other(11, "Other", {{12, "None"}});
  other.setSelected(0);
  const ui::Form twice("Page", ui::Column({ui::Item(presence), ui::Item(other)}));
  EXPECT_EQ(ControlForSetting(twice, "Unknown", "None"), nullptr);
  EXPECT_EQ(ControlForSetting(form, "Unknown", ""), nullptr);
}

}  // namespace
}  // namespace tw::pages::test
