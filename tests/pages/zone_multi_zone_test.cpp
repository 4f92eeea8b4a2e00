// The Multi Zone page as a user drives it: commands of every item, the amplifier rule for
// every pair of both zones, Volume Out, the volume and balance readouts, what a receiver
// without a zone gets, and the page's items in files.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "files/profile.h"
#include "pages/speaker_fixture.h"
#include "pages/zone/multi_zone_page.h"
#include "settings/zone/multi_zone_settings.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using pages::MultiZonePage;
using Fixture = SpeakerFixture<MultiZonePage>;

constexpr int kZone2Amplifier = 16;
constexpr int kZone3Amplifier = 21;
constexpr int kZone2VolumeOut = 17;

std::int32_t Value(const model::ParameterImage& image, int number) {
  return std::get<std::int32_t>(*model::GetParameter(image, number));
}

std::vector<int> NumbersOf(const std::vector<Sent>& sent) {
  std::vector<int> numbers;
  for (const Sent& s : sent) {
    if (!s.text.empty()) numbers.push_back(s.number);
  }
  return numbers;
}

TEST(MultiZone, EveryItemSendsItsCommandForItsFileText) {
  struct Case {
    int number;
    std::string_view key;
    std::string_view text;
    std::string frame;
  };
  const Case cases[] = {
      {15, "Zone2 Input", "PHONO", Stx("07AD0")},       {15, "Zone2 Input", "MD/TAPE", Stx("07AD3")},
      {15, "Zone2 Input", "XM", Stx("07AB8")},          {20, "Zone3 Input", "DVD", Stx("07AFC")},
      {20, "Zone3 Input", "V-AUX", Stx("07AF0")},       {20, "Zone3 Input", "XM", Stx("07AB9")},
      {16, "Zone2 Amplifier", "INT:Speaker[2]", Stx("23E02")},
      {21, "Zone3 Amplifier", "INT:Both", Stx("23F03")}, {17, "Zone2 Volume Out", "FIX", Stx("26601")},
      {22, "Zone3 Volume Out", "VAR", Stx("26B00")},    {18, "Zone2 Volume", "Mute", Stx("23100")},
      {18, "Zone2 Volume", "-80.0dB", Stx("23127")},    {18, "Zone2 Volume", "0.0dB", Stx("231C7")},
      {23, "Zone3 Volume", "-40.0dB", Stx("23477")},    {23, "Zone3 Volume", "Mute", Stx("23400")},
      {19, "Zone2 Volume Mute", "ON", Stx("07EA0")},    {19, "Zone2 Volume Mute", "OFF", Stx("07EA1")},
      {24, "Zone3 Volume Mute", "ON", Stx("07E26")},    {24, "Zone3 Volume Mute", "OFF", Stx("07E66")},
      {25, "Zone2 Balance", "Mid", Stx("2AD14")},       {25, "Zone2 Balance", "L20", Stx("2AD00")},
      {25, "Zone2 Balance", "R20", Stx("2AD28")},       {26, "Zone3 Balance", "L5", Stx("2AE0F")},
  };
  for (const Case& c : cases) {
    Fixture f;
    ASSERT_TRUE(f.page.settings().ParseItem(f.image(), c.number, -1, c.text)) << c.text;
    const pages::ItemText text = f.page.settings().DescribeItem(f.image(), c.number, -1, false);
    EXPECT_EQ(text.section, "Multi Zone");
    EXPECT_EQ(text.key, c.key);
    EXPECT_EQ(text.value, c.text);
    f.link.sent.clear();
    f.page.QueueItem(f.image(), c.number, -1);
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{c.frame, c.number}})) << c.key << " " << c.text;
  }
}

TEST(MultiZone, FilesListTheZonesInTurnAndADownloadSendsVolumeOutAfterVolumeAndMute) {
  Fixture f;
  std::vector<int> file;
  for (const pages::PageItem& item : f.page.ListItems(true, pages::kAllGroups)) file.push_back(item.number);
  EXPECT_EQ(file, (std::vector<int>{15, 16, 17, 18, 19, 25, 20, 21, 22, 23, 24, 26}));
  f.link.sent.clear();
  f.page.QueueAll(f.image());
  EXPECT_EQ(NumbersOf(f.link.sent), (std::vector<int>{15, 16, 18, 19, 17, 25, 20, 21, 23, 24, 22, 26}));
}

