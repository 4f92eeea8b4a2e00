// Buttons, lists, edits and labels rendered from their models: the user's input reaches the
// owner's handler once, the program's changes reach the widget and nothing else.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontInfo>
#include <QScrollBar>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "gui/edit_box_binding.h"
#include "gui/form_widget.h"
#include "gui/radio_group_binding.h"
#include "gui_test_support.h"
#include "ui/controls/controls.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

TEST(ButtonRendering, ClickRunsTheHandlerOnceAndNotWhenDisabledOrInsideADisabledGroup) {
  ui::GroupBox frame(1243, "Data Reload");
  ui::Button reload(1242, "Reload");
  int clicks = 0;
  reload.onClicked = [&] { ++clicks; };
  ui::Form form("Main", ui::Group(frame, {ui::Item(reload)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* button = static_cast<QPushButton*>(widget.widgetFor(reload));
  EXPECT_EQ(button->text(), "Reload");
  EXPECT_EQ(static_cast<QGroupBox*>(widget.widgetFor(frame))->title(), "Data Reload");

  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);

  reload.setEnabled(false);
  EXPECT_FALSE(button->isEnabled());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);

  reload.setEnabled(true);
  frame.setEnabled(false);
  EXPECT_FALSE(button->isEnabled());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);

  frame.setEnabled(true);
  frame.setVisible(false);
  EXPECT_FALSE(button->isVisibleTo(&widget));
  frame.setVisible(true);
  EXPECT_TRUE(button->isVisibleTo(&widget));
  reload.setText("Again");
  EXPECT_EQ(button->text(), "Again");
  reload.setToolTip("Not read from the receiver");
  EXPECT_EQ(button->toolTip(), "Not read from the receiver");
  reload.setToolTip("");
  EXPECT_TRUE(button->toolTip().isEmpty());
  EXPECT_EQ(clicks, 1);
}

