#pragma once

#include "ui/controls/item_list.h"

namespace tw::ui {

// A single-selection list box.
class ListBox : public ItemList {
 public:
  explicit ListBox(int id) : ItemList(id, {}) {}
  ControlKind kind() const override { return ControlKind::ListBox; }
};

}  // namespace tw::ui
