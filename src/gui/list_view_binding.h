#pragma once

#include "gui/control_binding.h"
#include "ui/controls/list_view.h"

class QTreeWidget;

namespace tw::gui {

// A report-style list view: a header and rows of cells; a press selects, a double click
// activates (after the press has selected).
class ListViewBinding : public ControlBinding {
 public:
  explicit ListViewBinding(ui::ListView& list);

 protected:
  void showItems() override;
  void showValue() override;

 private:
  ui::ListView& list_;
  QTreeWidget* view_;
};

}  // namespace tw::gui
