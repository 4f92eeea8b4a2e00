// The four input pages through a ".qcf" file and the report, as the sheet walks them.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <filesystem>

#include "pages/input_fixture.h"
#include "pages/sheet.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

struct SheetFixture {
  explicit SheetFixture(WorkingMode mode = WorkingMode::Async) : link(mode), sheet({link, ui}) { sheet.Create(); }
  model::ParameterImage& image(int index = 0) { return *link.images.Image(index); }
  FakePageLink link;
  ui::ScriptedUiServices ui;
  pages::Sheet sheet;
};

std::array<std::int32_t, 12> ShownSettings(const model::ParameterImage& image) {
  std::array<std::int32_t, 12> settings{};
  for (std::size_t i = 0; i < settings.size(); ++i) settings[i] = image.inputDsp[2 * i];
  return settings;
}

TEST(InputFiles, TheFourPagesRoundTripThroughAQcfFile) {
  SheetFixture f;
  model::ParameterImage& image = f.image();
  const std::vector<std::string> names = {"Turn 1  ", "  CD    ", "Radio=1 ", "\"Q\" [xy]", "a;b#c   ", "DVD     ",
                                          "        ", "Cable   ", "VCR-1   ", "12345678", "AUX     ", "XM      ",
                                          "iPod    ", "7.1 in  "};
  for (int i = 0; i < 14; ++i) ASSERT_TRUE(model::SetParameterText(image, 240 + i, names[static_cast<std::size_t>(i)]));
  image.ioAssign = {9, 10, 5, 0, 12, 3, 8, 1, 9, 4, 10, 0, 6, 8};
  image.multiCh = {1, 8, 7};
  const std::array<std::int32_t, 12> settings = {0, 3, 23, 24, 25, 26, 27, 28, 10, 21, 22, 17};
  for (std::size_t i = 0; i < settings.size(); ++i) image.inputDsp[2 * i] = settings[i];

  files::Profile saved;
  SheetFile(f.link).SavePages(image, saved);
  const auto path = std::filesystem::temp_directory_path() / "tunewright_input_round_trip.qcf";
  ASSERT_TRUE(saved.Save(path));
  files::Profile loaded;
  ASSERT_TRUE(loaded.Load(path));
  std::filesystem::remove(path);
  std::vector<std::string> inputSections;
  for (const std::string& section : loaded.SectionNames()) {
    if (section.starts_with("Input") || section == "I/O Assign" || section == "MULTI CH") inputSections.push_back(section);
  }
  EXPECT_EQ(inputSections, (std::vector<std::string>{"Input DSP", "Input Rename", "I/O Assign", "MULTI CH"}));

  model::ParameterImage& fresh = f.image(1);
  SheetFile(f.link).LoadPages(fresh, loaded);
  EXPECT_EQ(fresh.inputNames, image.inputNames);
  EXPECT_EQ(fresh.ioAssign, image.ioAssign);
  EXPECT_EQ(fresh.multiCh, image.multiCh);
  EXPECT_EQ(ShownSettings(fresh), settings);
}

TEST(InputFiles, ReportBlocksInSheetOrder) {
  SheetFixture f;
  const std::string report = SheetFile(f.link).ReportPages(f.image());
  const auto dsp = report.find("\r\n(Input DSP)\r\nPHONO = Straight\r\nCD = The Roxy Theatre\r\n");
  const auto rename = report.find("\r\n(Input Rename)\r\nPHONO = \" PHONO  \"\r\nCD = \"   CD   \"\r\n");
  const auto assign = report.find("\r\n(I/O Assign)\r\n[A] Component IN 1 = DVD\r\n");
  const auto multiCh = report.find("\r\n(MULTI CH)\r\n6ch/8ch = 6ch\r\nMULTI CH BGV = LAST\r\n");
  ASSERT_NE(dsp, std::string::npos) << report;
  ASSERT_NE(rename, std::string::npos) << report;
  ASSERT_NE(assign, std::string::npos) << report;
  ASSERT_NE(multiCh, std::string::npos) << report;
  EXPECT_LT(dsp, rename);
  EXPECT_LT(rename, assign);
  EXPECT_LT(assign, multiCh);
  EXPECT_NE(report.find("XM = 2ch Stereo\r\n"), std::string::npos);
  EXPECT_EQ(report.find("MULTI CH Input Front"), std::string::npos);
}

TEST(InputFiles, EntriesThatMatchNothingLeaveEveryValueAsItWas) {
  SheetFixture f;
  const model::ParameterImage before = f.image();
  SheetFile(f.link).LoadPages(f.image(), files::Profile::Parse("[Input DSP]\r\nCD=Church\r\nDVD=\r\n"
                                                     "[Input Rename]\r\nCD=Far too long\r\n"
                                                     "[I/O Assign]\r\n(1) Coaxial IN 1=TUNER\r\nHDMI IN 1=Blu-ray\r\n"
                                                     "[MULTI CH]\r\n6ch/8ch=7ch\r\nMULTI CH BGV=PHONO\r\n"));
  EXPECT_EQ(f.image(), before);
}

}  // namespace
}  // namespace tw::test
