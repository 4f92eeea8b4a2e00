// Speaker Set: the radio groups' commands, the Surround rule in both modes, file texts.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "pages/speaker/speaker_set_page.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = SpeakerFixture<pages::SpeakerSetPage>;

constexpr int kCenter = 428, kSurround = 429, kSurroundBack = 430, kPresence = 431, kLfe = 433;

bool AllButtonsEnabled(ui::RadioGroup& group, bool enabled) {
  for (int i = 0; i < group.count(); ++i) {
    if (group.isButtonEnabled(i) != enabled) return false;
  }
  return true;
}

TEST(SpeakerSetCommands, EveryButtonOfEveryGroupSendsItsCode) {
  struct Case {
    int number;
    std::vector<std::string> bodies;  // in button order
  };
  const std::vector<Case> cases = {
      {427, {"27101", "27100"}},
      {428, {"27002", "27001", "27000"}},
      {429, {"27202", "27201", "27200"}},
      {430, {"27304", "27303", "27302", "27301", "27300"}},
      {431, {"27401", "27400"}},
      {432, {"27D01", "27D00"}},
      {433, {"27500", "27501", "27502"}},
      {434, {"27E00", "27E01", "27E02", "27E03", "27E04", "27E05", "27E06", "27E07", "27E08"}},
      {435, {"27600", "27610"}},
  };
  Fixture f;
  for (const Case& c : cases) {
    ui::RadioGroup& group = f.page.group(c.number);
    ASSERT_EQ(group.count(), static_cast<int>(c.bodies.size())) << c.number;
    for (int i = 0; i < group.count(); ++i) {
      f.link.sent.clear();
      // Surround Back needs surround speakers to be clickable.
      ASSERT_TRUE(group.click(i)) << c.number << " button " << i;
      EXPECT_EQ(f.link.sent,
                (std::vector<Sent>{{Stx(c.bodies[static_cast<std::size_t>(i)]), c.number}, {"", 564}}))
          << c.number << " button " << i;
    }
  }
}

TEST(SpeakerSetRule, RealTimeSurroundNoneFixesOnlySurroundBack) {
  Fixture f;
  f.page.group(kSurroundBack).click(3);
  f.link.sent.clear();
  f.page.group(kSurround).click(0);
  EXPECT_EQ(f.image().speakerSet[3], 0);  // Surround Back None
  EXPECT_EQ(f.page.group(kSurroundBack).selected(), 0);
  EXPECT_TRUE(AllButtonsEnabled(f.page.group(kSurroundBack), false));
  // Center, Presence and LFE/Bass Out keep their values and stay selectable.
  EXPECT_EQ(f.image().speakerSet[1], 1);
  EXPECT_TRUE(AllButtonsEnabled(f.page.group(kCenter), true));
  EXPECT_TRUE(AllButtonsEnabled(f.page.group(kLfe), true));
  // Only the edit itself is sent, never a forced value.
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("27202")});

  f.page.group(kSurround).click(2);
  EXPECT_TRUE(AllButtonsEnabled(f.page.group(kSurroundBack), true));
  EXPECT_EQ(f.image().speakerSet[3], 0);
}

