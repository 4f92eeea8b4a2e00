#include "ui/controls/list_view.h"

#include <algorithm>

namespace tw::ui {

void ListView::setColumns(std::vector<ListViewColumn> columns) {
  columns_ = std::move(columns);
  notify(Change::Items);
}

int ListView::addRow(std::vector<std::string> cells) {
  rows_.push_back(std::move(cells));
  checked_.push_back(true);
  notify(Change::Items);
  return rowCount() - 1;
}

void ListView::setRowCount(int count) {
  rows_.resize(static_cast<std::size_t>(std::max(count, 0)));
  checked_.resize(rows_.size(), true);
  if (selected_ >= rowCount()) selected_ = -1;
  notify(Change::Items);
}

void ListView::clear() { setRowCount(0); }

std::string ListView::cell(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0) return {};
  const auto& cells = rows_[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : std::string();
}

bool ListView::setCell(int row, int column, std::string text) {
  if (row < 0 || row >= rowCount() || column < 0) return false;
  auto& cells = rows_[static_cast<std::size_t>(row)];
  if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(static_cast<std::size_t>(column) + 1);
  if (cells[static_cast<std::size_t>(column)] == text) return true;
  cells[static_cast<std::size_t>(column)] = std::move(text);
  notify(Change::Items);
  return true;
}

void ListView::setCheckable(bool checkable) {
  checkable_ = checkable;
  notify(Change::Items);
}

bool ListView::isChecked(int row) const {
  return checkable_ && row >= 0 && row < rowCount() && checked_[static_cast<std::size_t>(row)];
}

void ListView::setChecked(int row, bool checked) {
  if (row < 0 || row >= rowCount() || checked_[static_cast<std::size_t>(row)] == checked) return;
  checked_[static_cast<std::size_t>(row)] = checked;
  notify(Change::Items);
}

bool ListView::check(int row, bool checked) {
  if (!isUsable() || !checkable_ || row < 0 || row >= rowCount()) return false;
  checked_[static_cast<std::size_t>(row)] = checked;
  if (onCheck) onCheck(row);
  return true;
}

bool ListView::setSelectedRow(int row) {
  const bool valid = row >= 0 && row < rowCount();
  const int selection = valid ? row : -1;
  if (selection != selected_) {
    selected_ = selection;
    notify(Change::Value);
  }
  return valid;
}

bool ListView::select(int row) {
  if (!isUsable() || row < 0 || row >= rowCount()) return false;
  setSelectedRow(row);
  if (onSelect) onSelect();
  return true;
}

bool ListView::activate(int row) {
  if (!select(row)) return false;
  if (onActivate) onActivate();
  return true;
}

bool ListView::keyDown(Key key) {
  if (!isUsable() || rowCount() == 0) return false;
  int target = selected_;
  switch (key) {
    case Key::Up:
    case Key::Left: target = selected_ < 0 ? 0 : selected_ - 1; break;
    case Key::Down:
    case Key::Right: target = selected_ + 1; break;
    case Key::Home: target = 0; break;
    case Key::End: target = rowCount() - 1; break;
    default: return false;
  }
  if (target < 0 || target >= rowCount() || target == selected_) return true;
  return select(target);
}

}  // namespace tw::ui
