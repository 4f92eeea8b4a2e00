// The three speaker pages through a ".qcf" file and the report, as the sheet walks them.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <filesystem>

#include "pages/sheet.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

struct SheetFixture {
  SheetFixture() : sheet({link, ui}) { sheet.Create(); }
  model::ParameterImage& image() { return *link.images.Image(0); }
  FakePageLink link{comm::WorkingMode::Async};
  ui::ScriptedUiServices ui;
  pages::Sheet sheet;
};

TEST(SpeakerFiles, ThePagesRoundTripThroughAQcfFile) {
  SheetFixture f;
  model::ParameterImage& image = f.image();
  image.speakerLevel = {-100, 100, -5, 5, 0, 35, -35, 95, -95, 10};
  image.speakerDistance.unit = 1;
  image.speakerDistance.distances = {10, 800, 795, 15, 100, 85, 80, 400, 555, 20};
  image.speakerSet = {1, 2, 0, 0, 1, 8, 1, 1, 2};

  files::Profile saved;
  SheetFile(f.link).SavePages(image, saved);
  const auto path = std::filesystem::temp_directory_path() / "tunewright_speaker_round_trip.qcf";
  ASSERT_TRUE(saved.Save(path));
  files::Profile loaded;
  ASSERT_TRUE(loaded.Load(path));
  std::filesystem::remove(path);
  // The speaker sections in sheet order, among those of the sheet's other pages.
  std::vector<std::string> speakerSections;
  for (const std::string& section : loaded.SectionNames()) {
    if (section.rfind("Speaker ", 0) == 0) speakerSections.push_back(section);
  }
  EXPECT_EQ(speakerSections, (std::vector<std::string>{"Speaker Level", "Speaker Distance", "Speaker Set"}));

  model::ParameterImage& fresh = *f.link.images.Image(1);
  SheetFile(f.link).LoadPages(fresh, loaded);
  EXPECT_EQ(fresh.speakerLevel, image.speakerLevel);
  EXPECT_EQ(fresh.speakerDistance, image.speakerDistance);
  EXPECT_EQ(fresh.speakerSet, image.speakerSet);
}

TEST(SpeakerFiles, AFileWithOnlyFlChangesOnlyThatLevel) {
  SheetFixture f;
  const model::ParameterImage before = f.image();
  SheetFile(f.link).LoadPages(f.image(), files::Profile::Parse("[Speaker Level]\r\nFL=-2.5dB\r\n"));
  model::ParameterImage expected = before;
  expected.speakerLevel[8] = -25;
  EXPECT_EQ(f.image(), expected);
}

TEST(SpeakerFiles, ReportBlocksInSheetOrder) {
  SheetFixture f;
  const std::string report = SheetFile(f.link).ReportPages(f.image());
  const auto level = report.find("\r\n(Speaker Level)\r\nFL = 0.0dB\r\n");
  const auto distance = report.find("\r\n(Speaker Distance)\r\nUnit = Meter\r\nFL = 3.00\r\n");
  const auto set = report.find("\r\n(Speaker Set)\r\nFront = Small\r\nCenter = Small\r\n");
  ASSERT_NE(level, std::string::npos);
  ASSERT_NE(distance, std::string::npos);
  ASSERT_NE(set, std::string::npos);
  EXPECT_LT(level, distance);
  EXPECT_LT(distance, set);
  // Speaker Set's block ends with its last two items.
  const std::string block = report.substr(set, report.find("\r\n(", set + 2) - set);
  EXPECT_TRUE(block.ends_with("SW Cross Over = 80Hz\r\nSW Phase = Normal\r\n")) << block;
}

}  // namespace
}  // namespace tw::test

namespace tw::test {
namespace {

// The error log names a failed command by the first page that describes its number.
TEST(SpeakerErrorLogNames, EachPageNamesItsOwnNumbersAndNoOthers) {
  SheetFixture f;
  struct Case {
    std::string_view caption;
    int first;
    int last;
    std::string_view firstKey;
  };
  for (const Case& c : {Case{"Speaker Level", 268, 277, "FL"}, Case{"Speaker Distance", 278, 288, "Unit"},
                        Case{"Speaker Set", 427, 435, "Front"}}) {
    const pages::BasePage* page = f.sheet.FindPage(c.caption);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->settings().DescribeItem(f.image(), c.first, -1, false).key, c.firstKey);
    for (int number = c.first; number <= c.last; ++number) {
      const pages::ItemText text = page->settings().DescribeItem(f.image(), number, -1, false);
      EXPECT_EQ(text.section, c.caption) << number;
      EXPECT_FALSE(text.key.empty()) << number;
    }
    for (int other : {c.first - 1, c.last + 1, 1, 564, 0, -1}) {
      const pages::ItemText text = page->settings().DescribeItem(f.image(), other, -1, false);
      EXPECT_TRUE(text.section.empty() && text.key.empty() && text.value.empty())
          << c.caption << " " << other;
    }
  }
}

}  // namespace
}  // namespace tw::test
