// Configuration file and report texts of a page: the walks over its settings' DescribeItem
// and ParseItem.

#include <gtest/gtest.h>

#include "pages/fake_page_link.h"
#include "pages/page_walks.h"
#include "pages/test_page.h"
#include "support/scripted_ui_services.h"

namespace tw::test {
namespace {

struct FilesFixture {
  FilesFixture() : page({link, ui}) {}
  model::ParameterImage& image() { return *link.images.Image(0); }
  FakePageLink link{comm::WorkingMode::Async};
  ui::ScriptedUiServices ui;
  TestPage page;
};

TEST(PageFiles, SaveWritesEveryItemUnderTheCaption) {
  FilesFixture f;
  f.image().speakerLevel[8] = -5;
  f.image().speakerLevel[9] = 100;
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(profile.Text(),
            "[Test Page]\r\nFront=Small\r\nCenter=Small\r\nMode=On\r\nFL=-0.5dB\r\nFR=10.0dB\r\n");
}

TEST(PageFiles, LoadReadsBackWhatSaveWrote) {
  FilesFixture f;
  model::ParameterImage written = f.image();
  written.speakerSet[0] = 1;
  written.speakerSet[1] = 0;
  written.displaySet[2] = 2;
  written.speakerLevel[8] = -100;
  written.speakerLevel[9] = 5;
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, written, profile);
  LoadItems(f.page.settings(), f.link, f.image(), files::Profile::Parse(profile.Text()));
  EXPECT_EQ(f.image(), written);
}

TEST(PageFiles, BadTextsAndAbsentKeysLeaveTheImageUnchanged) {
  FilesFixture f;
  const model::ParameterImage before = f.image();
  const files::Profile profile = files::Profile::Parse(
      "[Test Page]\r\n"
      "Front=small\r\n"     // radio captions compare exactly
      "Center=\r\n"         // empty: unchanged
      "Mode=Sometimes\r\n"  // no such entry
      "FL=1.25dB\r\n"       // 125: outside the range
      "FR=abcdB\r\n");      // not a number
  LoadItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(f.image(), before);
  LoadItems(f.page.settings(), f.link, f.image(), files::Profile::Parse(""));
  EXPECT_EQ(f.image(), before);
}

TEST(PageFiles, LevelTextsParseToTenthsOnTheStep) {
  FilesFixture f;
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 268, -1, "-0.5dB"));
  EXPECT_EQ(f.image().speakerLevel[8], -5);
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 268, -1, "0.5dB"));
  EXPECT_EQ(f.image().speakerLevel[8], 5);
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 268, -1, "0.3dB"));  // off the step
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 268, -1, "dB"));
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 268, -1, std::string_view("1\0.0dB", 6)));
  EXPECT_EQ(f.image().speakerLevel[8], 5);
  // Combo entries are found ignoring letter case, as the list's exact search does.
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 517, -1, "AUTO"));
  EXPECT_EQ(f.image().displaySet[2], 2);
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 300, -1, "On"));
}

TEST(PageFiles, DescribeGivesEmptyTextsForForeignItems) {
  FilesFixture f;
  const pages::ItemText text = f.page.settings().DescribeItem(f.image(), 300, -1, false);
  EXPECT_TRUE(text.section.empty() && text.key.empty() && text.value.empty());
  f.image().speakerSet[0] = 7;  // not a button of the group
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 427, -1, false).value, "");
}

TEST(PageReport, BlockStartsWithABlankLineAndTheCaption) {
  FilesFixture f;
  EXPECT_EQ(
      ReportItems(f.page.settings(), f.link, f.image()),
      "\r\n(Test Page)\r\nFront = Small\r\nCenter = Small\r\nMode = On\r\nFL = 0.0dB\r\nFR = 0.0dB\r\n");
}

// Settings whose items change section and include one without a key.
class SectionedSettings final : public settings::PageSettings {
 public:
  SectionedSettings() : PageSettings("Sectioned") {}
  std::vector<settings::PageItem> ListItems(bool, const settings::SettingContext&, int) const override {
    return {{1, 0}, {1, 1}, {1, 2}, {1, 3}};
  }
  settings::ItemText DescribeItem(const model::ParameterImage&, int, int sub, bool forReport) const override {
    if (sub == 2) return {"B", "", "hidden"};
    return {sub < 2 ? "A" : "B", "k" + std::to_string(sub), forReport ? "report" : "file"};
  }
};

TEST(PageReport, SectionChangesOpenANewHeadingAndEmptyKeysAddNoLine) {
  FakePageLink link;
  const SectionedSettings page;
  EXPECT_EQ(ReportItems(page, link, *link.images.Image(0)),
            "\r\n(A)\r\nk0 = report\r\nk1 = report\r\n\r\n(B)\r\nk3 = report\r\n");
  files::Profile profile;
  SaveItems(page, link, *link.images.Image(0), profile);
  EXPECT_EQ(profile.GetString("A", "k1", ""), "file");
}

}  // namespace
}  // namespace tw::test
