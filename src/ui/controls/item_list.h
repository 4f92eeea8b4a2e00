#pragma once

#include "ui/controls/control.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::ui {

// An entry of a combo box or list box: its text and the integer the owner attaches to it.
struct ListItem {
  std::string text;
  std::intptr_t data = 0;
};

// The common part of combo boxes and list boxes: entries with item data, one selection
// (-1 = none), the platform's string searches, and the user's selection, which sends the
// selection-change notification (also when the user picks the entry already selected).
class ItemList : public Control {
 public:
  int count() const { return static_cast<int>(items_.size()); }
  const std::vector<ListItem>& items() const { return items_; }
  // The text of entry `index`; empty out of range.
  std::string itemText(int index) const;
  // The data of entry `index`; -1 out of range (the platform's error value).
  std::intptr_t itemData(int index) const;

  // Appends an entry and returns its index.
  int addString(std::string text, std::intptr_t data = 0);
  // Inserts before `index` (at the end for -1 or past the end) and returns the new index.
  int insertString(int index, std::string text, std::intptr_t data = 0);
  bool deleteString(int index);
  void resetContent();
  bool setItemData(int index, std::intptr_t data);

  int curSel() const { return curSel_; }
  // Programmatic: selects `index`; an index out of range clears the selection and gives false.
  bool setCurSel(int index);
  // Programmatic: selects the first entry whose item data equals `data`; false (and no
  // selection) when there is none.
  bool selectData(std::intptr_t data);
  // The selected entry's text; empty when nothing is selected.
  std::string selectedText() const;

  // Searches start after `startAfter` (-1: from the top), wrap around once, ignore ASCII
  // letter case and give -1 when nothing matches. Exact: the whole text; prefix: the start.
  int findStringExact(std::string_view text, int startAfter = -1) const;
  int findString(std::string_view prefix, int startAfter = -1) const;
  // The first entry whose item data equals `data`, or -1.
  int findData(std::intptr_t data) const;

  // User: picks entry `index`, then onSelChange runs.
  bool select(int index);
  // Up/Left and Down/Right move the selection by one entry, Home and End to the ends; a
  // move notifies like a pick, a key at the end of the list changes nothing.
  bool keyDown(Key key) override;

  std::function<void()> onSelChange;

 protected:
  ItemList(int id, std::string text) : Control(id, std::move(text)) {}

 private:
  template <typename Match>
  int search(int startAfter, Match match) const;

  std::vector<ListItem> items_;
  int curSel_ = -1;
};

}  // namespace tw::ui
