#pragma once

#include "ui/controls/control.h"

#include <functional>

namespace tw::ui {

enum class Orientation { Horizontal, Vertical };

// A trackbar: an integer position within a range of positions; the derived sliders map
// positions to values. Its two notifications are those the pages handle:
// - onDragged: the trackbar repainted, which it does on every step of a drag;
// - onReleased: the mouse button was let go at the end of a drag.
// Programmatic changes send neither.
class Slider : public Control {
 public:
  int minPosition() const { return minPosition_; }
  int maxPosition() const { return maxPosition_; }
  int position() const { return position_; }
  int pageSize() const { return pageSize_; }
  Orientation orientation() const { return orientation_; }
  void setOrientation(Orientation orientation) { orientation_ = orientation; }

  // Programmatic. Reversed ends are swapped; the position is kept within the range.
  void setRange(int minPosition, int maxPosition);
  void setPosition(int position);
  void setPageSize(int pageSize);

  virtual int GetValue() const = 0;

  // User: moves the thumb to `position` (kept within the range), then onDragged.
  bool dragToPosition(int position);
  // User: the same for the position that shows `value`.
  bool drag(int value) { return dragToPosition(positionOf(value)); }
  // User: lets the mouse button go; onReleased, also after a click without a move.
  bool release();
  // A repaint without any user action (the window was uncovered, say): onDragged.
  bool repaint();
  // Keys move the thumb by one position (arrows), a page (Page Up/Down) or to an end
  // (Home/End). A key step is a whole edit, so it runs onDragged and then
  // onReleased: the value is stored and sent like a completed drag.
  bool keyDown(Key key) override;

  std::function<void()> onDragged;
  std::function<void()> onReleased;

 protected:
  Slider(int id, Orientation orientation) : Control(id, {}), orientation_(orientation) {}
  virtual int positionOf(int value) const = 0;

 private:
  int minPosition_ = 0;
  int maxPosition_ = 100;
  int position_ = 0;
  int pageSize_ = 1;
  Orientation orientation_;
};

}  // namespace tw::ui
