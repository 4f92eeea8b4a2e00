// The fixed text of the configuration report and the System Memory section names.

#include "files/report_text.h"

#include <gtest/gtest.h>

#include <string>

#include "files/memory_sections.h"

namespace tw::files {
namespace {

const std::string kEquals(80, '=');
const std::string kDashes(80, '-');

TEST(ReportText, TitleWithAnEmptyMemoEndsInTwoEmptyLines) {
  EXPECT_EQ(ReportTitle(""),
            kEquals + "\r\n        Receiver Editer Configration Report\r\n        TQ-N4400\r\n" + kEquals +
                "\r\n\r\n" + kDashes + "\r\n    User Memo\r\n" + kDashes + "\r\n\r\n\r\n");
}

TEST(ReportText, TitleKeepsTheMemoAsHeld) {
  const std::string title = ReportTitle("line 1\r\nline 2");
  EXPECT_EQ(title.substr(title.size() - 18), "line 1\r\nline 2\r\n\r\n");
}

TEST(ReportText, HeadingsEndWithARuleWithoutLineEnd) {
  EXPECT_EQ(ReportHeading(1, kCurrentSettingLabel, ""),
            kDashes + "\r\n    1. Current Setting \r\n" + kDashes);
  EXPECT_EQ(ReportHeading(25, MemoryLabel(6), MemoryCategoryText(MemoryCategory::Zone3Volume)),
            kDashes + "\r\n    25. Memory 6 Zone3 Volume\r\n" + kDashes);
}

TEST(ReportText, BlockOpensASectionWhenItChangesAndSkipsEmptyKeys) {
  ReportBlock block;
  block.Add("Speaker Level", "FL", "0.0dB");
  block.Add("Speaker Level", "FR", "-1.5dB");
  block.Add("Speaker Level", "", "ignored");
  block.Add("Tone Control", "Tone Bypass", "");
  block.Add("Speaker Level", "SW", "1.0dB");
  EXPECT_EQ(block.text(),
            "\r\n(Speaker Level)\r\nFL = 0.0dB\r\nFR = -1.5dB\r\n"
            "\r\n(Tone Control)\r\nTone Bypass = \r\n"
            "\r\n(Speaker Level)\r\nSW = 1.0dB\r\n");
  ReportBlock empty;
  empty.Add("", "", "");  // the empty section is the block's starting section
  EXPECT_EQ(empty.text(), "");
}

TEST(MemorySections, NamesAndCategories) {
  EXPECT_EQ(MemorySectionName(MemoryCategory::System, 2, "Speaker Level"), "System Memory 2 Speaker Level");
  EXPECT_EQ(MemorySectionName(MemoryCategory::Volume, 5, "Basic Control"), "Volume Memory 5 Basic Control");
  EXPECT_EQ(MemorySectionName(MemoryCategory::Zone2Volume, 1, "Multi Zone"),
            "Zone2 Volume Memory 1 Multi Zone");
  EXPECT_EQ(MemoryCategoryOf(9), MemoryCategory::Volume);
  EXPECT_EQ(MemoryCategoryOf(18), MemoryCategory::Zone2Volume);
  EXPECT_EQ(MemoryCategoryOf(23), MemoryCategory::Zone3Volume);
  EXPECT_EQ(MemoryCategoryOf(4), MemoryCategory::System);
  EXPECT_EQ(MemoryCategoryOf(268), MemoryCategory::System);
}

TEST(MemorySections, MemoryOfASectionName) {
  EXPECT_EQ(MemoryOfSection("System Memory 2 Speaker Level"), 2);
  EXPECT_EQ(MemoryOfSection("  zone3 volume memory 6 Multi Zone "), 6);
  EXPECT_EQ(MemoryOfSection("Volume Memory 5 Basic Control"), 5);
  EXPECT_EQ(MemoryOfSection("System Memory 7 Speaker Level"), 0);
  EXPECT_EQ(MemoryOfSection("Speaker Level"), 0);
  EXPECT_EQ(MemoryOfSection(""), 0);
  EXPECT_EQ(MemoryOfSection("System Memory 1"), 0);  // no page section follows
}

}  // namespace
}  // namespace tw::files
