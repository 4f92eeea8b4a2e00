// I/O Assign: the connectors' commands, "Select" only for a pair the receiver allows, the
// file and report keys, and a forbidden pair refused wherever it comes from.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "settings/configuration_check.h"
#include "settings/configuration_file.h"
#include "pages/input/io_assign_page.h"
#include "pages/input_fixture.h"
#include "pages/sheet.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = PageFixture<pages::IoAssignPage>;

constexpr int kFirst = 254;

const std::vector<std::string> kInputNames = {"PHONO", "CD",   "TUNER",    "CD-R",       "MD/TAPE", "DVD",     "DTV",
                                              "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX/DOCK", "XM",      "MULTI CH"};
const std::vector<std::string> kInputCodes = {"00", "01", "02", "03", "04", "05", "06",
                                              "07", "09", "0A", "0C", "0E", "10"};

struct ConnectorCase {
  std::string fileKey;
  std::string reportKey;
  std::string address;
  std::string allowed;  // one character per input
};
const std::vector<ConnectorCase> kConnectors = {
    {"(A) Component IN 1", "[A] Component IN 1", "2008010130", "0000011111100"},
    {"(B) Component IN 2", "[B] Component IN 2", "2008010131", "0000011111100"},
    {"(C) Component IN 3", "[C] Component IN 3", "2008010132", "0000011111100"},
    {"(1) Coaxial IN 1", "(1) Coaxial IN 1", "2008010100", "1101111111101"},
    {"(2) Coaxial IN 2", "(2) Coaxial IN 2", "2008010101", "1101111111101"},
    {"(3) Coaxial IN 3", "(3) Coaxial IN 3", "2008010102", "1101111111101"},
    {"(4) Optical IN 1", "(4) Optical IN 1", "2008010120", "1101111111001"},
    {"(5) Optical IN 2", "(5) Optical IN 2", "2008010121", "1101111111001"},
    {"(6) Optical IN 3", "(6) Optical IN 3", "2008010122", "1101111111001"},
    {"(7) Optical IN 4", "(7) Optical IN 4", "2008010123", "1101111111001"},
    {"(8) Optical OUT 1", "(8) Optical OUT 1", "2008010110", "1101111111100"},
    {"(9) Optical OUT 2", "(9) Optical OUT 2", "2008010111", "1101111111100"},
    {"HDMI IN 1", "    HDMI IN 1", "2008010160", "0000011111100"},
    {"HDMI IN 2", "    HDMI IN 2", "2008010161", "0000011111100"},
};

bool Allowed(std::size_t connector, std::size_t input) { return kConnectors[connector].allowed[input] == '1'; }

TEST(IoAssignSelect, SelectIsEnabledExactlyForTheAllowedPairsAndSendsTheirCommands) {
  Fixture f;
  for (std::size_t c = 0; c < kConnectors.size(); ++c) {
    const int number = kFirst + static_cast<int>(c);
    ASSERT_TRUE(f.page.connectors().select(static_cast<int>(c)));
    for (std::size_t i = 0; i < kInputNames.size(); ++i) {
      SCOPED_TRACE(kConnectors[c].fileKey + " <- " + kInputNames[i]);
      ASSERT_TRUE(f.page.inputs().select(static_cast<int>(i)));
      EXPECT_EQ(f.page.selectButton().isEnabled(), Allowed(c, i));
      f.link.sent.clear();
      if (!Allowed(c, i)) {
        EXPECT_FALSE(f.page.selectButton().click()) << "a disabled button takes no click";
        continue;
      }
      ASSERT_TRUE(f.page.selectButton().click());
      EXPECT_EQ(IntegerOf(f.image(), number), static_cast<int>(i));
      EXPECT_EQ(f.page.connectors().cell(static_cast<int>(c), 1), kInputNames[i]);
      EXPECT_EQ(f.link.sent,
                (std::vector<Sent>{{Dc4Lower(kConnectors[c].address + kInputCodes[i]), number}, {"", 564}}));
    }
  }
}

