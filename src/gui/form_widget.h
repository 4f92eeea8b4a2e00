#pragma once

#include <QWidget>
#include <memory>
#include <unordered_map>
#include <vector>

#include "gui/control_binding.h"
#include "ui/controls/layout.h"

namespace tw::gui {

// Renders any form (a page, the main form, a dialog) from its layout declaration: one widget
// per control, rows and columns as box layouts, groups as frames, a caption as a label
// before its control. Navigation keys on a control go to the form first (pressKey); a key
// the form used never reaches the widget.
//
// The form and its controls must outlive this widget.
class FormWidget : public QWidget {
 public:
  explicit FormWidget(const ui::Form& form, QWidget* parent = nullptr);
  ~FormWidget() override;

  const ui::Form& form() const { return form_; }
  // The widget of a control (null for a control not in the layout).
  QWidget* widgetFor(const ui::Control& control) const;
  ControlBinding* bindingFor(const ui::Control& control) const;

  // Cuts every tie to the models now, while the widgets may live on a little (a window
  // that closes from inside one of its own button handlers is deleted later). Afterwards
  // no model change reaches a widget and no widget signal reaches a model.
  void detach();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* build(const ui::LayoutNode& node);
  QWidget* buildControl(const ui::LayoutNode& node);
  QWidget* buildBox(const ui::LayoutNode& node, bool row);
  QWidget* buildGroup(const ui::LayoutNode& node);

  const ui::Form& form_;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  std::unordered_map<const ui::Control*, ControlBinding*> byControl_;
  std::unordered_map<const QObject*, ControlBinding*> byKeyWidget_;
};

}  // namespace tw::gui
