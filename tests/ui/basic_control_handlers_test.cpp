// The Basic Control group as the user drives it: what each control stores and sends.

#include <gtest/gtest.h>

#include "comm/link_harness.h"
#include "pages/fake_page_link.h"
#include "support/scripted_ui_services.h"
#include "ui/basic_control/basic_control_group.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

class RecordingPeers final : public ui::BasicControlPeers {
 public:
  void ActivateSpeakerSet() override { ++speakerSetActivations; }
  void SetDspProgram(int program) override { dspPrograms.push_back(program); }
  void RefreshInputDspItem(int number, bool update) override {
    inputDspRefreshes.emplace_back(number, update);
  }
  int speakerSetActivations = 0;
  std::vector<int> dspPrograms;
  std::vector<std::pair<int, bool>> inputDspRefreshes;
};

struct GroupFixture {
  explicit GroupFixture(WorkingMode mode = WorkingMode::RealTime) : link(mode), group(link, ui, &peers) {
    group.FillBasicControls();
  }
  std::int32_t integer(int n) { return link.images.Image(0)->basic[static_cast<std::size_t>(n - 1)]; }
  void setInteger(int n, std::int32_t v) { link.images.Image(0)->basic[static_cast<std::size_t>(n - 1)] = v; }

  FakePageLink link;
  ui::ScriptedUiServices ui;
  RecordingPeers peers;
  ui::BasicControlGroup group;
};

// One Real Time edit: its command, then the batch start.
std::vector<Sent> Edit(std::string_view body, int number) { return {{Stx(body), number}, {"", 564}}; }

TEST(BasicControlLists, HoldTheirFixedEntries) {
  GroupFixture f;
  EXPECT_EQ(f.group.input.count(), 13);
  EXPECT_EQ(f.group.input.itemText(10), "V-AUX/DOCK");
  EXPECT_EQ(f.group.program.count(), 24);
  EXPECT_EQ(f.group.program.itemText(3), "Charch in Freiburg");
  EXPECT_EQ(f.group.decoder.itemText(2), "AAC(J Only)");
  EXPECT_EQ(f.group.surround.itemText(4), "PLIIx Movie");
  EXPECT_EQ(f.group.enhancer.itemText(3), "7ch Enhancer High");
  EXPECT_EQ(f.group.nightMode.itemText(1), "Cinema");
  EXPECT_EQ(f.group.audioSelect.itemData(3), 3);
  // Factory values shown after filling.
  EXPECT_EQ(f.group.input.selectedText(), "DVD");
  EXPECT_EQ(f.group.program.selectedText(), "Drama");
  EXPECT_EQ(f.group.volumeLabel.text(), "-40.0dB");
  EXPECT_TRUE(f.group.program.isEnabled());
  EXPECT_FALSE(f.group.enhancer.isEnabled());
  EXPECT_FALSE(f.group.nightParameter.isButtonEnabled(0));  // night mode OFF
}

TEST(BasicControlHandlers, EachListSendsItsOperationCommand) {
  struct Case {
    ui::ListCombo ui::BasicControlGroup::*list;
    int index;
    int integer;
    std::string body;
    int number;
  };
  const std::vector<Case> cases = {
      {&ui::BasicControlGroup::input, 1, 1, "07A15", 1},
      {&ui::BasicControlGroup::input, 12, 1, "07A87", 1},
      {&ui::BasicControlGroup::audioSelect, 1, 2, "07EDA", 2},
      {&ui::BasicControlGroup::decoder, 2, 3, "07E3B", 3},
      {&ui::BasicControlGroup::program, 3, 4, "07EE8", 4},
      {&ui::BasicControlGroup::program, 23, 4, "07EFF", 4},
      {&ui::BasicControlGroup::surround, 2, 6, "07EB8", 6},
      {&ui::BasicControlGroup::nightMode, 2, 7, "07ECF", 7},
  };
  for (const Case& c : cases) {
    GroupFixture f;
    EXPECT_TRUE((f.group.*c.list).select(c.index)) << c.body;
    EXPECT_EQ(f.integer(c.integer), c.index) << c.body;
    EXPECT_EQ(f.link.sent, Edit(c.body, c.number)) << c.body;
    EXPECT_EQ(f.ui.waitCursorShows(), 1);
    EXPECT_EQ(f.ui.waitCursorDepth(), 0);
  }
}

