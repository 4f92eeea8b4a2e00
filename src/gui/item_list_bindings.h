#pragma once

#include "gui/control_binding.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/list_box.h"

class QComboBox;
class QListWidget;

namespace tw::gui {

// A drop-down list. "activated" is the user's pick (also of the entry already selected).
class ComboBoxBinding : public ControlBinding {
 public:
  explicit ComboBoxBinding(ui::ComboBox& combo);

 protected:
  void showItems() override;
  void showValue() override;

 private:
  ui::ComboBox& combo_;
  QComboBox* view_;
};

// A list box; a press on an entry picks it, also the entry already selected.
class ListBoxBinding : public ControlBinding {
 public:
  explicit ListBoxBinding(ui::ListBox& list);

 protected:
  void showItems() override;
  void showValue() override;

 private:
  ui::ListBox& list_;
  QListWidget* view_;
};

}  // namespace tw::gui
