// The page rules as a user and the link see them, on a page built from framework tables.

#include <gtest/gtest.h>

#include "pages/fake_page_link.h"
#include "pages/test_page.h"
#include "support/scripted_ui_services.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

struct PageFixture {
  explicit PageFixture(WorkingMode mode = WorkingMode::RealTime) : link(mode), page({link, ui}) {
    page.setActive(true);
    page.OnSetActive();
  }
  model::ParameterImage& image() { return *link.images.Image(0); }

  FakePageLink link;
  ui::ScriptedUiServices ui;
  TestPage page;
};

std::string Ext(std::string_view body, bool lower) {
  return pages::MakeCommand(lower ? pages::CommandFrame::ExtendedLower : pages::CommandFrame::ExtendedUpper,
                            body);
}

TEST(PageCommands, FramesCarryTheChecksumInThePagesLetterCase) {
  // The character codes of "200801022" add up to 0x1BF.
  EXPECT_EQ(Ext("200801022", true),
            "\x14"
            "200801022bf\x03");
  EXPECT_EQ(Ext("200801022", false),
            "\x14"
            "200801022BF\x03");
  EXPECT_EQ(pages::Hex(60, 2, pages::HexCase::Lower), "3c");
  EXPECT_EQ(pages::Hex(0x12C, 3, pages::HexCase::Lower), "12c");
  EXPECT_EQ(pages::Hex(-1, 2, pages::HexCase::Upper), "FF");
}

TEST(RadioRule, RealTimeClickStoresAndSendsOnceWithWaitCursor) {
  PageFixture f;
  ASSERT_EQ(f.page.front.selected(), 0);
  EXPECT_TRUE(f.page.front.click(1));
  EXPECT_EQ(f.image().speakerSet[0], 1);
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("27100"), 427}, {"", 564}}));
  EXPECT_EQ(f.ui.waitCursorShows(), 1);
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);
}

TEST(RadioRule, ButtonsComeFromTheItemTable) {
  PageFixture f;
  ASSERT_EQ(f.page.center.count(), 3);
  EXPECT_EQ(f.page.center.buttons()[2].id, 1107);
  EXPECT_EQ(f.page.center.buttonText(2), "Large");
}

// Tests and pages reach a bound control by its item's number and kind; any other pairing
// is an error, never another control.
TEST(BoundControls, AreFoundByNumberAndKindOnly) {
  PageFixture f;
  EXPECT_EQ(&f.page.group(427), &f.page.front);
  EXPECT_EQ(&f.page.slider(268), &f.page.fl);
  EXPECT_EQ(&f.page.label(269), &f.page.frLabel);
  EXPECT_THROW(f.page.slider(427), std::out_of_range);
  EXPECT_THROW(f.page.group(999), std::out_of_range);
  EXPECT_THROW(f.page.label(427), std::out_of_range);
}

TEST(RadioRule, AsyncClickStoresOnly) {
  PageFixture f(WorkingMode::Async);
  f.page.front.click(1);
  EXPECT_EQ(f.image().speakerSet[0], 1);
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_EQ(f.ui.waitCursorShows(), 0);
}

TEST(RadioRule, CancelledConfirmationStoresAndSendsTheFirstButton) {
  PageFixture f;
  f.ui.answer(ui::MessageResult::Cancel);
  f.page.center.click(2);
  EXPECT_EQ(f.page.center.selected(), 0);
  EXPECT_EQ(f.image().speakerSet[1], 0);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("27002")});

  f.ui.answer(ui::MessageResult::Ok);
  f.page.center.click(2);
  EXPECT_EQ(f.image().speakerSet[1], 2);
  EXPECT_EQ(f.link.commands().back(), Stx("27000"));
}

TEST(ComboRule, SelectionStoresTheIndexAndSends) {
  PageFixture f;
  EXPECT_EQ(f.page.mode.count(), 3);
  EXPECT_EQ(f.page.mode.curSel(), 1);  // factory value shown at creation
  f.page.mode.select(0);
  EXPECT_EQ(f.image().displaySet[2], 0);
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Ext("200801003000", true), 517}, {"", 564}}));
}

TEST(ComboRule, RejectedSelectionRestoresThePreviousValue) {
  PageFixture f;
  f.page.mode.select(2);  // "Auto" needs Front Large; Front is Small
  EXPECT_EQ(f.image().displaySet[2], 1);
  EXPECT_EQ(f.page.mode.curSel(), 1);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Ext("200801003005", true)});
}

TEST(SliderRule, RealTimeDragStoresEveryStepAndSendsOnceOnRelease) {
  PageFixture f;
  for (int value : {5, 25, 70, 100}) {
    f.page.fl.drag(value);
    EXPECT_EQ(f.image().speakerLevel[8], value);
  }
  EXPECT_EQ(f.page.flLabel.text(), " 10.0dB");
  EXPECT_TRUE(f.link.sent.empty());
  f.page.fl.release();
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("2413c"), 268}, {"", 564}}));
}

