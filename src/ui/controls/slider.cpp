#include "ui/controls/slider.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tw::ui {

void Slider::setRange(int minPosition, int maxPosition) {
  if (minPosition > maxPosition) std::swap(minPosition, maxPosition);
  minPosition_ = minPosition;
  maxPosition_ = maxPosition;
  notify(Change::Items);
  setPosition(position_);
}

void Slider::setPosition(int position) {
  const int clamped = std::clamp(position, minPosition_, maxPosition_);
  if (clamped == position_) return;
  position_ = clamped;
  notify(Change::Value);
}

void Slider::setPageSize(int pageSize) { pageSize_ = std::max(pageSize, 1); }

bool Slider::dragToPosition(int position) {
  if (!isUsable()) return false;
  setPosition(position);
  if (onDragged) onDragged();
  return true;
}

bool Slider::release() {
  if (!isUsable()) return false;
  if (onReleased) onReleased();
  return true;
}

bool Slider::repaint() {
  if (!isShown()) return false;
  if (onDragged) onDragged();
  return true;
}

bool Slider::keyDown(Key key) {
  if (!isUsable()) return false;
  std::int64_t target = position_;
  switch (key) {
    case Key::Left:
    case Key::Up: target -= 1; break;
    case Key::Right:
    case Key::Down: target += 1; break;
    case Key::PageUp: target -= pageSize_; break;
    case Key::PageDown: target += pageSize_; break;
    case Key::Home: target = minPosition_; break;
    case Key::End: target = maxPosition_; break;
  }
  target = std::clamp<std::int64_t>(target, minPosition_, maxPosition_);
  if (target == position_) return true;
  dragToPosition(static_cast<int>(target));
  return release();
}

}  // namespace tw::ui
