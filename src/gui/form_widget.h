#pragma once

#include <QWidget>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "gui/control_binding.h"
#include "ui/controls/layout.h"

class QBoxLayout;
class QGridLayout;
class QLabel;

namespace tw::gui {

// How a form is drawn.
enum class FormStyle {
  // Pages and side panels: rows and columns, group boxes as frames.
  Panel,
  // A dialog: as a panel, and a row of nothing but buttons stands at the right edge.
  Dialog,
  // A tool bar: one line; a group's caption stands before its controls instead of a frame,
  // and a thin line separates the groups.
  Bar,
};

// Renders any form (a page, the main form, a dialog) from its layout declaration: one widget
// per control. The arrangement follows what the declaration says belongs together:
// - a row of columns is a grid of aligned strips: each column's parts share grid rows with
//   the other columns' (a channel's caption above its slider, its value below, level with
//   every other channel's);
// - consecutive captioned controls in a column align as a form: captions in one column,
//   controls in the next;
// - buttons, lists and labels keep their natural size; rows and group boxes take the width;
// - vertical sliders grow with the room they get, up to a comfortable height.
// Navigation keys on a control go to the form first (pressKey); a key the form used never
// reaches the widget.
//
// The form and its controls must outlive this widget.
class FormWidget : public QWidget {
 public:
  explicit FormWidget(const ui::Form& form, QWidget* parent = nullptr);
  // Only the part `root` of `form` (it must belong to the form's layout).
  FormWidget(const ui::Form& form, const ui::LayoutNode& root, FormStyle style, QWidget* parent = nullptr);
  ~FormWidget() override;

  const ui::Form& form() const { return form_; }
  // The widget of a control (null for a control not drawn here).
  QWidget* widgetFor(const ui::Control& control) const;
  ControlBinding* bindingFor(const ui::Control& control) const;
  // Every binding, in layout order.
  std::vector<ControlBinding*> bindings() const;

  // Cuts every tie to the models now, while the widgets may live on a little (a window
  // that closes from inside one of its own button handlers is deleted later). Afterwards
  // no model change reaches a widget and no widget signal reaches a model.
  void detach();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* build(const ui::LayoutNode& node);
  ControlBinding* bind(ui::Control& control);
  QWidget* buildControl(const ui::LayoutNode& node);
  QWidget* buildRow(const ui::LayoutNode& node);
  QWidget* buildColumn(const ui::LayoutNode& node);
  QWidget* buildGroup(const ui::LayoutNode& node);
  QWidget* buildInlineGroup(const ui::LayoutNode& node);
  QWidget* buildStrips(const ui::LayoutNode& node);
  void addFormRows(QGridLayout& grid, const std::vector<const ui::LayoutNode*>& rows);
  void addTableRows(QGridLayout& grid, std::span<const ui::LayoutNode> lines);
  void addToColumn(QBoxLayout& layout, const ui::LayoutNode& node);
  QLabel* captionFor(const ui::LayoutNode& node, ControlBinding& binding);

  const ui::Form& form_;
  FormStyle style_;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  std::unordered_map<const ui::Control*, ControlBinding*> byControl_;
  std::unordered_map<const QObject*, ControlBinding*> byKeyWidget_;
};

}  // namespace tw::gui
