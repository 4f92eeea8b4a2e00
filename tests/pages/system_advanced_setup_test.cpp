// Advanced Setup: what the tuner region lists, which groups show and work in each mode,
// and the two questions of the resets answered each way.

#include <gtest/gtest.h>

#include <optional>

#include "model/parameter_access.h"
#include "pages/system/advanced_setup_page.h"
#include "pages/system_fixture.h"
#include "support/scripted_ui_services.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

constexpr int kImpedance = 535, kUserPreset = 536, kXmId = 541, kStep = 543, kVideoReset = 545;

struct Fixture {
  explicit Fixture(WorkingMode mode, int region = 1, std::optional<comm::LinkMode> linkMode = {}) : link(mode), page({link, ui}) {
    link.fake.region = region;
    if (linkMode) link.linkModeValue = *linkMode;
    page.setActive(true);
    page.OnSetActive();
  }
  model::ParameterImage& image() { return *link.fake.images.Image(0); }
  std::int32_t value(int number) { return std::get<std::int32_t>(*model::GetParameter(image(), number)); }
  bool buttonsEnabled(int number) {
    ui::RadioGroup& group = page.group(number);
    return group.isButtonEnabled(0) && group.isButtonEnabled(1);
  }

  ModeLink link;
  ui::ScriptedUiServices ui;
  pages::AdvancedSetupPage page;
};

std::vector<int> Listed(const pages::AdvancedSetupPage& page, bool forFile) {
  std::vector<int> numbers;
  for (const pages::PageItem& item : page.ListItems(forFile, pages::kAllGroups)) numbers.push_back(item.number);
  return numbers;
}

TEST(AdvancedSetupItems, TheTunerRegionDecidesWhatFilesAndDownloadsListInBothModes) {
  const std::vector<std::vector<int>> byRegion = {
      {536, 537, 538, 539, 540, 542, 544, 545},
      {535, 536, 537, 538, 539, 540, 541, 542, 544, 545},
      {535, 536, 537, 538, 539, 540, 542, 543, 544, 545},
      {535, 536, 537, 538, 539, 540, 542, 543, 544, 545},
  };
  for (WorkingMode mode : {WorkingMode::Async, WorkingMode::RealTime}) {
    for (int region = 0; region < 4; ++region) {
      Fixture f(mode, region);
      std::vector<int> sent = byRegion[static_cast<std::size_t>(region)];
      EXPECT_EQ(Listed(f.page, true), sent) << "region " << region;
      std::erase_if(sent, [](int n) { return n == kUserPreset || n == kVideoReset; });
      EXPECT_EQ(Listed(f.page, false), sent) << "region " << region;
    }
  }
}

// What shows and what can be clicked, per tuner region.
struct Shown {
  bool impedance, xmId, step;
  bool stepEnabled;
};

TEST(AdvancedSetupStates, AsyncModeHidesByRegionFixesTheStepAndDisablesTheResets) {
  const std::vector<Shown> byRegion = {
      {false, false, false, true}, {true, true, false, true}, {true, false, true, false},
      {true, false, true, false},  {true, true, false, true},  // a region above 3 counts as 1
  };
  for (int region = 0; region < 5; ++region) {
    SCOPED_TRACE("region " + std::to_string(region));
    Fixture f(WorkingMode::Async, region);
    f.image().advancedSetup[8] = region == 2 ? 0 : 1;  // the opposite of what region 2 and 3 fix
    f.page.RefreshAll();
    const Shown& want = byRegion[static_cast<std::size_t>(region)];
    EXPECT_EQ(f.page.group(kImpedance).isVisible(), want.impedance);
    EXPECT_EQ(f.page.group(kXmId).isVisible(), want.xmId);
    EXPECT_EQ(f.page.group(kStep).isVisible(), want.step);
    EXPECT_EQ(f.buttonsEnabled(kStep), want.stepEnabled);
    if (region == 2 || region == 3) {
      EXPECT_EQ(f.value(kStep), region == 2 ? 1 : 0) << "region 2 AM9/FM50, region 3 AM10/FM100";
      EXPECT_EQ(f.page.group(kStep).selected(), f.value(kStep));
    }
    EXPECT_FALSE(f.page.group(kUserPreset).isButtonEnabled(1));
    EXPECT_FALSE(f.page.group(kVideoReset).isButtonEnabled(1));
    // The same after the receiver's capabilities arrive (an upload), and nothing is sent.
    f.page.UpdateAvailability();
    EXPECT_EQ(f.page.group(kImpedance).isVisible(), want.impedance);
    EXPECT_EQ(f.page.group(kStep).isVisible(), want.step);
    EXPECT_FALSE(f.page.group(kUserPreset).isButtonEnabled(1));
    EXPECT_TRUE(f.link.fake.sent.empty());
  }
}

TEST(AdvancedSetupStates, AsyncModeWithoutXmNeverShowsTheXmId) {
  Fixture f(WorkingMode::Async, 1);
  f.link.fake.caps.xm = 0;
  f.page.UpdateAvailability();
  EXPECT_FALSE(f.page.group(kXmId).isVisible());
}