TEST(SpeakerSetRule, AsyncSurroundNoneFixesCenterPresenceLfeAndSurroundBack) {
  Fixture f(WorkingMode::Async);
  f.page.group(kCenter).click(2);
  f.page.group(kPresence).click(1);
  f.page.group(kLfe).click(2);
  f.page.group(kSurroundBack).click(4);
  f.page.group(kSurround).click(0);

  const auto& set = f.image().speakerSet;
  EXPECT_EQ(set[1], 0);  // Center None
  EXPECT_EQ(set[4], 0);  // Presence None
  EXPECT_EQ(set[8], 1);  // LFE/Bass Out Front
  EXPECT_EQ(set[3], 0);  // Surround Back None
  EXPECT_EQ(f.page.group(kCenter).selected(), 0);
  EXPECT_EQ(f.page.group(kLfe).selected(), 1);
  for (int number : {kCenter, kPresence, kLfe, kSurroundBack}) {
    EXPECT_TRUE(AllButtonsEnabled(f.page.group(number), false)) << number;
  }
  // The way back: Surround stays selectable, and choosing it frees the others again.
  EXPECT_TRUE(AllButtonsEnabled(f.page.group(kSurround), true));
  ASSERT_TRUE(f.page.group(kSurround).click(1));
  for (int number : {kCenter, kPresence, kLfe, kSurroundBack}) {
    EXPECT_TRUE(AllButtonsEnabled(f.page.group(number), true)) << number;
  }
  EXPECT_EQ(set[1], 0);  // values forced earlier stay as they are
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(SpeakerSetRule, RunsOnRefreshFromTheImage) {
  Fixture f(WorkingMode::Async);
  f.image().speakerSet[2] = 0;  // a file or an upload without surround speakers
  f.image().speakerSet[1] = 2;
  f.page.RefreshAll();
  EXPECT_EQ(f.image().speakerSet[1], 0);
  EXPECT_EQ(f.page.group(kCenter).selected(), 0);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(SpeakerSetRule, ReceiverReportAppliesTheRuleOnlyWithTheUpdateFlag) {
  Fixture f;
  f.image().speakerSet[3] = 3;
  f.page.RefreshAll();
  f.image().speakerSet[2] = 0;  // the receiver reports Surround None
  f.page.RefreshItem(kSurround, false);
  EXPECT_EQ(f.page.group(kSurround).selected(), 0);
  EXPECT_EQ(f.image().speakerSet[3], 3);
  f.page.RefreshItem(kSurround, true);
  EXPECT_EQ(f.image().speakerSet[3], 0);
  EXPECT_EQ(f.page.group(kSurroundBack).selected(), 0);

  f.page.setActive(false);
  f.image().speakerSet[0] = 1;
  f.page.RefreshItem(427, true);
  EXPECT_EQ(f.page.group(427).selected(), 0);  // not shown until activated
  f.page.setActive(true);
  f.page.OnSetActive();
  EXPECT_EQ(f.page.group(427).selected(), 1);
}

TEST(SpeakerSetPage, FocusOfATwoButtonGroupFollowsTheSelection) {
  Fixture f;
  ui::RadioGroup& front = f.page.group(427);
  front.focus(0);
  f.image().speakerSet[0] = 1;
  f.page.RefreshAll();
  f.page.RestoreFocus();
  EXPECT_EQ(front.focusedButton(), 1);
}

TEST(SpeakerSetFile, TextsOfTheButtonsInNumberOrder) {
  Fixture f;
  f.image().speakerSet = {1, 0, 2, 4, 1, 8, 1, 1, 2};
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(profile.Text(),
            "[Speaker Set]\r\nFront=Large\r\nCenter=None\r\nSurround=Large\r\nSurround Back=Large x 2\r\n"
            "Presence=Yes\r\nPR/SB Select=Presence\r\nLFE/Bass Out=Both\r\nSW Cross Over=200Hz\r\n"
            "SW Phase=Reverse\r\n");
  model::ParameterImage other;
  LoadItems(f.page.settings(), f.link, other, profile);
  EXPECT_EQ(other.speakerSet, f.image().speakerSet);
}

TEST(SpeakerSetFile, TextsThatAreNoButtonLeaveTheValue) {
  Fixture f;
  const auto before = f.image().speakerSet;
  for (std::string_view text : {"large", "Large ", "Small x 3", "", "80 Hz"}) {
    for (int number = 427; number <= 435; ++number)
      EXPECT_FALSE(f.page.settings().ParseItem(f.image(), number, -1, text));
  }
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 426, -1, "Large"));
  EXPECT_EQ(f.image().speakerSet, before);
  EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 434, -1, "90Hz"));
  EXPECT_EQ(f.image().speakerSet[5], 3);
}

TEST(SpeakerSetItems, NumberOrderForSendingAndFilesAndEveryItemAvailable) {
  Fixture f;
  std::vector<pages::PageItem> expected;
  for (int number = 427; number <= 435; ++number) expected.push_back({number, -1});
  EXPECT_EQ(f.page.ListItems(false, pages::kAllGroups), expected);
  EXPECT_EQ(f.page.ListItems(true, pages::kAllGroups), expected);
  f.link.caps = model::Capabilities{0, 0, 0, 0};
  for (const auto& item : expected) EXPECT_TRUE(f.page.IsItemAvailable(item.number));
}

}  // namespace
}  // namespace tw::test
