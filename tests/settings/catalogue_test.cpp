// Rules every setting of the catalogue keeps, checked over every page, item and value.

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <variant>

#include "model/parameter_images.h"
#include "settings/catalogue.h"
#include "settings/offline_configuration.h"

namespace tw::test {
namespace {

using settings::ChoiceItem;
using settings::LevelItem;
using settings::PageSettings;

// Every value an item can hold: a choice's entries, a level's steps; none for a value
// that a page's own rule reads (no item).
std::vector<std::int32_t> ValuesOf(const PageSettings::Item* item) {
  std::vector<std::int32_t> values;
  if (const auto* choice = std::get_if<ChoiceItem>(item)) {
    for (int entry = 0; entry < choice->count(); ++entry) values.push_back(choice->ValueOf(entry));
  } else if (const auto* level = std::get_if<LevelItem>(item)) {
    for (std::int32_t v = level->min; v <= level->max; v += std::max(level->step, 1)) values.push_back(v);
  }
  return values;
}

settings::SettingContext EveryRegionListsItsOwn(int region) { return {.capabilities = {}, .tunerRegion = region, .realTime = false}; }

TEST(Catalogue, EveryAcceptedValueTextOfAFileReadsBackAsTheSameValue) {
  for (const PageSettings* page : settings::Catalogue()) {
    for (int region = 0; region < 4; ++region) {
      for (const settings::PageItem& listed : page->ListItems(true, EveryRegionListsItsOwn(region))) {
        for (std::int32_t value : ValuesOf(page->Find(listed.number))) {
          model::ParameterImages written(region);
          model::ParameterImage& image = *written.Image(0);
          // A value the page refuses cannot come from a file.
          if (!page->Accepts(image, listed.number, listed.subIndex, value)) continue;
          ASSERT_TRUE(settings::WriteValue(image, page->RecordsOf(listed.number), listed.number, listed.subIndex, value));
          const settings::ItemText text = page->DescribeItem(image, listed.number, listed.subIndex, false);
          model::ParameterImages read(region);
          ASSERT_TRUE(page->ParseItem(*read.Image(0), listed.number, listed.subIndex, text.value))
              << page->caption() << " " << text.key << " = " << text.value;
          EXPECT_EQ(settings::ReadValue(*read.Image(0), page->RecordsOf(listed.number), listed.number,
                                        listed.subIndex),
                    value)
              << page->caption() << " " << text.key << " = " << text.value;
        }
      }
    }
  }
}

// A page's section is its caption, or its caption and a group's name (a sound program's).
TEST(Catalogue, EveryItemOfAPageHasAKeyOfItsOwnUnderThePageSection) {
  model::ParameterImages images(1);
  for (const PageSettings* page : settings::Catalogue()) {
    std::set<std::string> keys;
    for (const settings::PageItem& listed : page->ListItems(true, EveryRegionListsItsOwn(1))) {
      const settings::ItemText text = page->DescribeItem(*images.Image(0), listed.number, listed.subIndex, false);
      EXPECT_TRUE(text.section == page->caption() || text.section.starts_with(page->caption() + " "))
          << text.section;
      EXPECT_TRUE(keys.insert(text.section + "] " + text.key).second) << text.section << " repeats " << text.key;
    }
  }
}

// Every page's values, picked at random in images 0..6, survive a save and a read into a
// configuration of factory values, in every tuner region.
TEST(Catalogue, AWholeConfigurationRoundTripsThroughItsFile) {
  std::mt19937 random(20261208);
  for (int region = 0; region < 4; ++region) {
    settings::OfflineConfiguration written(region);
    for (int index = 0; index < model::kImageCount; ++index) {
      model::ParameterImage& image = *written.images.Image(index);
      for (const PageSettings* page : settings::Catalogue()) {
        for (const settings::PageItem& listed : page->ListItems(true, EveryRegionListsItsOwn(region))) {
          const std::vector<std::int32_t> values = ValuesOf(page->Find(listed.number));
          if (values.empty()) continue;
          const std::int32_t value = values[random() % values.size()];
          // Only what the page takes beside the values already picked (an amplifier pair).
          if (page->Accepts(image, listed.number, listed.subIndex, value)) {
            settings::WriteValue(image, page->RecordsOf(listed.number), listed.number, listed.subIndex, value);
          }
        }
      }
    }
    const std::string text = written.Save().Text();
    settings::OfflineConfiguration read(region);
    read.Load(files::Profile::Parse(text));
    EXPECT_EQ(read.Save().Text(), text) << "region " << region;
    // Every setting the tool knows; XM Set is in the file in region 1 only.
    if (region == 1) {
      EXPECT_EQ(read.KnownEntries().Text(), written.KnownEntries().Text());
    }
  }
}

}  // namespace
}  // namespace tw::test
