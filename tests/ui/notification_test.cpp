// User actions notify the owner as the window notifications would; programmatic changes do
// not, but the renderer's listener hears of both.
#include "ui/controls/controls.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tw::ui;

TEST(ComboNotification, UserSelectionNotifiesWithTheNewSelectionProgrammaticDoesNot) {
  ListCombo input(1010);
  input.Fill({"PHONO", "CD", "TUNER"});
  std::vector<int> seen;
  input.onSelChange = [&] { seen.push_back(input.curSel()); };

  EXPECT_TRUE(input.setCurSel(1));
  EXPECT_TRUE(seen.empty());

  EXPECT_TRUE(input.select(2));
  EXPECT_TRUE(input.select(2));  // picking the selected entry again still notifies
  EXPECT_FALSE(input.select(3));
  EXPECT_FALSE(input.select(-1));
  EXPECT_EQ(seen, (std::vector<int>{2, 2}));
  EXPECT_EQ(input.selectedText(), "TUNER");

  input.setEnabled(false);
  EXPECT_FALSE(input.select(0));
  EXPECT_EQ(input.curSel(), 2);
  EXPECT_EQ(seen.size(), 2u);
}

TEST(ComboContent, FillIndexesByPlaceAndSearchesIgnoreCase) {
  ListCombo audio(1264);
  audio.Fill({"Auto", "HDMI", "Coax/Opt", "Analog"});
  audio.setCurSel(3);
  for (int i = 0; i < audio.count(); ++i) audio.setItemData(i, i * 10);
  EXPECT_EQ(audio.itemText(2), "Coax/Opt");
  EXPECT_EQ(audio.itemData(3), 30);
  EXPECT_EQ(audio.itemData(4), -1);
  EXPECT_EQ(audio.itemText(-1), "");
  EXPECT_TRUE(audio.selectData(20));
  EXPECT_EQ(audio.curSel(), 2);
  EXPECT_FALSE(audio.selectData(99));
  EXPECT_EQ(audio.curSel(), -1);

  EXPECT_EQ(audio.findStringExact("hdmi"), 1);
  EXPECT_EQ(audio.findStringExact("HDM"), -1);
  EXPECT_EQ(audio.findString("a"), 0);
  EXPECT_EQ(audio.findString("a", 0), 3);  // starts after entry 0
  EXPECT_EQ(audio.findString("a", 3), 0);  // and wraps around
  EXPECT_EQ(audio.findString("x"), -1);

  const std::vector<std::string> again{"One"};
  audio.Fill(again);  // refilling resets content and selection
  EXPECT_EQ(audio.count(), 1);
  EXPECT_EQ(audio.curSel(), -1);
}

TEST(ComboContent, DeletingEntriesKeepsTheSelectionOnItsEntry) {
  ComboBox ports(1000);
  for (const char* name : {"Auto", "COM1", "COM2", "COM3"}) ports.addString(name);
  ports.setCurSel(2);
  ports.deleteString(0);
  EXPECT_EQ(ports.selectedText(), "COM2");
  ports.insertString(0, "Auto");
  EXPECT_EQ(ports.selectedText(), "COM2");
  ports.deleteString(2);
  EXPECT_EQ(ports.curSel(), -1);
  EXPECT_FALSE(ports.deleteString(7));
}

TEST(CheckBoxNotification, ClickTogglesBeforeTheHandlerRuns) {
  CheckBox mute(1003, "Mute");
  std::vector<int> seen;
  mute.onClicked = [&] { seen.push_back(mute.checked()); };
  mute.setChecked(1);
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(mute.click());
  EXPECT_TRUE(mute.click());
  EXPECT_EQ(seen, (std::vector<int>{0, 1}));
  mute.setChecked(7);
  EXPECT_EQ(mute.checked(), 1);
}

TEST(RadioNotification, ClickChecksTheButtonThenPassesItsIndex) {
  RadioGroup night(0, "", {{1015, "Min"}, {1016, "Mid"}, {1017, "Max"}});
  std::vector<int> seen;
  night.onClicked = [&](int index) {
    EXPECT_EQ(night.selected(), index);  // the handler's data exchange reads the new state
    seen.push_back(index);
  };
  night.setSelected(2);
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(night.click(0));
  EXPECT_TRUE(night.click(0));
  EXPECT_EQ(seen, (std::vector<int>{0, 0}));
  EXPECT_EQ(night.buttonText(1), "Mid");
  EXPECT_EQ(night.buttonText(3), "");
  EXPECT_EQ(night.indexOfButton(1017), 2);

  night.setSelected(5);  // outside the group: nothing checked
  EXPECT_EQ(night.selected(), -1);
}

TEST(RadioNotification, DisabledButtonsAndDisabledGroupsIgnoreClicks) {
  RadioGroup selector(0, "", {{1390, "DSP Program"}, {1391, "Straight"}, {1392, "Music Enhancer"}});
  int clicks = 0;
  selector.onClicked = [&](int) { ++clicks; };
  selector.setButtonEnabled(0, false);
  selector.setButtonEnabled(2, false);
  EXPECT_FALSE(selector.click(0));
  EXPECT_TRUE(selector.click(1));
  selector.setEnabled(false);
  EXPECT_FALSE(selector.click(1));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(selector.selected(), 1);
}