TEST(AdvancedSetupStates, RealTimeModeShowsByRegionOnlyWhileConnectedAndKeepsEverythingUsable) {
  struct Case {
    comm::LinkMode linkMode;
    int region;
    int xm;
    Shown want;
  };
  const std::vector<Case> cases = {
      {comm::LinkMode::Idle, 0, 1, {true, true, true, true}},     {comm::LinkMode::RealTime, 0, 1, {false, true, false, true}},
      {comm::LinkMode::RealTime, 1, 1, {true, true, false, true}}, {comm::LinkMode::RealTime, 2, 1, {true, true, true, true}},
      {comm::LinkMode::RealTime, 3, 0, {true, false, true, true}}, {comm::LinkMode::Idle, 1, 0, {true, false, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("link mode " + std::to_string(static_cast<int>(c.linkMode)) + ", region " + std::to_string(c.region) + ", xm " +
                 std::to_string(c.xm));
    Fixture f(WorkingMode::RealTime, c.region, c.linkMode);
    f.link.fake.caps.xm = c.xm;
    f.image().advancedSetup[8] = 1;
    f.page.UpdateAvailability();
    EXPECT_EQ(f.page.group(kImpedance).isVisible(), c.want.impedance);
    EXPECT_EQ(f.page.group(kXmId).isVisible(), c.want.xmId);
    EXPECT_EQ(f.page.group(kStep).isVisible(), c.want.step);
    EXPECT_TRUE(f.buttonsEnabled(kStep));
    EXPECT_TRUE(f.buttonsEnabled(kUserPreset));
    EXPECT_TRUE(f.buttonsEnabled(kVideoReset));
    EXPECT_EQ(f.value(kStep), 1) << "Real Time Mode fixes nothing";
  }
  // Closing the connection shows both again.
  Fixture f(WorkingMode::RealTime, 0, comm::LinkMode::RealTime);
  f.page.UpdateAvailability();
  f.link.linkModeValue = comm::LinkMode::Idle;
  f.page.UpdateAvailability();
  EXPECT_TRUE(f.page.group(kImpedance).isVisible());
  EXPECT_TRUE(f.page.group(kStep).isVisible());
}

// ---------------------------------------------------------------- the two resets

TEST(AdvancedSetupResets, EachQuestionSendsTheChoiceOnOkAndTheFirstButtonOnCancel) {
  struct Case {
    int number;
    std::string question;
    std::string body;  // without the last digit
  };
  const std::vector<Case> cases = {
      {kUserPreset, "All the parameters of this unit will be reset\nto the initial factory settings.", "2B70"},
      {kVideoReset, "The parameter settings for Display Set\nwill be initialized.", "2B80"},
  };
  for (const Case& c : cases) {
    for (ui::MessageResult answer : {ui::MessageResult::Ok, ui::MessageResult::Cancel}) {
      const bool ok = answer == ui::MessageResult::Ok;
      SCOPED_TRACE(std::to_string(c.number) + (ok ? " OK" : " Cancel"));
      Fixture f(WorkingMode::RealTime);
      std::size_t sentWhileAsking = 99;
      f.ui.answer(answer, [&] { sentWhileAsking = f.link.fake.sent.size(); });
      ASSERT_TRUE(f.page.group(c.number).click(1));
      ASSERT_EQ(f.ui.messages().size(), 1u);
      const auto& asked = f.ui.messages().front();
      EXPECT_EQ(asked.text, c.question);
      EXPECT_EQ(asked.buttons, ui::MessageButtons::OkCancel);
      EXPECT_EQ(asked.icon, ui::MessageIcon::Question);
      EXPECT_EQ(sentWhileAsking, 0u) << "nothing goes out before the answer";
      EXPECT_EQ(f.link.fake.sent, (std::vector<Sent>{{Stx(c.body + (ok ? "1" : "0")), c.number}, {"", 564}}));
      EXPECT_EQ(f.value(c.number), ok ? 1 : 0);
      EXPECT_EQ(f.page.group(c.number).selected(), ok ? 1 : 0);
    }
  }
}

TEST(AdvancedSetupResets, ADownloadNeverResetsTheReceiverWhateverTheImageHolds) {
  Fixture f(WorkingMode::Async, 1);
  f.image().advancedSetup[1] = 1;   // User Preset "Reset"
  f.image().advancedSetup[10] = 1;  // Video Reset "Yes"
  f.page.QueueAll(f.image());
  for (const Sent& s : f.link.fake.sent) {
    EXPECT_NE(s.number, kUserPreset);
    EXPECT_NE(s.number, kVideoReset);
  }
  EXPECT_EQ(f.link.fake.sent.size(), 8u);
  // Files keep them.
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), kUserPreset, -1, false).value, "Reset");
}

TEST(AdvancedSetupResets, TheFirstButtonAndOtherGroupsAskNothing) {
  Fixture f(WorkingMode::RealTime);
  f.page.group(kUserPreset).click(0);
  f.page.group(kVideoReset).click(0);
  f.page.group(537).click(1);
  EXPECT_TRUE(f.ui.messages().empty());
  EXPECT_EQ(f.link.fake.commands(), (std::vector<std::string>{Stx("2B700"), Stx("2B800"), Stx("2B901")}));
}

TEST(AdvancedSetupResets, AsyncModeOffersNeitherReset) {
  Fixture f(WorkingMode::Async);
  EXPECT_FALSE(f.page.group(kUserPreset).click(1));
  EXPECT_FALSE(f.page.group(kVideoReset).click(1));
  EXPECT_TRUE(f.ui.messages().empty());
  EXPECT_EQ(f.value(kUserPreset), 0);
}

TEST(AdvancedSetupPage, TheNoteBreaksItsLineAfterPress) {
  Fixture f(WorkingMode::Async);
  EXPECT_EQ(f.page.note().text(),
            "* The new setting is activated next time you press\n  ''MASTER ON/OFF'' inward to the ON position.");
}

}  // namespace
}  // namespace tw::test
