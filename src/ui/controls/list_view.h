#pragma once

#include "ui/controls/control.h"

#include <functional>
#include <string>
#include <vector>

namespace tw::ui {

struct ListViewColumn {
  std::string title;
  int width = 0;  // in average character widths; 0 lets the renderer choose
};

// A report-style list view: columns, rows of cell texts, one selected row (-1 = none); with
// check boxes, each row is checked or not.
class ListView : public Control {
 public:
  explicit ListView(int id) : Control(id, {}) {}
  ControlKind kind() const override { return ControlKind::ListView; }

  const std::vector<ListViewColumn>& columns() const { return columns_; }
  void setColumns(std::vector<ListViewColumn> columns);

  int rowCount() const { return static_cast<int>(rows_.size()); }
  // Appends a row (cells beyond the columns are kept, missing ones are empty).
  int addRow(std::vector<std::string> cells);
  // Makes the list `count` rows long, keeping the first rows and adding empty ones.
  void setRowCount(int count);
  void clear();
  // The text of a cell; empty outside the table.
  std::string cell(int row, int column) const;
  bool setCell(int row, int column, std::string text);

  // How many rows the list shows at least (0: the renderer chooses).
  void setVisibleRows(int rows) { visibleRows_ = rows; }
  int visibleRows() const { return visibleRows_; }

  // Rows with a check box each (new rows start checked).
  void setCheckable(bool checkable);
  bool checkable() const { return checkable_; }
  bool isChecked(int row) const;
  // Programmatic: no callback.
  void setChecked(int row, bool checked);
  // User: the row's check box was clicked (onCheck runs).
  bool check(int row, bool checked);
  std::function<void(int row)> onCheck;

  int selectedRow() const { return selected_; }
  // Programmatic: a row outside the table clears the selection and gives false.
  bool setSelectedRow(int row);

  // User: selects a row (onSelect), or double-clicks it (selects it, then onActivate).
  bool select(int row);
  bool activate(int row);
  // Up/Left, Down/Right, Home and End move the selected row like a click on it.
  bool keyDown(Key key) override;

  std::function<void()> onSelect;
  std::function<void()> onActivate;

 private:
  std::vector<ListViewColumn> columns_;
  std::vector<std::vector<std::string>> rows_;
  bool checkable_ = false;
  int visibleRows_ = 0;
  std::vector<bool> checked_;
  int selected_ = -1;
};

}  // namespace tw::ui
