#include "ui/controls/control.h"

#include "ui/controls/group_box.h"

namespace tw::ui {

void Control::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  notify(Change::Text);
}

void Control::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  notify(Change::Enabled);
}

void Control::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  notify(Change::Visible);
}

void Control::setToolTip(std::string text) {
  if (text == toolTip_) return;
  toolTip_ = std::move(text);
  notify(Change::ToolTip);
}

bool Control::isShown() const { return visible_ && (container_ == nullptr || container_->isShown()); }

bool Control::isUsable() const {
  return visible_ && enabled_ && (container_ == nullptr || container_->isUsable());
}

bool Control::keyDown(Key) { return false; }

void Control::notify(Change change) const {
  if (listener_) listener_(change);
}

}  // namespace tw::ui