TEST(CheckBoxRendering, UserClickTogglesModelAndWidgetTogetherProgrammaticStateIsSilent) {
  ui::CheckBox mute(1003, "Mute");
  std::vector<int> seen;
  mute.onClicked = [&] { seen.push_back(mute.checked()); };
  ui::Form form("Main", ui::Column({ui::Item(mute)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* box = static_cast<QCheckBox*>(widget.widgetFor(mute));

  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_TRUE(box->isChecked());
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_EQ(seen, (std::vector<int>{1, 0}));
  EXPECT_FALSE(box->isChecked());

  mute.setChecked(1);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(seen.size(), 2u);
}

TEST(RadioRendering, ClickReportsTheButtonIndexOnceAndTheModelCanCheckNone) {
  ui::RadioGroup night(0, "Night Mode", {{1015, "Min"}, {1016, "Mid"}, {1017, "Max"}});
  std::vector<int> seen;
  night.onClicked = [&](int index) { seen.push_back(index); };
  ui::Form form("Main", ui::Column({ui::Item(night)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* binding = static_cast<RadioGroupBinding*>(widget.bindingFor(night));
  ASSERT_NE(binding->button(2), nullptr);
  EXPECT_EQ(binding->button(1)->text(), "Mid");
  EXPECT_EQ(binding->button(2)->property("tw_control_id").toInt(), 1017);

  QTest::mouseClick(binding->button(2), Qt::LeftButton);
  EXPECT_EQ(seen, std::vector<int>{2});
  EXPECT_EQ(night.selected(), 2);
  EXPECT_TRUE(binding->button(2)->isChecked());

  night.setSelected(0);
  EXPECT_TRUE(binding->button(0)->isChecked());
  night.setSelected(-1);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(binding->button(i)->isChecked());

  night.setButtonEnabled(1, false);
  EXPECT_FALSE(binding->button(1)->isEnabled());
  QTest::mouseClick(binding->button(1), Qt::LeftButton);
  EXPECT_EQ(seen, std::vector<int>{2});
  EXPECT_EQ(night.selected(), -1);
}

TEST(RadioRendering, AHiddenButtonIsNotShownButItsValueLeavesTheOthersUnchecked) {
  ui::RadioGroup message(0, "Short Message", {{1201, "Off", true}, {1202, "Short", true}, {1203, "Full", true, false}});
  ui::Form form("Main", ui::Column({ui::Item(message)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* binding = static_cast<RadioGroupBinding*>(widget.bindingFor(message));
  EXPECT_TRUE(binding->button(1)->isVisible());
  EXPECT_FALSE(binding->button(2)->isVisible());
  message.setSelected(2);
  EXPECT_FALSE(binding->button(0)->isChecked());
  EXPECT_FALSE(binding->button(1)->isChecked());
}

TEST(RadioRendering, ArrowKeysOnAPageNeitherMoveNorCheckAButtonAndFocusIsReported) {
  ui::RadioGroup mode(0, "", {{1390, "DSP Program"}, {1391, "Straight"}});
  int clicks = 0;
  mode.onClicked = [&](int) { ++clicks; };
  mode.setSelected(0);
  ui::Form form("Main", ui::Column({ui::Item(mode)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  widget.activateWindow();
  auto* binding = static_cast<RadioGroupBinding*>(widget.bindingFor(mode));
  binding->button(0)->setFocus();
  Flush();
  EXPECT_EQ(mode.focusedButton(), 0);
  QTest::keyClick(binding->button(0), Qt::Key_Down);
  QTest::keyClick(binding->button(0), Qt::Key_Right);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(binding->button(0)->isChecked());
  EXPECT_EQ(mode.selected(), 0);

  mode.setFocusedButton(1);  // the model moves the focus
  Flush();
  EXPECT_TRUE(binding->button(1)->hasFocus());
}

TEST(ComboRendering, ItemsAndSelectionFollowTheModelAndAPickNotifiesEvenForTheSameEntry) {
  ui::ListCombo input(1010);
  input.Fill({"PHONO", "CD", "TUNER"});
  input.setCurSel(1);
  std::vector<int> seen;
  input.onSelChange = [&] { seen.push_back(input.curSel()); };
  ui::Form form("Main", ui::Column({ui::Item("Input", input)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* combo = static_cast<QComboBox*>(widget.widgetFor(input));
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(2), "TUNER");
  EXPECT_EQ(combo->currentIndex(), 1);

  combo->setCurrentIndex(2);  // what the drop-down does when the user picks, then it reports:
  emit combo->activated(2);
  emit combo->activated(2);
  EXPECT_EQ(seen, (std::vector<int>{2, 2}));

  input.Fill({"A", "B"});
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentIndex(), -1);
  input.setCurSel(0);
  EXPECT_EQ(combo->currentText(), "A");
  EXPECT_EQ(seen.size(), 2u);

  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);  // consumed by the page
  EXPECT_EQ(input.curSel(), 0);
  EXPECT_EQ(seen.size(), 2u);
}

TEST(ComboRendering, CaptionLabelHidesAndDisablesWithItsControl) {
  ui::ListCombo input(1010);
  ui::Form form("Main", ui::Column({ui::Item("Input", input)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  QLabel* caption = widget.widgetFor(input)->parentWidget()->findChild<QLabel*>();
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), "Input");
  input.setEnabled(false);
  EXPECT_FALSE(caption->isEnabled());
  input.setVisible(false);
  EXPECT_FALSE(caption->isVisibleTo(&widget));
}

TEST(ListBoxRendering, PressPicksAnEntryAndPressingTheSelectedEntryPicksItAgain) {
  ui::ListBox names(1300);
  for (const char* name : {"One", "Two", "Three"}) names.addString(name);
  std::vector<int> seen;
  names.onSelChange = [&] { seen.push_back(names.curSel()); };
  ui::Form form("Page", ui::Column({ui::Item(names)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* list = static_cast<QListWidget*>(widget.widgetFor(names));
  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(seen, std::vector<int>{1});
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(seen, (std::vector<int>{1, 1}));

  names.setCurSel(2);
  EXPECT_EQ(list->currentRow(), 2);
  names.setCurSel(-1);
  EXPECT_TRUE(list->selectedItems().isEmpty());
  names.addString("Four");
  EXPECT_EQ(list->count(), 4);
  EXPECT_EQ(seen.size(), 2u);
}

TEST(ListViewRendering, ColumnsCellsSelectionAndDoubleClickActivation) {
  ui::ListView memories(1500);
  memories.setColumns({{"No.", 4}, {"Name", 0}});
  memories.addRow({"1", "Movie"});
  memories.addRow({"2", "Music"});
  std::vector<std::string> events;
  memories.onSelect = [&] { events.push_back("select " + std::to_string(memories.selectedRow())); };
  memories.onActivate = [&] { events.push_back("activate " + std::to_string(memories.selectedRow())); };
  ui::Form form("Page", ui::Column({ui::Item(memories)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* tree = static_cast<QTreeWidget*>(widget.widgetFor(memories));
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->headerItem()->text(1), "Name");
  EXPECT_EQ(tree->topLevelItem(1)->text(1), "Music");

  const QPoint row = tree->visualItemRect(tree->topLevelItem(1)).center();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, row);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, row);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), "select 1");
  EXPECT_EQ(events.back(), "activate 1");
  EXPECT_EQ(std::count(events.begin(), events.end(), "activate 1"), 1);

  memories.setCell(0, 1, "Game");
  EXPECT_EQ(tree->topLevelItem(0)->text(1), "Game");
  memories.setSelectedRow(0);
  EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
}

TEST(EditRendering, TypingReachesTheModelPerChangeWithinTheByteLimit) {
  ui::EditBox name(1400, 3);
  std::vector<std::string> seen;
  name.onChange = [&] { seen.push_back(name.text()); };
  ui::Form form("Page", ui::Column({ui::Item(name)}), /*consumesArrowKeys=*/false);
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* edit = static_cast<QLineEdit*>(widget.widgetFor(name));
  edit->setFocus();
  QTest::keyClicks(edit, "ABCDE");
  EXPECT_EQ(name.text(), "ABC");
  EXPECT_EQ(edit->text(), "ABC");
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "AB", "ABC"}));

  name.setText("xy");
  EXPECT_EQ(edit->text(), "xy");
  EXPECT_EQ(seen.size(), 3u);
  name.setReadOnly(true);
  EXPECT_TRUE(edit->isReadOnly());
  QTest::keyClicks(edit, "z");
  EXPECT_EQ(name.text(), "xy");
}

TEST(EditRendering, MultiLineBoxKeepsCrLfInTheModelAndCutsAtTheLimit) {
  ui::EditBox memo(1249, 6);
  memo.setMultiLine(true);
  int changes = 0;
  memo.onChange = [&] { ++changes; };
  ui::Form form("User Memo", ui::Column({ui::Item(memo)}), /*consumesArrowKeys=*/false);
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* edit = static_cast<QPlainTextEdit*>(widget.widgetFor(memo));
  edit->setFocus();
  QTest::keyClicks(edit, "a");
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClicks(edit, "bcdef");
  EXPECT_EQ(memo.text(), "a\r\nbcd");  // six bytes
  EXPECT_EQ(edit->toPlainText(), "a\nbcd");
  EXPECT_GE(changes, 5);

  memo.setText("x\r\ny");
  EXPECT_EQ(edit->toPlainText(), "x\ny");
  EXPECT_EQ(LinesToModel(QStringLiteral("1\n2\r\n3")), "1\r\n2\r\n3");
}

TEST(EditRendering, AUtf8BoxKeepsWhatIsTypedInAnyScriptAndCountsCharacters) {
  ui::EditBox memo(1249, 6);
  memo.setMultiLine(true);
  memo.setUtf8(true);
  ui::Form form("User Memo", ui::Column({ui::Item(memo)}), /*consumesArrowKeys=*/false);
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* edit = static_cast<QPlainTextEdit*>(widget.widgetFor(memo));
  edit->setFocus();
  // Typed through an input method, as such text is: whole characters into the edit.
  for (const QChar c : QString::fromUtf8("K\xC3\xBC\xE5\xAE\xA2\xE5\x8E\x85xyz")) edit->insertPlainText(QString(c));
  EXPECT_EQ(memo.text(), "K\xC3\xBC\xE5\xAE\xA2\xE5\x8E\x85xy");  // six characters, eleven bytes
  EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("K\xC3\xBC\xE5\xAE\xA2\xE5\x8E\x85xy"));
  memo.setText("\xE2\x80\x93");
  EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("\xE2\x80\x93"));
}

TEST(EditRendering, APreformattedBoxNeverWrapsAndShowsItsLongestLine) {
  ui::EditBox report(1251);
  report.setMultiLine(true);
  report.setReadOnly(true);
  report.setPreformatted(true);
  const std::string ruled(72, '=');
  report.setText(ruled + "\r\nshort\r\n" + ruled);
  ui::Form form("Report", ui::Column({ui::Item(report)}), /*consumesArrowKeys=*/false);
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* edit = static_cast<QPlainTextEdit*>(widget.widgetFor(report));
  EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_TRUE(QFontInfo(edit->font()).fixedPitch());
  EXPECT_GE(edit->viewport()->width(), QFontMetrics(edit->font()).horizontalAdvance(QString(72, '=')));
  EXPECT_EQ(edit->horizontalScrollBar()->maximum(), 0);
}

TEST(LabelRendering, ValueLabelIsGreenOnBlackAndStaticTextIsPlain) {
  ui::ValueLabel value(1004, "-12.5dB");
  ui::StaticText status(1241, "Not <b>Connected</b>");
  ui::ProgressBar progress(1240);
  progress.setRange(0, 508);
  progress.setPosition(254);
  ui::Form form("Main", ui::Column({ui::Item(value), ui::Item(status), ui::Item(progress)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* label = static_cast<QLabel*>(widget.widgetFor(value));
  const QImage image = label->grab().toImage();
  EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 0));
  bool green = false;
  for (int y = 0; y < image.height() && !green; ++y) {
    for (int x = 0; x < image.width() && !green; ++x) {
      const QColor pixel = image.pixelColor(x, y);
      green = pixel.green() > 150 && pixel.red() < 60 && pixel.blue() < 60;
    }
  }
  EXPECT_TRUE(green);
  value.setEnabled(false);  // still readable: the colours do not change with the state
  EXPECT_EQ(label->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(0, 250, 0));

  EXPECT_EQ(static_cast<QLabel*>(widget.widgetFor(status))->textFormat(), Qt::PlainText);
  auto* bar = static_cast<QProgressBar*>(widget.widgetFor(progress));
  EXPECT_EQ(bar->maximum(), 508);
  EXPECT_EQ(bar->value(), 254);
  progress.setPosition(508);
  EXPECT_EQ(bar->value(), 508);
}

TEST(FormRendering, TheModelOutlivesItsWidgetsAndKeepsWorkingAfterwards) {
  ui::CheckBox mute(1003, "Mute");
  ui::Form form("Main", ui::Column({ui::Item(mute), ui::Item(mute)}));  // a second place is ignored
  {
    FormWidget widget(form);
    EXPECT_EQ(widget.findChildren<QCheckBox*>().size(), 1);
  }
  mute.setChecked(1);
  mute.setText("Muted");
  EXPECT_EQ(mute.checked(), 1);
}

// A window whose dialog has ended lives on until the event loop deletes it; from the moment
// it is detached nothing of it may reach the models, which may already be gone.
TEST(FormRendering, ADetachedFormNeitherShowsNorReportsAnything) {
  ui::RadioGroup night(0, "Night Mode", {{1015, "Min"}, {1016, "Mid"}});
  ui::ListBox names(1300);
  names.addString("One");
  int picks = 0;
  names.onSelChange = [&] { ++picks; };
  ui::Form form("Page", ui::Column({ui::Item(night), ui::Item(names)}));
  FormWidget widget(form);
  ShowAndWait(widget);
  auto* binding = static_cast<RadioGroupBinding*>(widget.bindingFor(night));
  auto* list = static_cast<QListWidget*>(widget.widgetFor(names));
  const int focusedBefore = night.focusedButton();  // the window may have focused the first button
  widget.detach();

  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(binding->button(1), &focusIn);
  EXPECT_EQ(night.focusedButton(), focusedBefore);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(picks, 0);
  night.setSelected(1);
  EXPECT_FALSE(binding->button(1)->isChecked());
}