TEST(BasicControlHandlers, AsyncEditsStoreButSendNothing) {
  GroupFixture f(WorkingMode::Async);
  f.group.audioSelect.select(3);
  f.group.surround.select(5);
  f.group.nightMode.select(1);
  f.group.nightParameter.click(2);
  f.group.mute.click();
  f.group.volume.drag(0);
  f.group.volume.release();
  f.group.enhancer.setEnabled(true);
  f.group.selector.click(2);
  EXPECT_EQ(f.integer(2), 3);
  EXPECT_EQ(f.integer(6), 5);
  EXPECT_EQ(f.integer(8), 2);
  EXPECT_EQ(f.integer(10), 1);
  EXPECT_EQ(f.integer(9), 0);
  EXPECT_EQ(f.integer(4), 24);
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_EQ(f.ui.waitCursorShows(), 0);
}

TEST(BasicControlHandlers, EnhancerIsSentTwiceWithItsOwnPrefix) {
  GroupFixture f;
  f.group.selector.click(2);
  EXPECT_EQ(f.integer(12), 2);
  EXPECT_EQ(f.integer(11), 0);
  EXPECT_EQ(f.integer(4), 24);
  EXPECT_FALSE(f.group.program.isEnabled());
  EXPECT_TRUE(f.group.enhancer.isEnabled());
  f.link.sent.clear();
  f.group.enhancer.select(3);
  EXPECT_EQ(f.integer(4), 27);
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("2AF04"), 4}, {"", 564}, {Stx("2AF04"), 4}, {"", 564}}));
}

TEST(BasicControlHandlers, StraightAndBackToTheProgramList) {
  GroupFixture f;
  f.group.selector.click(1);
  EXPECT_EQ(f.integer(4), 28);
  EXPECT_EQ(f.integer(12), 1);
  EXPECT_EQ(f.link.sent, Edit("07EE0", 4));
  EXPECT_FALSE(f.group.program.isEnabled());
  EXPECT_FALSE(f.group.enhancer.isEnabled());

  f.link.sent.clear();
  f.group.selector.click(0);
  EXPECT_EQ(f.integer(4), 14);  // the program list still shows Drama
  EXPECT_EQ(f.link.sent, Edit("07EFC", 4));
  EXPECT_EQ(f.peers.dspPrograms.back(), 14);
  EXPECT_TRUE(f.group.program.isEnabled());
}

TEST(BasicControlHandlers, ProgramListWithoutSelectionOffersItsFirstEntry) {
  FakePageLink link;
  link.images.Image(0)->basic[3] = 28;  // Straight when the lists are filled
  ui::ScriptedUiServices ui;
  ui::BasicControlGroup group(link, ui);
  group.FillBasicControls();
  EXPECT_EQ(group.program.curSel(), -1);
  group.selector.click(0);
  EXPECT_EQ(link.images.Image(0)->basic[3], 0);
  EXPECT_EQ(link.commands(), std::vector<std::string>{Stx("07EE1")});
}

TEST(BasicControlHandlers, NightModeEnablesTheParameterRadios) {
  GroupFixture f;
  const int activations = f.peers.speakerSetActivations;
  f.group.nightMode.select(1);
  EXPECT_EQ(f.link.sent, Edit("07E9B", 7));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(f.group.nightParameter.isButtonEnabled(i));
  EXPECT_EQ(f.peers.speakerSetActivations, activations + 1);

  f.link.sent.clear();
  f.group.nightParameter.click(2);
  EXPECT_EQ(f.integer(8), 2);
  EXPECT_EQ(f.link.sent, Edit("28B12", 8));

  f.group.nightMode.select(0);
  EXPECT_FALSE(f.group.nightParameter.isButtonEnabled(1));
  EXPECT_FALSE(f.group.nightParameter.click(0));
}

TEST(BasicControlHandlers, MuteAndZonePowerCheckBoxes) {
  GroupFixture f;
  f.group.mute.click();
  EXPECT_EQ(f.integer(10), 1);
  f.group.zoneMain.click();
  f.group.zone2.click();
  f.group.zone3.click();
  f.group.zone3.click();
  EXPECT_EQ(f.integer(13), 0);
  EXPECT_EQ(f.integer(14), 0);
  EXPECT_EQ(f.integer(15), 1);
  EXPECT_EQ(f.link.commands(),
            (std::vector<std::string>{Stx("07EA2"), Stx("07E7F"), Stx("07EBB"), Stx("07AEE"), Stx("07AED")}));
  EXPECT_EQ(f.link.sent[2].number, 12);
  EXPECT_EQ(f.link.sent[8].number, 14);
}

TEST(BasicControlVolume, DragSendsOnceOnReleaseWithTheFinalValue) {
  GroupFixture f;
  for (int value : {-395, -200, -5, 0}) {
    f.group.volume.drag(value);
    EXPECT_EQ(f.integer(9), value);
  }
  EXPECT_EQ(f.group.volumeLabel.text(), "0.0dB");
  EXPECT_TRUE(f.link.sent.empty());
  f.group.volume.release();
  EXPECT_EQ(f.link.sent, Edit("230C7", 9));
}

