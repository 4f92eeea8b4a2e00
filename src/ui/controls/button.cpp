#include "ui/controls/button.h"

namespace tw::ui {

bool Button::click() {
  if (!isUsable()) return false;
  if (onClicked) onClicked();
  return true;
}

void CheckBox::setChecked(int checked) {
  if ((checked != 0) == checked_) return;
  checked_ = checked != 0;
  notify(Change::Value);
}

bool CheckBox::click() {
  if (!isUsable()) return false;
  checked_ = !checked_;
  notify(Change::Value);
  if (onClicked) onClicked();
  return true;
}

}  // namespace tw::ui
