#pragma once

#include "ui/controls/control.h"

#include <functional>

namespace tw::ui {

// A push button.
class Button : public Control {
 public:
  explicit Button(int id, std::string caption = {}) : Control(id, std::move(caption)) {}
  ControlKind kind() const override { return ControlKind::Button; }

  // User: press and release the button; runs onClicked.
  bool click();

  std::function<void()> onClicked;
};

// An automatic check box: a click toggles it, then notifies. Its state is 0 or 1, the
// value that dialog data exchange gives a page member.
class CheckBox : public Control {
 public:
  explicit CheckBox(int id, std::string caption = {}) : Control(id, std::move(caption)) {}
  ControlKind kind() const override { return ControlKind::CheckBox; }

  int checked() const { return checked_ ? 1 : 0; }
  // Programmatic: any non-zero value checks the box.
  void setChecked(int checked);

  // User: toggles the box, then runs onClicked.
  bool click();

  std::function<void()> onClicked;

 private:
  bool checked_ = false;
};

}  // namespace tw::ui
