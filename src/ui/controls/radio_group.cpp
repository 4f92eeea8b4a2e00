#include "ui/controls/radio_group.h"

namespace tw::ui {

RadioGroup::RadioGroup(int id, std::string caption, std::vector<RadioButton> buttons)
    : Control(id, std::move(caption)), buttons_(std::move(buttons)) {}

std::string RadioGroup::buttonText(int index) const { return inRange(index) ? buttons_[index].text : std::string(); }

int RadioGroup::indexOfButton(int buttonId) const {
  for (int i = 0; i < count(); ++i) {
    if (buttons_[i].id == buttonId) return i;
  }
  return -1;
}

void RadioGroup::setSelected(int index) {
  const int checked = inRange(index) ? index : -1;
  if (checked == selected_) return;
  selected_ = checked;
  notify(Change::Value);
}

bool RadioGroup::isButtonEnabled(int index) const { return inRange(index) && buttons_[index].enabled; }

void RadioGroup::setButtonEnabled(int index, bool enabled) {
  if (!inRange(index) || buttons_[index].enabled == enabled) return;
  buttons_[index].enabled = enabled;
  notify(Change::Enabled);
}

void RadioGroup::focus(int index) { focused_ = inRange(index) ? index : -1; }

void RadioGroup::setFocusedButton(int index) {
  const int target = inRange(index) ? index : -1;
  if (target == focused_) return;
  focused_ = target;
  notify(Change::Focus);
}

bool RadioGroup::click(int index) {
  if (!isUsable() || !isButtonEnabled(index) || !isButtonVisible(index)) return false;
  focused_ = index;
  setSelected(index);
  if (onClicked) onClicked(index);
  return true;
}

// Arrow keys move to the next enabled button of the group, wrapping, and click it.
bool RadioGroup::keyDown(Key key) {
  if (!isUsable() || count() == 0) return false;
  int direction = 0;
  if (key == Key::Left || key == Key::Up) direction = -1;
  if (key == Key::Right || key == Key::Down) direction = 1;
  if (direction == 0) return false;

  const int start = focused_ >= 0 ? focused_ : (selected_ >= 0 ? selected_ : (direction > 0 ? count() - 1 : 0));
  for (int step = 1; step <= count(); ++step) {
    const int candidate = ((start + direction * step) % count() + count()) % count();
    if (buttons_[candidate].enabled && buttons_[candidate].visible) return click(candidate);
  }
  return true;
}

}  // namespace tw::ui