// Every amplifier a zone can choose beside every amplifier of the other zone, through the
// list as a user chooses it: a refused choice brings the previous amplifier back in the list
// and the image, and that is what is sent.
TEST(MultiZone, TheAmplifierListRefusesWhatTheOtherZoneUses) {
  enum { External, Int1, Int2, Both };
  auto refused = [](int choice, int other) {
    return choice != External && (other == Both || choice == Both || choice == other) && other != External;
  };
  for (int zone = 0; zone < 2; ++zone) {
    const int mine = zone == 0 ? kZone2Amplifier : kZone3Amplifier;
    const int theirs = zone == 0 ? kZone3Amplifier : kZone2Amplifier;
    const std::string address = zone == 0 ? "23E0" : "23F0";
    for (int other = External; other <= Both; ++other) {
      for (int choice = External; choice <= Both; ++choice) {
        SCOPED_TRACE("zone " + std::to_string(zone + 2) + " choice " + std::to_string(choice) + " other " +
                     std::to_string(other));
        Fixture f;
        model::SetParameter(f.image(), theirs, other);
        f.page.RefreshAll();
        f.link.sent.clear();
        ASSERT_TRUE(f.page.list(mine).select(choice));
        const int kept = refused(choice, other) ? External : choice;
        EXPECT_EQ(Value(f.image(), mine), kept);
        EXPECT_EQ(f.page.list(mine).curSel(), kept);
        EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx(address + std::to_string(kept))});

        // A file or `set` is held to the same rule.
        Fixture g;
        model::SetParameter(g.image(), theirs, other);
        const std::string text = f.page.list(mine).itemText(choice);
        EXPECT_EQ(g.page.settings().ParseItem(g.image(), mine, -1, text), !refused(choice, other));
        EXPECT_EQ(Value(g.image(), mine), refused(choice, other) ? External : choice);
      }
    }
  }
}

TEST(MultiZone, ARefusedPairSaysWhyAndAFileMaySwapTheAmplifiers) {
  Fixture f;
  model::SetParameter(f.image(), kZone3Amplifier, 3);
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), kZone2Amplifier, -1, "INT:Speaker[1]"),
            "Zone3 Amplifier is \"INT:Both\", and the two zones cannot share an internal amplifier output");
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), kZone2Amplifier, -1, "Internal"),
            "allowed: \"External\", \"INT:Speaker[1]\", \"INT:Speaker[2]\", \"INT:Both\"");

  // Zone2 on [1] and Zone3 on [2] become the other way round: each alone would be refused.
  model::SetParameter(f.image(), kZone2Amplifier, 1);
  model::SetParameter(f.image(), kZone3Amplifier, 2);
  LoadItems(f.page.settings(), f.link, f.image(), files::Profile::Parse("[Multi Zone]\r\nZone2 Amplifier=INT:Speaker[2]\r\n"
                                                    "Zone3 Amplifier=INT:Speaker[1]\r\n"));
  EXPECT_EQ(Value(f.image(), kZone2Amplifier), 2);
  EXPECT_EQ(Value(f.image(), kZone3Amplifier), 1);
  // A file that asks both zones for INT:Both leaves the first one refused as it was.
  LoadItems(f.page.settings(), f.link, f.image(), files::Profile::Parse("[Multi Zone]\r\nZone2 Amplifier=INT:Both\r\n"
                                                    "Zone3 Amplifier=INT:Both\r\n"));
  EXPECT_EQ(Value(f.image(), kZone2Amplifier), 2);
  EXPECT_EQ(Value(f.image(), kZone3Amplifier), 1);
}

TEST(MultiZone, VolumeOutIsChosenOnlyWithAnExternalAmplifier) {
  Fixture f(WorkingMode::Async);
  ASSERT_TRUE(f.page.list(17).select(1));  // FIX
  EXPECT_EQ(Value(f.image(), kZone2VolumeOut), 1);
  ASSERT_TRUE(f.page.list(16).select(1));  // INT:Speaker[1]
  EXPECT_EQ(Value(f.image(), kZone2VolumeOut), 0);
  EXPECT_EQ(f.page.list(17).selectedText(), "VAR");
  EXPECT_FALSE(f.page.list(17).isEnabled());
  ASSERT_TRUE(f.page.list(16).select(0));
  EXPECT_TRUE(f.page.list(17).isEnabled());
  EXPECT_TRUE(f.link.sent.empty());

  // A refresh puts a loaded FIX beside an internal amplifier back to VAR, in Async Mode only.
  model::SetParameter(f.image(), 22, 1);
  model::SetParameter(f.image(), kZone3Amplifier, 2);
  f.page.RefreshAll();
  EXPECT_EQ(Value(f.image(), 22), 0);
  EXPECT_FALSE(f.page.list(22).isEnabled());

  Fixture live;
  model::SetParameter(live.image(), 22, 1);
  model::SetParameter(live.image(), kZone3Amplifier, 2);
  live.page.RefreshAll();
  EXPECT_EQ(Value(live.image(), 22), 1);  // the receiver's own value stays
  EXPECT_FALSE(live.page.list(22).isEnabled());
}

