// The CONTROL OUT page: the 76 items' keys, numbers, order and command bytes, the Trigger
// Control lists for every zone combination, All High / All Low per output, and what a
// receiver without a zone or XM gets.

#include <gtest/gtest.h>

#include <map>

#include "pages/speaker_fixture.h"
#include "pages/zone/control_out_page.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using pages::ControlOutPage;
using Fixture = SpeakerFixture<ControlOutPage>;

constexpr std::string_view kRows[] = {"PHONO", "CD",   "Tuner",    "CD-R",  "MD/TAPE", "DVD",
                                      "DTV",   "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX"};
constexpr std::string_view kRowCodes[] = {"00", "01", "02", "03", "04", "05", "06", "07", "09", "0A", "0C"};
constexpr std::string_view kColumns[] = {"Main", "Zone2", "Zone3"};

// One trigger as written out here from the page's description, independently of the page.
struct Expected {
  int number;
  std::string key;
  std::string address;  // without the value digit
  int column;           // 0 Main, 1 Zone2, 2 Zone3
  bool xm;
};

// Both outputs' triggers in file and send order: the inputs, XM, MULTI CH.
std::vector<Expected> ExpectedTriggers(int output) {
  const int first = output == 0 ? 307 : 345;
  const std::string name = output == 0 ? "CONTROL OUT1" : "CONTROL OUT2";
  const std::string head = "20090401" + std::to_string(output);
  std::vector<Expected> triggers;
  for (int row = 0; row < 11; ++row) {
    for (int column = 0; column < 3; ++column) {
      triggers.push_back({first + 1 + 3 * row + column, name + " " + std::string(kRows[row]) + " " + std::string(kColumns[column]),
                          head + std::to_string(column) + std::string(kRowCodes[row]), column, false});
    }
  }
  for (int column = 0; column < 3; ++column) {
    triggers.push_back({first + 35 + column, name + " XM " + std::string(kColumns[column]),
                        head + std::to_string(column) + "0E", column, true});
  }
  triggers.push_back({first + 34, name + " MULTI CH", head + "010", 0, false});
  return triggers;
}

bool Has(const model::Capabilities& caps, const Expected& t) {
  const bool zone = t.column == 0 || (t.column == 1 ? caps.zone2 != 0 : caps.zone3 != 0);
  return zone && (!t.xm || caps.xm != 0);
}

std::vector<model::Capabilities> AllCombinations() {
  std::vector<model::Capabilities> all;
  for (int bits = 0; bits < 8; ++bits) all.push_back({bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, 1});
  return all;
}

std::string Describe(const model::Capabilities& caps) {
  return "zone2=" + std::to_string(caps.zone2) + " zone3=" + std::to_string(caps.zone3) + " xm=" + std::to_string(caps.xm);
}

TEST(ControlOut, SeventySixItemsWithTheirKeysInScreenOrderAndTheirCommands) {
  Fixture f;
  std::vector<pages::PageItem> expected;
  for (int output = 0; output < 2; ++output) {
    expected.push_back({output == 0 ? 307 : 345, -1});
    for (const Expected& t : ExpectedTriggers(output)) expected.push_back({t.number, -1});
  }
  EXPECT_EQ(f.page.ListItems(true, pages::kAllGroups), expected);
  EXPECT_EQ(f.page.ListItems(false, pages::kAllGroups), expected);
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 307, -1, false).key, "CONTROL OUT1 Trigger Control");
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 345, -1, false).key, "CONTROL OUT2 Trigger Control");

  for (int output = 0; output < 2; ++output) {
    for (const Expected& t : ExpectedTriggers(output)) {
      SCOPED_TRACE(t.key);
      for (auto [text, digit] : {std::pair{"L", "0"}, {"H", "1"}}) {
        ASSERT_TRUE(f.page.settings().ParseItem(f.image(), t.number, -1, text));
        const pages::ItemText item = f.page.settings().DescribeItem(f.image(), t.number, -1, false);
        EXPECT_EQ(item.section, "CONTROL OUT");
        EXPECT_EQ(item.key, t.key);
        EXPECT_EQ(item.value, text);
        f.link.sent.clear();
        f.page.QueueItem(f.image(), t.number, -1);
        EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Lower(t.address + digit), t.number}}));
      }
      EXPECT_FALSE(f.page.settings().ParseItem(f.image(), t.number, -1, "h"));
    }
  }
}

TEST(ControlOut, TriggerControlSendsTheCodeOfItsOutput) {
  const std::pair<std::string_view, std::string_view> codes[] = {
      {"Main", "2"}, {"Zone2", "3"}, {"Zone3", "1"}, {"Zone OR", "4"}};
  const std::pair<std::string_view, std::string_view> codes2[] = {
      {"Main", "6"}, {"Zone2", "7"}, {"Zone3", "F"}, {"Zone OR", "8"}};
  Fixture f;
  for (std::size_t i = 0; i < 4; ++i) {
    f.link.sent.clear();
    ASSERT_TRUE(f.page.triggerControl(0).select(static_cast<int>(i)));
    ASSERT_TRUE(f.page.triggerControl(1).select(static_cast<int>(i)));
    EXPECT_EQ(f.link.commands(), (std::vector<std::string>{Stx("07E3" + std::string(codes[i].second)),
                                                           Stx("07E9" + std::string(codes2[i].second))}));
    EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 307, -1, false).value, codes[i].first);
  }
}

