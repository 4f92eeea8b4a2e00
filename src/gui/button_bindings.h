#pragma once

#include "gui/control_binding.h"
#include "ui/controls/button.h"

class QPushButton;
class QCheckBox;

namespace tw::gui {

class ButtonBinding : public ControlBinding {
 public:
  explicit ButtonBinding(ui::Button& button);

 protected:
  void showText() override;

 private:
  ui::Button& button_;
  QPushButton* widget_;
};

// The check box widget toggles itself before it reports the click; the model toggles on
// click() too, and the widget is then set back to whatever the model holds (a refused
// click leaves both unchanged).
class CheckBoxBinding : public ControlBinding {
 public:
  explicit CheckBoxBinding(ui::CheckBox& box);

 protected:
  void showText() override;
  void showValue() override;

 private:
  ui::CheckBox& box_;
  QCheckBox* widget_;
};

}  // namespace tw::gui