TEST(IoAssignSelect, AForbiddenPairBeepsAndChangesNothing) {
  Fixture f;
  const model::ParameterImage before = f.image();
  f.page.connectors().select(0);  // [A] Component IN 1
  f.page.inputs().select(0);      // PHONO
  EXPECT_FALSE(f.page.selectButton().isEnabled());
  f.link.sent.clear();
  f.page.OnSelect();
  EXPECT_EQ(f.ui.beeps(), 1);
  EXPECT_EQ(f.image(), before);
  EXPECT_EQ(f.page.connectors().cell(0, 1), "DVD");
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(IoAssignFiles, KeysUseParenthesesInFilesAndTheListsNamesInReports) {
  Fixture f;
  for (std::size_t c = 0; c < kConnectors.size(); ++c) {
    const int number = kFirst + static_cast<int>(c);
    EXPECT_EQ(f.page.settings().DescribeItem(f.image(), number, -1, false).key, kConnectors[c].fileKey);
    EXPECT_EQ(f.page.settings().DescribeItem(f.image(), number, -1, true).key, kConnectors[c].reportKey);
    EXPECT_EQ(f.page.connectors().cell(static_cast<int>(c), 0), kConnectors[c].reportKey);
  }
  const std::string report = ReportItems(f.page.settings(), f.link, f.image());
  EXPECT_EQ(report.rfind("\r\n(I/O Assign)\r\n[A] Component IN 1 = DVD\r\n", 0), 0u) << report;
  EXPECT_NE(report.find("\r\n    HDMI IN 2 = CBL/SAT\r\n"), std::string::npos) << report;
}

TEST(IoAssignFiles, ParseTakesEveryAllowedNameAndRefusesForbiddenAndUnknownOnes) {
  Fixture f;
  for (std::size_t c = 0; c < kConnectors.size(); ++c) {
    const int number = kFirst + static_cast<int>(c);
    for (std::size_t i = 0; i < kInputNames.size(); ++i) {
      model::ParameterImage image = f.image();
      const std::int32_t before = IntegerOf(image, number);
      EXPECT_EQ(f.page.settings().ParseItem(image, number, -1, kInputNames[i]), Allowed(c, i))
          << kConnectors[c].fileKey << " " << kInputNames[i];
      EXPECT_EQ(IntegerOf(image, number), Allowed(c, i) ? static_cast<int>(i) : before);
    }
    for (const std::string bad : {"dvd", "DVD ", "V-AUX", "Phono"}) {
      model::ParameterImage image = f.image();
      EXPECT_FALSE(f.page.settings().ParseItem(image, number, -1, bad)) << bad;
      EXPECT_EQ(image, f.image());
    }
  }
}

TEST(IoAssignFiles, AFileWithAForbiddenPairKeepsTheValueAndNamesTheEntry) {
  FakePageLink link(WorkingMode::Async);
  model::ParameterImage& image = *link.images.Image(0);
  const files::Profile file =
      files::Profile::Parse("[I/O Assign]\r\n(A) Component IN 1=PHONO\r\n(B) Component IN 2=VCR1\r\n");
  std::string memo;
  const settings::ConfigurationCheck check = SheetFile(link).LoadChecked(file, link.images, memo);
  EXPECT_EQ(image.ioAssign[0], 5) << "still DVD";
  EXPECT_EQ(image.ioAssign[1], 8);
  EXPECT_EQ(check.read, 1u);
  ASSERT_EQ(check.ignored.size(), 1u);
  // The reason `set` gives for the same value.
  EXPECT_EQ(settings::DescribeIgnored(check.ignored[0]),
            "[I/O Assign] (A) Component IN 1 = \"PHONO\": not one of this setting's values, left unchanged; PHONO "
            "cannot be assigned to this connector; allowed: \"DVD\", \"DTV\", \"CBL/SAT\", \"VCR1\", \"DVR/VCR2\", "
            "\"V-AUX/DOCK\"");
}

TEST(IoAssignQueue, AStoredForbiddenPairIsNeverSent) {
  Fixture f(WorkingMode::Async);
  f.image().ioAssign[0] = 0;   // PHONO on a component input: no receiver reports it, but never send it
  f.image().ioAssign[13] = 99;  // no input at all
  f.page.QueueAll(f.image());
  ASSERT_EQ(f.link.sent.size(), 12u);
  for (const Sent& sent : f.link.sent) {
    EXPECT_NE(sent.number, kFirst);
    EXPECT_NE(sent.number, kFirst + 13);
  }
  EXPECT_EQ(f.link.sent.front(), (Sent{Dc4Lower("200801013106"), kFirst + 1}));
}

TEST(IoAssignDefault, DefaultRestoresTheFactoryAssignmentsAndSendsThem) {
  Fixture f;
  f.image().ioAssign.fill(9);
  f.link.sent.clear();
  f.page.defaultButton().click();
  EXPECT_EQ(f.image().ioAssign, model::kIoAssignDefaults);
  EXPECT_EQ(f.page.connectors().cell(10, 1), "MD/TAPE");
  EXPECT_EQ(f.link.sent.size(), 15u);
  EXPECT_EQ(f.link.sent.back(), (Sent{"", 564}));
}

TEST(IoAssignChoices, ARefusalNamesTheConnectorsInputs) {
  Fixture f;
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), kFirst, -1, "PHONO"),
            "PHONO cannot be assigned to this connector; allowed: \"DVD\", \"DTV\", \"CBL/SAT\", \"VCR1\", "
            "\"DVR/VCR2\", \"V-AUX/DOCK\"");
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), kFirst + 3, -1, "Blu-ray"),
            "allowed: \"PHONO\", \"CD\", \"CD-R\", \"MD/TAPE\", \"DVD\", \"DTV\", \"CBL/SAT\", \"VCR1\", "
            "\"DVR/VCR2\", \"V-AUX/DOCK\", \"MULTI CH\"");
}

}  // namespace
}  // namespace tw::test