TEST(SliderNotification, ADragStoresOnEveryStepAndSendsOnceOnRelease) {
  // A page's two slider handlers, as the framework writes them.
  ValueLabel label(1);
  LevelSlider level(2);
  level.Setup(&label, "dB", -100, 100, 5, 0, LevelStyle::Plain);
  int stored = 0;
  int storeCount = 0;
  std::vector<int> sent;
  bool transferOpen = false;
  level.onDragged = [&] {
    if (transferOpen) return;
    stored = level.GetValue();
    ++storeCount;
    level.ShowValue();
  };
  level.onReleased = [&] { sent.push_back(stored); };

  level.SetValue(50);  // a refresh from the image: neither stored nor sent
  EXPECT_EQ(storeCount, 0);

  for (int value : {-10, -20, -30}) EXPECT_TRUE(level.drag(value));
  EXPECT_EQ(storeCount, 3);
  EXPECT_EQ(stored, -30);
  EXPECT_EQ(label.text(), "-3.0dB");
  EXPECT_TRUE(sent.empty());
  EXPECT_TRUE(level.release());
  EXPECT_EQ(sent, (std::vector<int>{-30}));

  transferOpen = true;  // repaints while a transfer dialog is open leave the image alone
  level.SetValue(75);
  EXPECT_TRUE(level.repaint());
  EXPECT_EQ(stored, -30);
  EXPECT_EQ(storeCount, 3);
}

TEST(SliderNotification, HiddenOrDisabledSlidersIgnoreTheUser) {
  StepSlider slider(1);
  slider.Setup(-60, 60, 5, 0);
  int events = 0;
  slider.onDragged = [&] { ++events; };
  slider.onReleased = [&] { ++events; };
  slider.setEnabled(false);
  EXPECT_FALSE(slider.drag(30));
  EXPECT_FALSE(slider.release());
  EXPECT_TRUE(slider.repaint());  // a disabled slider still paints
  slider.setVisible(false);
  EXPECT_FALSE(slider.repaint());
  EXPECT_EQ(slider.GetValue(), 0);
  EXPECT_EQ(events, 1);
}

TEST(EditBoxLimit, TypingAndSettingStopAtTheMaximumLength) {
  EditBox name(1250, 8);
  int changes = 0;
  name.onChange = [&] { ++changes; };
  EXPECT_TRUE(name.type("LIVINGROOM"));
  EXPECT_EQ(name.text(), "LIVINGRO");
  EXPECT_EQ(changes, 1);
  name.setText("123456789");
  EXPECT_EQ(name.text(), "12345678");
  EXPECT_EQ(changes, 1);

  name.setReadOnly(true);
  EXPECT_FALSE(name.type("x"));
  EXPECT_EQ(name.text(), "12345678");

  EditBox memo(1249, 1024);
  memo.type(std::string(2000, 'm'));
  EXPECT_EQ(memo.text().size(), 1024u);
  memo.setMaxLength(10);
  EXPECT_EQ(memo.text().size(), 10u);
  EditBox unlimited(1);
  unlimited.type(std::string(5000, 'u'));
  EXPECT_EQ(unlimited.text().size(), 5000u);
}

TEST(ListViewRows, CellsSelectionAndActivation) {
  ListView names(1300);
  names.setColumns({{"Input", 10}, {"Name", 12}});
  names.setRowCount(3);
  EXPECT_TRUE(names.setCell(1, 1, "MY CD   "));
  EXPECT_FALSE(names.setCell(3, 0, "x"));
  EXPECT_EQ(names.cell(1, 1), "MY CD   ");
  EXPECT_EQ(names.cell(1, 5), "");
  EXPECT_EQ(names.cell(-1, 0), "");

  int selects = 0;
  int activations = 0;
  names.onSelect = [&] { ++selects; };
  names.onActivate = [&] { ++activations; };
  names.setSelectedRow(0);
  EXPECT_EQ(selects, 0);
  EXPECT_TRUE(names.activate(2));
  EXPECT_EQ(names.selectedRow(), 2);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(activations, 1);
  names.setRowCount(2);  // the selected row went away
  EXPECT_EQ(names.selectedRow(), -1);
}

TEST(ProgressBarRange, PositionStaysWithinTheRange) {
  ProgressBar progress(1240);
  progress.setRange(0, 508);
  progress.setPosition(600);
  EXPECT_EQ(progress.position(), 508);
  progress.setPosition(-1);
  EXPECT_EQ(progress.position(), 0);
  progress.setRange(10, 5);
  EXPECT_EQ(progress.high(), 10);
  EXPECT_EQ(progress.position(), 10);
}

TEST(RendererListener, HearsProgrammaticChangesOnceAndOnlyWhenSomethingChanged) {
  ListCombo combo(1);
  std::vector<Change> heard;
  combo.setListener([&](Change change) { heard.push_back(change); });
  combo.addString("A");
  combo.addString("B");
  combo.setCurSel(1);
  combo.setCurSel(1);
  combo.setEnabled(false);
  combo.setEnabled(false);
  combo.setVisible(false);
  EXPECT_EQ(heard, (std::vector<Change>{Change::Items, Change::Items, Change::Value, Change::Enabled,
                                        Change::Visible}));

  RadioGroup group(0, "Focus", {{1, "a"}, {2, "b"}});
  std::vector<Change> groupHeard;
  group.setListener([&](Change change) { groupHeard.push_back(change); });
  group.focus(0);  // reported by the renderer: nothing to echo back
  group.setFocusedButton(1);
  EXPECT_EQ(group.focusedButton(), 1);
  EXPECT_EQ(groupHeard, (std::vector<Change>{Change::Focus}));
}
