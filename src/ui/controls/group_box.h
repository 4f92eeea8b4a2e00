#pragma once

#include "ui/controls/control.h"

namespace tw::ui {

// A captioned frame. Hiding or disabling it hides or disables everything the layout puts
// inside it.
class GroupBox : public Control {
 public:
  explicit GroupBox(int id, std::string caption = {}) : Control(id, std::move(caption)) {}
  ControlKind kind() const override { return ControlKind::GroupBox; }
};

}  // namespace tw::ui