TEST(BasicControlVolume, CommandsForTheTopTheBottomAndMute) {
  const std::vector<std::pair<int, std::string>> cases = {{160, "230E7"}, {-800, "23027"}, {-805, "23000"}};
  for (const auto& [value, body] : cases) {
    GroupFixture f;
    f.group.volume.drag(value);
    f.group.volume.release();
    EXPECT_EQ(f.link.sent, Edit(body, 9));
  }
  GroupFixture f;
  f.group.volume.dragToPosition(f.group.volume.maxPosition());  // the bottom
  EXPECT_EQ(f.integer(9), -805);
  EXPECT_EQ(f.group.volumeLabel.text(), "Mute");
  f.group.volume.dragToPosition(f.group.volume.minPosition());
  EXPECT_EQ(f.integer(9), 160);
  EXPECT_EQ(f.group.volumeLabel.text(), "16.0dB");
}

TEST(BasicControlVolume, RepaintWhileATransferDialogIsOpenStoresNothing) {
  GroupFixture f;
  f.link.dialogOpen = true;
  f.group.volume.drag(100);
  EXPECT_EQ(f.integer(9), -400);
  EXPECT_EQ(f.group.volumeLabel.text(), "-40.0dB");
}

TEST(BasicControlKeys, ArrowKeysChangeNothing) {
  GroupFixture f;
  for (ui::Key key : {ui::Key::Left, ui::Key::Up, ui::Key::Right, ui::Key::Down}) {
    EXPECT_TRUE(f.group.PreTranslateKey(f.group.volume, key));
    EXPECT_TRUE(f.group.PreTranslateKey(f.group.input, key));
    EXPECT_TRUE(f.group.PreTranslateKey(f.group.selector, key));
  }
  EXPECT_EQ(f.integer(9), -400);
  EXPECT_EQ(f.group.input.curSel(), 5);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(BasicControlRules, MultiChForcesStraightAndDisablesTheOtherSelectors) {
  GroupFixture f;
  f.group.input.select(12);
  EXPECT_EQ(f.group.selector.selected(), 1);
  EXPECT_FALSE(f.group.selector.isButtonEnabled(0));
  EXPECT_FALSE(f.group.selector.isButtonEnabled(2));
  EXPECT_FALSE(f.group.program.isEnabled());
  EXPECT_FALSE(f.group.enhancer.isEnabled());
  f.group.input.select(2);
  EXPECT_TRUE(f.group.selector.isButtonEnabled(0));
  EXPECT_TRUE(f.group.selector.isButtonEnabled(2));
  EXPECT_EQ(f.link.commands(), (std::vector<std::string>{Stx("07A87"), Stx("07A16")}));
}

TEST(BasicControlRules, AsyncInputChangeShowsThatInputsStoredProgram) {
  GroupFixture f(WorkingMode::Async);
  f.group.input.select(1);  // CD keeps The Roxy Theatre
  EXPECT_EQ(f.integer(4), 8);
  EXPECT_EQ(f.group.program.selectedText(), "The Roxy Theatre");
  EXPECT_EQ(f.group.selector.selected(), 0);
  f.group.input.select(0);  // PHONO keeps Straight
  EXPECT_EQ(f.integer(4), 28);
  EXPECT_EQ(f.group.selector.selected(), 1);
  EXPECT_FALSE(f.group.program.isEnabled());
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(BasicControlRules, AsyncProgramChangeIsStoredForTheCurrentInput) {
  GroupFixture f(WorkingMode::Async);
  f.group.program.select(3);  // input DVD (5)
  EXPECT_EQ(f.link.images.Image(0)->inputDsp[10], 3);
  f.group.selector.click(1);
  EXPECT_EQ(f.link.images.Image(0)->inputDsp[10], 28);
  f.group.selector.click(2);
  f.group.enhancer.select(1);
  EXPECT_EQ(f.link.images.Image(0)->inputDsp[10], 25);
  EXPECT_EQ(f.peers.inputDspRefreshes.back(), (std::pair<int, bool>{222, true}));
  EXPECT_TRUE(f.peers.dspPrograms.empty());  // Real Time Mode only
}

TEST(BasicControlRules, RealTimeProgramChangeLeavesTheInputProgramsAlone) {
  GroupFixture f;
  const auto before = f.link.images.Image(0)->inputDsp;
  f.group.program.select(3);
  f.group.input.select(1);
  EXPECT_EQ(f.link.images.Image(0)->inputDsp, before);
  EXPECT_EQ(f.integer(4), 3);
  EXPECT_EQ(f.peers.dspPrograms, std::vector<int>{3});
}

TEST(BasicControlRefresh, WholeBlockAndSingleItems) {
  GroupFixture f;
  f.setInteger(1, 12);
  f.setInteger(4, 26);
  f.setInteger(7, 2);
  f.setInteger(8, 0);
  f.setInteger(9, -805);
  f.setInteger(10, 1);
  f.setInteger(14, 0);
  f.group.RefreshBasicControls();
  EXPECT_EQ(f.group.input.selectedText(), "MULTI CH");
  EXPECT_EQ(f.group.selector.selected(), 2);
  EXPECT_EQ(f.group.enhancer.selectedText(), "7ch Enhancer Low");
  EXPECT_EQ(f.integer(11), 2);
  EXPECT_TRUE(f.group.enhancer.isEnabled());
  EXPECT_TRUE(f.group.nightParameter.isButtonEnabled(2));
  EXPECT_EQ(f.group.nightParameter.selected(), 0);
  EXPECT_EQ(f.group.volumeLabel.text(), "Mute");
  EXPECT_EQ(f.group.mute.checked(), 1);
  EXPECT_EQ(f.group.zone2.checked(), 0);
  EXPECT_TRUE(f.link.sent.empty());

  f.group.RefreshBasicItem(1, true);  // MULTI CH rule
  EXPECT_EQ(f.group.selector.selected(), 1);
  EXPECT_FALSE(f.group.selector.isButtonEnabled(0));
  f.setInteger(4, 7);
  f.group.RefreshBasicItem(4, true);
  EXPECT_EQ(f.group.program.selectedText(), "Cellar Club");
  EXPECT_EQ(f.peers.dspPrograms, std::vector<int>{7});
  f.setInteger(9, 35);
  f.group.RefreshBasicItem(9, false);
  EXPECT_EQ(f.group.volumeLabel.text(), "3.5dB");
  f.group.RefreshBasicItem(99, true);  // not an item: nothing
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(BasicControlRefresh, FocusReturnsToTheSelectedNightParameter) {
  GroupFixture f;
  f.setInteger(7, 1);
  f.setInteger(8, 2);
  f.group.RefreshBasicControls();
  f.group.nightParameter.focus(0);
  f.group.RestoreFocus();
  EXPECT_EQ(f.group.nightParameter.focusedButton(), 2);
  f.group.nightParameter.focus(-1);
  f.group.RestoreFocus();
  EXPECT_EQ(f.group.nightParameter.focusedButton(), -1);
}

TEST(BasicControlDownload, QueuesTheItemsInOrderWithoutZonePower) {
  GroupFixture f(WorkingMode::Async);
  model::ParameterImage image = *f.link.images.Image(0);  // factory values: night mode OFF
  f.group.QueueBasicControls(image);
  EXPECT_EQ(f.link.commands(),
            (std::vector<std::string>{Stx("07AC1"), Stx("07EA6"), Stx("07EDB"), Stx("07E7C"), Stx("07E9C"),
                                      Stx("07EFC"), Stx("23077"), Stx("07EA3")}));
  EXPECT_EQ(f.link.sent[5].number, 4);
  EXPECT_EQ(f.link.batchStarts(), 0);

  // Night mode on adds its parameter; Straight and the enhancers use their own numbers.
  image.basic[6] = 1;
  image.basic[7] = 2;
  image.basic[3] = 28;
  f.link.sent.clear();
  f.group.QueueBasicControls(image);
  EXPECT_EQ(f.link.sent[4], (Sent{Stx("07E9B"), 7}));
  EXPECT_EQ(f.link.sent[5], (Sent{Stx("28B12"), 8}));
  EXPECT_EQ(f.link.sent[6], (Sent{Stx("07EE0"), 5}));
  image.basic[3] = 25;
  f.link.sent.clear();
  f.group.QueueBasicControls(image);
  EXPECT_EQ(f.link.sent[6], (Sent{Stx("2AF02"), 11}));
  EXPECT_EQ(f.link.sent.size(), 9u);
}

TEST(BasicControlOnLink, RealTimeVolumeReleaseWritesOneFrame) {
  comm::test::LinkFixture f(WorkingMode::RealTime);
  ASSERT_TRUE(f.connectRealTime());
  ui::CommPageLink link(f.link);
  ui::ScriptedUiServices ui;
  ui::BasicControlGroup group(link, ui);
  group.FillBasicControls();
  const std::size_t before = f.port.writes.size();
  group.volume.drag(-100);
  group.volume.drag(0);
  f.scheduler.advance(500);
  EXPECT_EQ(f.port.writes.size(), before);
  group.volume.release();
  f.scheduler.advance(500);
  ASSERT_EQ(f.port.writes.size(), before + 1);
  EXPECT_EQ(f.port.writes.back().bytes, Stx("230C7"));
}

}  // namespace
}  // namespace tw::test
