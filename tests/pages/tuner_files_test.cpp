// Tuner Set, XM Set and iPod through a ".qcf" file and the report, as the sheet walks them,
// in tuner region 1 (with XM Set) and region 2 (without).

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <filesystem>

#include "pages/sheet.h"
#include "pages/tuner_fixture.h"

namespace tw::test {
namespace {

struct SheetFixture {
  explicit SheetFixture(int region) : sheet({link, ui}) {
    link.region = region;
    model::ResetTunerBlock(image(), region);
    sheet.Create();
  }
  model::ParameterImage& image() { return *link.images.Image(0); }
  FakePageLink link{comm::WorkingMode::Async};
  ui::ScriptedUiServices ui;
  pages::Sheet sheet;
};

// Every tuner entry, XM preset and iPod setting away from its factory value.
void Scramble(model::ParameterImage& image) {
  for (int number = 436; number <= 476; ++number) {
    char frequency[8];
    if (number % 2 == 0) {
      std::snprintf(frequency, sizeof frequency, "%06d", 530 + 10 * (number - 436));
    } else {
      std::snprintf(frequency, sizeof frequency, "%03d.%02d", 88 + (number - 436) % 20, (number * 5) % 100);
    }
    ASSERT_TRUE(model::SetParameterText(image, number, frequency));
  }
  for (int number = 477; number <= 516; ++number) ASSERT_TRUE(model::SetParameter(image, number, (number * 7) % 256));
  image.ipod.values = {0, 2, 1, 1, 1};
}

files::Profile RoundTrip(const files::Profile& saved, const std::string& name) {
  const auto path = std::filesystem::temp_directory_path() / ("tunewright_" + name + ".qcf");
  EXPECT_TRUE(saved.Save(path));
  files::Profile loaded;
  EXPECT_TRUE(loaded.Load(path));
  std::filesystem::remove(path);
  return loaded;
}

std::vector<std::string> TunerSections(const files::Profile& file) {
  std::vector<std::string> sections;
  for (const std::string& section : file.SectionNames()) {
    if (section == "Tuner Set" || section == "XM Set" || section == "iPod") sections.push_back(section);
  }
  return sections;
}

TEST(TunerFiles, TheThreePagesRoundTripInRegionOne) {
  SheetFixture f(1);
  Scramble(f.image());
  files::Profile saved;
  SheetFile(f.link).SavePages(f.image(), saved);
  const files::Profile loaded = RoundTrip(saved, "tuner_region1");
  EXPECT_EQ(TunerSections(loaded), (std::vector<std::string>{"Tuner Set", "XM Set", "iPod"}));
  EXPECT_EQ(loaded.GetString("Tuner Set", "PageA Preset1", ""), "FM 89.85MHz");
  EXPECT_EQ(loaded.GetString("Tuner Set", "Current", ""), "AM 530kHz");
  EXPECT_EQ(loaded.GetString("iPod", "Shaffle", ""), "Songs");

  model::ParameterImage& fresh = *f.link.images.Image(1);
  SheetFile(f.link).LoadPages(fresh, loaded);
  EXPECT_EQ(fresh.tuner, f.image().tuner);
  EXPECT_EQ(fresh.xm.presets, f.image().xm.presets);
  EXPECT_EQ(fresh.ipod.values, f.image().ipod.values);
}

TEST(TunerFiles, RegionTwoWritesNoXmSetButStillReadsOne) {
  SheetFixture f(2);
  Scramble(f.image());
  files::Profile saved;
  SheetFile(f.link).SavePages(f.image(), saved);
  files::Profile loaded = RoundTrip(saved, "tuner_region2");
  EXPECT_EQ(TunerSections(loaded), (std::vector<std::string>{"Tuner Set", "iPod"}));

  model::ParameterImage& fresh = *f.link.images.Image(2);
  loaded.WriteString("XM Set", "PageC No.3", "200");
  SheetFile(f.link).LoadPages(fresh, loaded);
  EXPECT_EQ(fresh.tuner, f.image().tuner);
  EXPECT_EQ(fresh.ipod.values, f.image().ipod.values);
  EXPECT_EQ(fresh.xm.presets[18], 200);
}

TEST(TunerFiles, EntriesThatAreNoValueLeaveTheirSettingAlone) {
  SheetFixture f(1);
  const model::ParameterImage before = f.image();
  SheetFile(f.link).LoadPages(f.image(), files::Profile::Parse("[Tuner Set]\r\nCurrent =AM 1611kHz\r\nPageA Preset1=FM 90MHz\r\n"
                                                     "PageA Preset2=FM 87.5MHz\r\n[XM Set]\r\nPageA No.1=256\r\n"
                                                     "PageA No.2=two\r\n[iPod]\r\nRepeat=all\r\nShaffle=Albums\r\n"));
  model::ParameterImage expected = before;
  ASSERT_TRUE(model::SetParameterText(expected, 436, "001611"));
  ASSERT_TRUE(model::SetParameterText(expected, 438, "087.50"));
  expected.ipod.values[2] = 2;
  EXPECT_EQ(f.image(), expected);
}

TEST(TunerFiles, ReportBlocksInSheetOrder) {
  SheetFixture one(1);
  const std::string report = SheetFile(one.link).ReportPages(one.image());
  const auto tuner = report.find("\r\n(Tuner Set)\r\nCurrent  = FM 87.5MHz\r\nPageA Preset1 = FM 87.5MHz\r\n");
  const auto xm = report.find("\r\n(XM Set)\r\nPageA No.1 = 1\r\n");
  const auto ipod = report.find("\r\n(iPod)\r\nStandby Charge = Auto\r\nRepeat = Off\r\nShaffle = Off\r\n"
                                "PlayInformation Output Setting = Off\r\nListInformation Output Setting = Off\r\n");
  ASSERT_NE(tuner, std::string::npos) << report;
  ASSERT_NE(xm, std::string::npos);
  ASSERT_NE(ipod, std::string::npos);
  EXPECT_LT(tuner, xm);
  EXPECT_LT(xm, ipod);
  EXPECT_NE(report.find("PageE Preset8 = FM 107.9MHz\r\n"), std::string::npos);

  SheetFixture two(2);
  const std::string without = SheetFile(two.link).ReportPages(two.image());
  EXPECT_EQ(without.find("(XM Set)"), std::string::npos);
  EXPECT_NE(without.find("PageE Preset8 = FM 108.0MHz\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tw::test
