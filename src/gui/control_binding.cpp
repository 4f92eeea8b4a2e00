#include "gui/control_binding.h"

#include <QWidget>

#include "gui/qt_text.h"

namespace tw::gui {

ControlBinding::ControlBinding(ui::Control& control, QWidget* widget)
    : control_(control), ownWidget_(widget) {
  widget->setProperty("tw_control_id", control.id());
  control_.setListener([this](ui::Change change) { onChange(change); });
}

ControlBinding::~ControlBinding() { detach(); }

void ControlBinding::detach() {
  if (attached_) control_.setListener({});
  attached_ = false;
}

void ControlBinding::setOuter(QWidget* outer) {
  outerWidget_ = outer;
  showVisible();
  showEnabled();
  showToolTip();
}

void ControlBinding::addCompanion(QWidget* companion) {
  companions_.emplace_back(companion);
  companion->setEnabled(control_.isEnabled());
  companion->setHidden(!control_.isVisible());
}

std::vector<QWidget*> ControlBinding::companions() const {
  std::vector<QWidget*> alive;
  for (const QPointer<QWidget>& companion : companions_) {
    if (companion) alive.push_back(companion);
  }
  return alive;
}

std::vector<QWidget*> ControlBinding::keyWidgets() const { return {ownWidget_.data()}; }

void ControlBinding::syncAll() {
  if (!ownWidget_ || !attached_) return;
  const QSignalBlocker block(ownWidget_.data());
  showItems();
  showText();
  showValue();
  showEnabled();
  showVisible();
  showToolTip();
}

void ControlBinding::showToolTip() {
  if (QWidget* shown = outer()) shown->setToolTip(ToQt(control_.toolTip()));
}

void ControlBinding::showEnabled() {
  if (QWidget* shown = outer()) shown->setEnabled(control_.isEnabled());
  for (const QPointer<QWidget>& companion : companions_) {
    if (companion) companion->setEnabled(control_.isEnabled());
  }
}

void ControlBinding::showVisible() {
  // Hidden explicitly rather than setVisible(true), which would show a widget whose
  // window is not shown yet.
  if (QWidget* shown = outer()) shown->setHidden(!control_.isVisible());
  for (const QPointer<QWidget>& companion : companions_) {
    if (companion) companion->setHidden(!control_.isVisible());
  }
}

void ControlBinding::onChange(ui::Change change) {
  if (!ownWidget_) return;
  const QSignalBlocker block(ownWidget_.data());
  switch (change) {
    case ui::Change::Text:
      showText();
      break;
    case ui::Change::Enabled:
      showEnabled();
      break;
    case ui::Change::Visible:
      showVisible();
      break;
    case ui::Change::Value:
      showValue();
      break;
    case ui::Change::Items:
      showItems();
      showValue();
      break;
    case ui::Change::Focus:
      showFocus();
      break;
    case ui::Change::ToolTip:
      showToolTip();
      break;
  }
}

}  // namespace tw::gui
