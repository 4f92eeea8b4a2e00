#include "ui/controls/controls.h"

#include <gtest/gtest.h>

using namespace tw::ui;

namespace {

// A small page: a radio group, a slider with its label and a combo box in a group box.
struct SamplePage {
  GroupBox frame{1200, "Tuner Frequency"};
  RadioGroup step{0, "Tuner Frequency Step", {{1201, "AM10/FM100"}, {1202, "AM9/FM50"}}};
  ValueLabel label{1203};
  LevelSlider level{1204};
  ListCombo list{1205};
  Button reset{1206, "Default"};
  Form form{"Advanced Setup",
            Column({Group(frame, {Item(step), Row({Item(level), Item(label)})}),
                    Item("Night Mode", list), Item(reset)})};

  SamplePage() {
    level.Setup(&label, "dB", -100, 100, 5, 0, LevelStyle::Plain);
    list.Fill({"OFF", "Cinema", "Music"});
    list.setCurSel(0);
    step.setSelected(0);
  }
};

}  // namespace

TEST(FormLayout, ListsControlsInDeclarationOrderAndFindsThemById) {
  SamplePage page;
  const auto controls = page.form.controls();
  ASSERT_EQ(controls.size(), 6u);
  EXPECT_EQ(controls[0], &page.frame);
  EXPECT_EQ(controls[1], &page.step);
  EXPECT_EQ(controls[4], &page.list);
  EXPECT_EQ(page.form.find(1205), &page.list);
  EXPECT_EQ(page.form.find(0), nullptr);
  EXPECT_EQ(page.form.find(9999), nullptr);
  EXPECT_EQ(page.form.root().children[1].caption, "Night Mode");
  EXPECT_EQ(page.form.title(), "Advanced Setup");
}

TEST(FormLayout, AHiddenOrDisabledGroupTakesItsContentWithIt) {
  SamplePage page;
  EXPECT_EQ(page.level.container(), &page.frame);
  EXPECT_EQ(page.list.container(), nullptr);

  page.frame.setVisible(false);
  EXPECT_TRUE(page.step.isVisible());
  EXPECT_FALSE(page.step.isShown());
  EXPECT_FALSE(page.step.click(1));
  EXPECT_FALSE(page.level.drag(50));
  EXPECT_TRUE(page.list.select(1));  // outside the group

  page.frame.setVisible(true);
  page.frame.setEnabled(false);
  EXPECT_TRUE(page.step.isShown());
  EXPECT_FALSE(page.step.isUsable());
  EXPECT_FALSE(page.step.click(1));
  page.frame.setEnabled(true);
  EXPECT_TRUE(page.step.click(1));
}

TEST(FormLayout, NestedGroupsBelongToTheInnermostFrame) {
  GroupBox outer(1), inner(2);
  Button inside(3), besides(4);
  Form form("Nested", Group(outer, {Group(inner, {Item(inside)}), Item(besides)}));
  EXPECT_EQ(inside.container(), &inner);
  EXPECT_EQ(inner.container(), &outer);
  EXPECT_EQ(besides.container(), &outer);
  outer.setEnabled(false);
  EXPECT_FALSE(inside.click());
}

TEST(ArrowKeys, APageConsumesThemSoNothingMovesAndNothingIsSent) {
  SamplePage page;
  int events = 0;
  page.level.onDragged = [&] { ++events; };
  page.level.onReleased = [&] { ++events; };
  page.list.onSelChange = [&] { ++events; };
  page.step.onClicked = [&](int) { ++events; };

  for (Key key : {Key::Left, Key::Up, Key::Right, Key::Down}) {
    EXPECT_TRUE(page.form.pressKey(page.level, key));
    EXPECT_TRUE(page.form.pressKey(page.list, key));
    EXPECT_TRUE(page.form.pressKey(page.step, key));
  }
  EXPECT_EQ(page.level.GetValue(), 0);
  EXPECT_EQ(page.list.curSel(), 0);
  EXPECT_EQ(page.step.selected(), 0);
  EXPECT_EQ(events, 0);
}

TEST(ArrowKeys, ElsewhereTheyMoveTheSelectionAndNotifyLikeAUserPick) {
  SamplePage page;
  Form dialog("Frequency", Column({Item(page.list), Item(page.step)}), /*consumesArrowKeys=*/false);
  std::vector<int> picks;
  page.list.onSelChange = [&] { picks.push_back(page.list.curSel()); };
  int clicked = -1;
  page.step.onClicked = [&](int index) { clicked = index; };

  EXPECT_TRUE(dialog.pressKey(page.list, Key::Down));
  EXPECT_TRUE(dialog.pressKey(page.list, Key::End));
  EXPECT_TRUE(dialog.pressKey(page.list, Key::Down));  // already at the end: no notification
  EXPECT_TRUE(dialog.pressKey(page.list, Key::Up));
  EXPECT_EQ(picks, (std::vector<int>{1, 2, 1}));

  EXPECT_TRUE(dialog.pressKey(page.step, Key::Right));
  EXPECT_EQ(clicked, 1);
  EXPECT_TRUE(dialog.pressKey(page.step, Key::Right));  // wraps within the group
  EXPECT_EQ(clicked, 0);
}

TEST(SliderKeys, PageAndEndKeysMoveTheSliderAndCompleteTheEdit) {
  SamplePage page;
  std::vector<std::string> events;
  page.level.onDragged = [&] { events.push_back("draw " + std::to_string(page.level.GetValue())); };
  page.level.onReleased = [&] { events.push_back("release"); };

  EXPECT_TRUE(page.form.pressKey(page.level, Key::PageUp));  // up a position: a larger value
  EXPECT_TRUE(page.form.pressKey(page.level, Key::End));     // the bottom end
  EXPECT_TRUE(page.form.pressKey(page.level, Key::End));     // nowhere to go
  EXPECT_EQ(events, (std::vector<std::string>{"draw 5", "release", "draw -100", "release"}));
  EXPECT_FALSE(page.form.pressKey(page.reset, Key::Home));  // a button has no use for it
}
