// The tuner regions' frequency lists and factory presets, and the two frequency conversions.

#include <gtest/gtest.h>

#include <algorithm>

#include "model/tuner_presets.h"
#include "settings/tuner/tuner_frequencies.h"

namespace tw::test {
namespace {

using settings::tuner::Band;
using settings::tuner::DisplayForm;
using settings::tuner::FrequencyFromDisplay;
using settings::tuner::FrequencyList;

struct ListCase {
  int region;
  Band band;
  std::size_t length;
  std::string first;
  std::string second;
  std::string last;
};

TEST(TunerFrequencyLists, EachRegionsBandsHaveTheirLengthEndsAndStep) {
  const std::vector<ListCase> cases = {
      {0, Band::Am, 121, "000531", "000540", "001611"}, {0, Band::Fm, 141, "076.00", "076.10", "090.00"},
      {1, Band::Am, 119, "000530", "000540", "001710"}, {1, Band::Fm, 103, "087.50", "087.70", "107.90"},
      {2, Band::Am, 121, "000531", "000540", "001611"}, {2, Band::Fm, 411, "087.50", "087.55", "108.00"},
      {3, Band::Am, 119, "000530", "000540", "001710"}, {3, Band::Fm, 206, "087.50", "087.60", "108.00"},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE("region " + std::to_string(c.region) + (c.band == Band::Am ? " AM" : " FM"));
    const auto list = FrequencyList(c.region, c.band);
    ASSERT_EQ(list.size(), c.length);
    EXPECT_EQ(list.front(), c.first);
    EXPECT_EQ(list[1], c.second);
    EXPECT_EQ(list.back(), c.last);
    for (const std::string& text : list) EXPECT_TRUE(settings::tuner::IsFrequencyText(text)) << text;
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
  }
  EXPECT_TRUE(FrequencyList(4, Band::Fm).empty());
  EXPECT_TRUE(FrequencyList(-1, Band::Am).empty());
}

TEST(TunerFrequencyLists, EveryEntryOfEveryRegionSurvivesBothConversions) {
  int checked = 0;
  for (int region = 0; region < 4; ++region) {
    for (Band band : {Band::Am, Band::Fm}) {
      for (const std::string& text : FrequencyList(region, band)) {
        const std::string shown = DisplayForm(text);
        EXPECT_EQ(shown.substr(0, 3), band == Band::Am ? "AM " : "FM ") << text;
        EXPECT_EQ(FrequencyFromDisplay(shown), text) << shown;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 121 + 141 + 119 + 103 + 121 + 411 + 119 + 206);
}

TEST(TunerFactoryPresets, PagesACEHoldFmPagesBDHoldAmAndEveryPresetIsInTheRegionsBand) {
  for (int region = 0; region < 4; ++region) {
    SCOPED_TRACE("region " + std::to_string(region));
    const model::TunerTable& table = model::kTunerRegionTables[static_cast<std::size_t>(region)];
    for (std::size_t i = 0; i < 40; ++i) {
      const bool fm = (i / 8) % 2 == 0;
      EXPECT_EQ(settings::tuner::BandDigit(table[i]), fm ? '1' : '0') << i;
      EXPECT_EQ(table[i], table[i % 16]) << "pages A, C, E and pages B, D repeat " << i;
      EXPECT_TRUE(settings::tuner::IsInRegionList(region, table[i])) << table[i];
    }
    EXPECT_EQ(table[40], table[0]) << "the current frequency is the first FM preset";
  }
  // One row of each table as printed in the factory tables.
  EXPECT_EQ(model::kTunerRegionTables[0][7], "082.10");
  EXPECT_EQ(model::kTunerRegionTables[1][4], "107.90");
  EXPECT_EQ(model::kTunerRegionTables[2][12], "001611");
  EXPECT_EQ(model::kTunerRegionTables[3][11], "000530");
}

TEST(TunerDisplayForm, DropsLeadingAndTrailingZerosButKeepsOneDecimal) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"087.50", "FM 87.5MHz"}, {"090.00", "FM 90.0MHz"},  {"087.55", "FM 87.55MHz"}, {"108.00", "FM 108.0MHz"},
      {"000630", "AM 630kHz"},  {"001611", "AM 1611kHz"}, {"000531", "AM 531kHz"},
      {"87.5", "87.5"},         {"", ""},  // not six characters: shown as it stands
      // A reported text never reaches a list or a file with its control bytes.
      {"00\x1b" "630", "AM ?630kHz"}, {"7.5\r\n", "7.5??"}, {"87.5\r\n", "FM 87.5??MHz"}, {"1\xe9", "1?"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(DisplayForm(text), shown) << text;
}

TEST(TunerDisplayForm, ReadsBackEveryFormThatGivesSixCharactersAndRefusesTheRest) {
  const std::vector<std::pair<std::string, std::string>> accepted = {
      {"FM 87.5MHz", "087.50"}, {"AM 1611kHz", "001611"}, {"FM 87.55MHz", "087.55"}, {"FM 90.0MHz", "090.00"},
      {"FM 108.0MHz", "108.00"}, {"FM 87.5", "087.50"},    {"AM  630 kHz", "000630"}, {"087.50", "087.50"},
      {"000630", "000630"},
  };
  for (const auto& [shown, text] : accepted) EXPECT_EQ(FrequencyFromDisplay(shown), text) << shown;
  for (std::string_view refused : {"FM 90MHz", "FM 1087.5MHz", "FM 87.555MHz", "AM 1234567kHz", "AM 6a0kHz",
                                   "87.5", "", "FM MHz", "0000630", "087,50", "08.750"}) {
    EXPECT_EQ(FrequencyFromDisplay(refused), std::nullopt) << refused;
  }
}

}  // namespace
}  // namespace tw::test