TEST(MultiZone, VolumeAndBalanceReadoutsFollowTheSliders) {
  Fixture f;
  EXPECT_EQ(f.page.label(18).text(), "-40.0dB");
  ASSERT_TRUE(f.page.slider(18).drag(-805));
  EXPECT_EQ(f.page.label(18).text(), "Mute");
  EXPECT_TRUE(f.link.sent.empty());
  ASSERT_TRUE(f.page.slider(18).release());
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("23100")});
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 18, -1, false).value, "Mute");

  EXPECT_EQ(f.page.label(26).text(), "Mid");
  for (auto [balance, text] : {std::pair{0, "L20"}, {19, "L1"}, {21, "R1"}, {40, "R20"}}) {
    ASSERT_TRUE(f.page.stepSlider(26).drag(balance));
    EXPECT_EQ(f.page.label(26).text(), text);
  }
  f.link.sent.clear();
  ASSERT_TRUE(f.page.stepSlider(26).release());
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("2AE28")});

  ASSERT_TRUE(f.page.check(24).click());
  EXPECT_EQ(f.link.commands().back(), Stx("07E26"));
  EXPECT_EQ(Value(f.image(), 24), 1);
}

// What is left of a zone the receiver lacks: its values, shown disabled and filed, never sent.
TEST(MultiZone, AZoneTheReceiverLacksKeepsItsValuesButSendsNothing) {
  Fixture f;
  ASSERT_TRUE(f.page.settings().ParseItem(f.image(), 23, -1, "-12.5dB"));
  f.link.caps.zone3 = 0;
  f.page.UpdateAvailability();
  f.page.RefreshAll();
  for (int zone = 0; zone < 2; ++zone) {
    const bool there = zone == 0;
    const auto& items = settings::multi_zone::kZones[static_cast<std::size_t>(zone)];
    EXPECT_EQ(f.page.list(items.input).isEnabled(), there);
    EXPECT_EQ(f.page.list(items.amplifier).isEnabled(), there);
    EXPECT_EQ(f.page.list(items.volumeOut).isEnabled(), there);
    EXPECT_EQ(f.page.slider(items.volume).isEnabled(), there);
    EXPECT_EQ(f.page.label(items.volume).isEnabled(), there);
    EXPECT_EQ(f.page.check(items.mute).isEnabled(), there);
    EXPECT_EQ(f.page.stepSlider(items.balance).isEnabled(), there);
  }
  EXPECT_EQ(f.page.label(23).text(), "-12.5dB");
  f.link.sent.clear();
  f.page.QueueAll(f.image());
  EXPECT_EQ(NumbersOf(f.link.sent), (std::vector<int>{15, 16, 18, 19, 17, 25}));
  f.link.sent.clear();
  f.page.SendItem(23);
  EXPECT_TRUE(f.link.sent.empty());
  files::Profile file;
  SaveItems(f.page.settings(), f.link, f.image(), file);
  EXPECT_EQ(file.GetString("Multi Zone", "Zone3 Volume", ""), "-12.5dB");
  EXPECT_EQ(file.KeyNames("Multi Zone").size(), 12u);
}

TEST(MultiZone, BadFileTextsLeaveTheImageAlone) {
  Fixture f;
  const model::ParameterImage before = f.image();
  for (auto [number, text] : {std::pair{18, "-80.5dB"}, {18, "1.0dB"}, {18, "-12.3dB"}, {25, "L21"}, {25, "Centre"},
                              {19, "on"}, {15, "Radio"}, {17, "VARIABLE"}}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), number, -1, text)) << text;
  }
  EXPECT_EQ(f.image(), before);
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 15, -1, "cd"));  // list entries ignore letter case
}

}  // namespace
}  // namespace tw::test
