#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "ui/controls/control.h"

class QWidget;

namespace tw::gui {

// Keeps one control model and its widget in step.
//
// Model to widget: the binding listens to the control and copies each change into the widget
// with the widget's signals blocked, so a programmatic change never reaches the owner's
// handlers. Widget to model: the derived bindings turn the widget's user signals into the
// model's user actions (click, select, drag, release, type).
//
// The control must outlive the binding; the binding removes its listener when it goes.
class ControlBinding : public QObject {
 public:
  ControlBinding(ui::Control& control, QWidget* widget);
  ~ControlBinding() override;

  ui::Control& control() const { return control_; }
  // The control's own widget, and the widget that shows and hides with it (the widget itself,
  // or a row holding the widget and its caption).
  QWidget* widget() const { return ownWidget_; }
  QWidget* outer() const { return outerWidget_ ? outerWidget_.data() : ownWidget_.data(); }
  void setOuter(QWidget* outer);
  // A widget drawn apart from the control that belongs to it (its caption in a grid cell of
  // its own): shown, hidden, enabled and disabled together with the control.
  void addCompanion(QWidget* companion);
  std::vector<QWidget*> companions() const;

  // The widgets whose keys belong to this control (a radio group has one per button).
  virtual std::vector<QWidget*> keyWidgets() const;

  // Copies the whole model into the widget; called once the widget sits in its form.
  void syncAll();
  // Stops listening to the control (the control may go before the widget does); from then
  // on nothing of the binding touches the control.
  void detach();
  bool attached() const { return attached_; }

 protected:
  virtual void showText() {}
  virtual void showEnabled();
  virtual void showValue() {}
  virtual void showItems() {}
  virtual void showFocus() {}

 private:
  void onChange(ui::Change change);
  void showVisible();
  void showToolTip();

  ui::Control& control_;
  bool attached_ = true;
  QPointer<QWidget> ownWidget_;
  QPointer<QWidget> outerWidget_;
  std::vector<QPointer<QWidget>> companions_;
};

// The binding for any control model, with a new widget of the right kind (no parent yet).
std::unique_ptr<ControlBinding> BindControl(ui::Control& control);

}  // namespace tw::gui
