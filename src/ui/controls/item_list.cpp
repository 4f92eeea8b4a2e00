#include "ui/controls/item_list.h"

#include <algorithm>

#include "model/ascii.h"

namespace tw::ui {
namespace {

}  // namespace

std::string ItemList::itemText(int index) const {
  return index >= 0 && index < count() ? items_[index].text : std::string();
}

std::intptr_t ItemList::itemData(int index) const { return index >= 0 && index < count() ? items_[index].data : -1; }

int ItemList::addString(std::string text, std::intptr_t data) { return insertString(-1, std::move(text), data); }

int ItemList::insertString(int index, std::string text, std::intptr_t data) {
  if (index < 0 || index > count()) index = count();
  items_.insert(items_.begin() + index, ListItem{std::move(text), data});
  if (curSel_ >= index) ++curSel_;
  notify(Change::Items);
  return index;
}

bool ItemList::deleteString(int index) {
  if (index < 0 || index >= count()) return false;
  items_.erase(items_.begin() + index);
  if (curSel_ == index) curSel_ = -1;
  else if (curSel_ > index) --curSel_;
  notify(Change::Items);
  return true;
}

void ItemList::resetContent() {
  items_.clear();
  curSel_ = -1;
  notify(Change::Items);
}

bool ItemList::setItemData(int index, std::intptr_t data) {
  if (index < 0 || index >= count()) return false;
  items_[index].data = data;
  return true;
}

bool ItemList::setCurSel(int index) {
  const bool valid = index >= 0 && index < count();
  const int selection = valid ? index : -1;
  if (selection != curSel_) {
    curSel_ = selection;
    notify(Change::Value);
  }
  return valid;
}

bool ItemList::selectData(std::intptr_t data) { return setCurSel(findData(data)); }

std::string ItemList::selectedText() const { return itemText(curSel_); }

template <typename Match>
int ItemList::search(int startAfter, Match match) const {
  if (count() == 0) return -1;
  const int first = (startAfter < 0 || startAfter >= count()) ? 0 : startAfter + 1;
  for (int step = 0; step < count(); ++step) {
    const int index = (first + step) % count();
    if (match(items_[index].text)) return index;
  }
  return -1;
}

int ItemList::findStringExact(std::string_view text, int startAfter) const {
  return search(startAfter,
                [text](const std::string& item) { return model::EqualsIgnoringCase(item, text); });
}

int ItemList::findString(std::string_view prefix, int startAfter) const {
  return search(startAfter,
                [prefix](const std::string& item) { return model::StartsWithIgnoringCase(item, prefix); });
}

int ItemList::findData(std::intptr_t data) const {
  for (int i = 0; i < count(); ++i) {
    if (items_[i].data == data) return i;
  }
  return -1;
}

bool ItemList::select(int index) {
  if (!isUsable() || index < 0 || index >= count()) return false;
  setCurSel(index);
  if (onSelChange) onSelChange();
  return true;
}

bool ItemList::keyDown(Key key) {
  if (!isUsable() || count() == 0) return false;
  int target = curSel_;
  switch (key) {
    case Key::Up:
    case Key::Left: target = curSel_ < 0 ? 0 : curSel_ - 1; break;
    case Key::Down:
    case Key::Right: target = curSel_ + 1; break;
    case Key::Home: target = 0; break;
    case Key::End: target = count() - 1; break;
    default: return false;
  }
  if (target < 0 || target >= count() || target == curSel_) return true;
  return select(target);
}

}  // namespace tw::ui