TEST(SliderRule, AsyncDragChangesImageAndLabelButQueuesNothing) {
  PageFixture f(WorkingMode::Async);
  f.page.fr.drag(-55);
  f.page.fr.release();
  EXPECT_EQ(f.image().speakerLevel[9], -55);
  EXPECT_EQ(f.page.frLabel.text(), " -5.5dB");
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(SliderRule, RepaintDuringTransferDialogLeavesTheImageAlone) {
  PageFixture f;
  f.link.dialogOpen = true;
  f.page.fl.drag(50);
  EXPECT_EQ(f.image().speakerLevel[8], 0);
  EXPECT_EQ(f.page.flLabel.text(), " 0.0dB");
}

TEST(SliderRule, LevelSliderShowsZeroInTheMiddleAndTheTopValueAtTheTop) {
  PageFixture f;
  EXPECT_EQ(f.page.fl.minPosition(), -20);
  EXPECT_EQ(f.page.fl.maxPosition(), 20);
  EXPECT_EQ(f.page.fl.position(), 0);
  f.page.fl.dragToPosition(f.page.fl.minPosition());
  EXPECT_EQ(f.image().speakerLevel[8], 100);
}

TEST(ArrowKeys, ChangeNothingOnAnyControl) {
  PageFixture f;
  for (ui::Key key : {ui::Key::Left, ui::Key::Up, ui::Key::Right, ui::Key::Down}) {
    EXPECT_TRUE(f.page.PreTranslateKey(f.page.fl, key));
    EXPECT_TRUE(f.page.PreTranslateKey(f.page.front, key));
    EXPECT_TRUE(f.page.PreTranslateKey(f.page.mode, key));
  }
  EXPECT_EQ(f.page.fl.position(), 0);
  EXPECT_EQ(f.page.front.selected(), 0);
  EXPECT_EQ(f.page.mode.curSel(), 1);
  EXPECT_TRUE(f.link.sent.empty());
  // Other navigation keys still reach the control (a page step on the slider is an edit).
  EXPECT_TRUE(f.page.PreTranslateKey(f.page.fl, ui::Key::PageUp));
  EXPECT_EQ(f.image().speakerLevel[8], 5);
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Stx("24129")});
}

TEST(QueueAll, UsesTheSendOrderAndTheGivenImageOnly) {
  PageFixture f(WorkingMode::Async);
  model::ParameterImage memory = *f.link.images.Image(3);
  memory.speakerLevel[8] = -100;
  memory.speakerLevel[9] = 100;
  const model::ParameterImage before = f.image();
  f.page.QueueAll(memory);
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("2403c"), 269},
                                            {Stx("24114"), 268},
                                            {Stx("27101"), 427},
                                            {Stx("27001"), 428},
                                            {Ext("200801003005", true), 517}}));
  EXPECT_EQ(f.image(), before);
  EXPECT_EQ(f.page.fl.GetValue(), 0);
}

TEST(ResetButton, RealTimeWritesDefaultsRefreshesAndSendsThePage) {
  PageFixture f;
  f.image().speakerLevel[8] = 50;
  f.page.RefreshAll();
  f.page.reset.click();
  EXPECT_EQ(f.image().speakerLevel[8], 0);
  EXPECT_EQ(f.image().speakerSet[0], 1);
  EXPECT_EQ(f.page.fl.GetValue(), 0);
  EXPECT_EQ(f.page.front.selected(), 1);
  ASSERT_EQ(f.link.sent.size(), 6u);
  EXPECT_EQ(f.link.sent[2], (Sent{Stx("27100"), 427}));
  EXPECT_EQ(f.link.sent.back(), (Sent{"", 564}));
  EXPECT_EQ(f.ui.waitCursorShows(), 1);
}

TEST(ResetButton, AsyncWritesDefaultsAndSendsNothing) {
  PageFixture f(WorkingMode::Async);
  f.image().speakerLevel[9] = -30;
  f.page.reset.click();
  EXPECT_EQ(f.image().speakerLevel[9], 0);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(Refresh, ReportedChangeShowsOnlyOnTheActivePageAndAtActivation) {
  PageFixture f;
  f.page.setActive(false);
  f.image().speakerSet[0] = 1;
  f.page.RefreshItem(427, true);
  EXPECT_EQ(f.page.front.selected(), 0);
  f.page.setActive(true);
  f.page.OnSetActive();
  EXPECT_EQ(f.page.front.selected(), 1);

  f.image().speakerLevel[9] = 35;
  const int updatesBefore = f.page.controlStateUpdates;
  f.page.RefreshItem(269, false);
  EXPECT_EQ(f.page.fr.GetValue(), 35);
  EXPECT_EQ(f.page.frLabel.text(), " 3.5dB");
  EXPECT_EQ(f.page.controlStateUpdates, updatesBefore);
  f.page.RefreshItem(269, true);
  EXPECT_EQ(f.page.controlStateUpdates, updatesBefore + 1);
  f.page.RefreshItem(999, true);  // not one of the page's: ignored
}

TEST(Refresh, PageWithoutWindowIgnoresRefreshItem) {
  FakePageLink link;
  ui::ScriptedUiServices ui;
  TestPage page({link, ui});
  page.setActive(true);
  link.images.Image(0)->speakerSet[0] = 1;
  page.RefreshItem(427, true);
  EXPECT_EQ(page.front.selected(), -1);
}

TEST(PageImage, APageForAMemoryImageEditsThatImage) {
  FakePageLink link(WorkingMode::Async);
  ui::ScriptedUiServices ui;
  TestPage page({link, ui, 4});
  page.OnSetActive();
  page.front.click(1);
  EXPECT_EQ(link.images.Image(4)->speakerSet[0], 1);
  EXPECT_EQ(link.images.Image(0)->speakerSet[0], 0);
}

}  // namespace
}  // namespace tw::test