// The lists offer what the receiver has; Zone OR needs both zones. A value the receiver
// does not offer stays in the image and the file, shows no entry, and is not sent.
TEST(ControlOut, TriggerControlListsFollowTheZonesAndKeepAValueTheyDoNotOffer) {
  for (const model::Capabilities& caps : AllCombinations()) {
    SCOPED_TRACE(Describe(caps));
    Fixture f;
    ASSERT_EQ(f.image().controlOut[0][37], 3);  // factory: Zone OR
    f.link.caps = caps;
    f.page.UpdateAvailability();
    std::vector<std::string> entries = {"Main"};
    if (caps.zone2) entries.push_back("Zone2");
    if (caps.zone3) entries.push_back("Zone3");
    if (caps.zone2 && caps.zone3) entries.push_back("Zone OR");
    for (int output = 0; output < 2; ++output) {
      std::vector<std::string> shown;
      for (int i = 0; i < f.page.triggerControl(output).count(); ++i)
        shown.push_back(f.page.triggerControl(output).itemText(i));
      EXPECT_EQ(shown, entries);
    }
    const bool offered = caps.zone2 && caps.zone3;
    EXPECT_EQ(f.page.triggerControl(0).selectedText(), offered ? "Zone OR" : "");
    EXPECT_EQ(f.image().controlOut[0][37], 3);
    EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 307, -1, false).value, "Zone OR");
    f.link.sent.clear();
    f.page.QueueAll(f.image());
    const auto commands = f.link.commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), Stx("07E34")), offered ? 1 : 0);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), Stx("07E98")), offered ? 1 : 0);

    // Choosing an entry the list offers stores and sends it.
    if (caps.zone3) {
      f.link.sent.clear();
      ASSERT_TRUE(f.page.triggerControl(1).select(caps.zone2 ? 2 : 1));
      EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("07E9F")});
      EXPECT_EQ(f.image().controlOut[1][37], 2);
    }
  }
}

TEST(ControlOut, EachPairIsEnabledExactlyWhenTheReceiverHasItsColumn) {
  for (const model::Capabilities& caps : AllCombinations()) {
    SCOPED_TRACE(Describe(caps));
    Fixture f;
    f.link.caps = caps;
    f.page.UpdateAvailability();
    int sent = 0;
    for (int output = 0; output < 2; ++output) {
      for (const Expected& t : ExpectedTriggers(output)) {
        EXPECT_EQ(f.page.group(t.number).isEnabled(), Has(caps, t)) << t.key;
        EXPECT_EQ(f.page.IsItemAvailable(t.number), Has(caps, t)) << t.key;
        sent += Has(caps, t);
      }
    }
    f.link.sent.clear();
    f.page.QueueAll(f.image());
    const int triggerControls = caps.zone2 && caps.zone3 ? 2 : 0;
    EXPECT_EQ(static_cast<int>(f.link.commands().size()), sent + triggerControls);
  }
}

// All High / All Low on each output with every zone combination: the triggers of the zones
// the receiver has (and every Main one) change and are sent in order; the others keep their
// values and are not sent; the other output is untouched.
TEST(ControlOut, AllHighAndAllLowChangeWhatTheReceiverHasOnOneOutput) {
  for (const model::Capabilities& caps : AllCombinations()) {
    for (int output = 0; output < 2; ++output) {
      for (std::int32_t value : {0, 1}) {
        SCOPED_TRACE(Describe(caps) + " output " + std::to_string(output + 1) + " value " + std::to_string(value));
        Fixture f;
        for (auto& table : f.image().controlOut) std::fill(table.begin(), table.begin() + 37, 1 - value);
        f.link.caps = caps;
        f.page.UpdateAvailability();
        f.page.RefreshAll();
        f.link.sent.clear();
        ASSERT_TRUE((value == 1 ? f.page.allHigh(output) : f.page.allLow(output)).click());

        std::vector<Sent> expectedSent;
        for (const Expected& t : ExpectedTriggers(output)) {
          const bool changes = t.column == 0 || (t.column == 1 ? caps.zone2 : caps.zone3);
          const std::int32_t now = std::get<std::int32_t>(*model::GetParameter(f.image(), t.number));
          EXPECT_EQ(now, changes ? value : 1 - value) << t.key;
          EXPECT_EQ(f.page.group(t.number).selected(), now) << t.key;
          if (Has(caps, t)) expectedSent.push_back({Dc4Lower(t.address + std::to_string(value)), t.number});
        }
        for (const Expected& t : ExpectedTriggers(1 - output)) {
          EXPECT_EQ(std::get<std::int32_t>(*model::GetParameter(f.image(), t.number)), 1 - value) << t.key;
        }
        expectedSent.push_back({"", 564});
        EXPECT_EQ(f.link.sent, expectedSent);
      }
    }
  }
}

TEST(ControlOut, AsyncEditsAreStoredAndNotSent) {
  Fixture f(WorkingMode::Async);
  ASSERT_TRUE(f.page.group(342).click(0));
  ASSERT_TRUE(f.page.allLow(1).click());
  EXPECT_EQ(f.image().controlOut[0][34], 0);
  EXPECT_EQ(f.image().controlOut[1][33], 0);
  EXPECT_TRUE(f.link.sent.empty());
}

}  // namespace
}  // namespace tw::test
