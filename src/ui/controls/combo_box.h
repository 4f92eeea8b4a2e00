#pragma once

#include "ui/controls/item_list.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tw::ui {

// A drop-down list combo box.
class ComboBox : public ItemList {
 public:
  explicit ComboBox(int id) : ItemList(id, {}) {}
  ControlKind kind() const override { return ControlKind::ComboBox; }
};

// A combo box filled from a fixed list, so that an entry's index is its place in the list.
class ListCombo : public ComboBox {
 public:
  using ComboBox::ComboBox;

  // Resets the content, then appends each string in order (item data 0, nothing selected).
  void Fill(std::span<const std::string_view> strings);
  void Fill(std::span<const std::string> strings);
  void Fill(std::initializer_list<std::string_view> strings) { Fill(std::span(strings.begin(), strings.size())); }
};

}  // namespace tw::ui
